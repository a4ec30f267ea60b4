// Saving the video as a JPEG picture: the library captures the screen
// rectangle of the video pane into "<vehicle>_<yyyymmdd>_<hhmm>_<ss>.jpg" in
// the picture directory and answers with the capture result.
#pragma once

#include "platform/afx/String.h"
#include "platform/afx/Wnd.h"

// How long a capture request waits for its result (injectable clock): one
// lost in the player's single command slot never answers, and is given up.
inline constexpr DWORD kSnapshotAnswerBoundMs = 3000;

// Captures the whole of `video`. Refused while an earlier capture waits
// for its result, within the bound.
void CaptureSnapshot(CWnd& video);
// The capture result arrived (any thread): the next request may go.
void EndSnapshotRequest();

// The picture's file name for a vehicle id and a calendar time (local).
CString SnapshotFileName(const CString& vehicle, int64_t unixTime);
