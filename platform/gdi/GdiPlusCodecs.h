// Inside platform/gdi: GDI+'s state (started or not) and its encoders.
#pragma once

#include "platform/gdi/GdiPlusImage.h"

namespace Gdiplus {

bool GdiplusStarted();
Status Encode(const Image& image, const wchar_t* file, const CLSID* encoder,
              const EncoderParameters* parameters);

}  // namespace Gdiplus
