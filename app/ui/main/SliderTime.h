// The seek slider's tooltip text: the recording time under a slider percent,
// from the open source's time index; empty whenever a value is missing.
#pragma once

#include "platform/afx/String.h"

CString FormatSliderTime(int percent);
