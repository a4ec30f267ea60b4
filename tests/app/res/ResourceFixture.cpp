#include "ResourceFixture.h"

#include "app/res/MarlowinResources.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/Resources.h"

LoadedBitmap LoadSkin(UINT id) {
    LoadedBitmap out;
    HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(static_cast<int>(id)));
    if (!bitmap)
        return out;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    out.width = info.bmWidth;
    out.height = info.bmHeight;
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = out.width;
    header.bmiHeader.biHeight = -out.height;  // top row first
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(out.height), out.pixels.data(), &header,
              DIB_RGB_COLORS);
    DeleteDC(dc);
    DeleteObject(bitmap);
    for (uint32_t& p : out.pixels)
        p &= 0x00FFFFFF;
    return out;
}

void Resources::SetUpTestSuite() {
    RegisterMarlowinResources();
}
