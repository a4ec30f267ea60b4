// Saving the video as a JPEG picture: the library captures the screen
// rectangle of the video pane into "<vehicle>_<yyyymmdd>_<hhmm>_<ss>.jpg" in
// the picture directory and answers with the capture result.
#pragma once

#include "platform/afx/String.h"

// `whole` 0: the whole video. Refused while an earlier capture is pending.
void CaptureSnapshot(int whole);

// The picture's file name for a vehicle id and a calendar time (local).
CString SnapshotFileName(const CString& vehicle, int64_t unixTime);
