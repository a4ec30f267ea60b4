// The GDI+ image encoder for a MIME type.
#pragma once

#include "platform/gdi/GdiPlus.h"

// The index of the first encoder whose MIME type equals `mimeType`, with its
// class id copied to *clsid; -1 when there is none, when the encoder list is
// empty or cannot be allocated.
int GetEncoderClsid(const wchar_t* mimeType, Gdiplus::CLSID* clsid);
