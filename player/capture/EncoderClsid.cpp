#include "player/capture/EncoderClsid.h"

#include <cwchar>
#include <memory>
#include <new>

int GetEncoderClsid(const wchar_t* mimeType, Gdiplus::CLSID* clsid) {
    UINT count = 0, size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0)
        return -1;
    // The records are followed by their strings in the same block.
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[size]);
    if (block == nullptr)
        return -1;
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(block.get());
    if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok)
        return -1;
    for (UINT i = 0; i < count; ++i) {
        if (encoders[i].MimeType != nullptr && std::wcscmp(encoders[i].MimeType, mimeType) == 0) {
            *clsid = encoders[i].Clsid;
            return int(i);
        }
    }
    return -1;
}
