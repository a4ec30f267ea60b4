// The desktop check: whether drawing into windows is possible now. It is
// not while another desktop (a lock screen, an elevation prompt) has the
// input; the renderer then frees its surfaces and the playback waits.
// Here nothing takes the input away unless a test says so.
//
// Threads: any; the answer is one atomic flag.
#pragma once

bool DrawingPossible();
// Tests: false stands for a secure desktop holding the input.
void SetDrawingPossible(bool possible);
