#include "app/WindowScreenshot.h"

#include <cairo.h>

#include <algorithm>
#include <vector>

#include "platform/user/Screen.h"
#include "platform/user/User.h"

bool SaveWindowScreenshot(HWND window, const std::string& pngPath) {
    RECT rect{};
    if (!IsWindowVisible(window) || !GetWindowRect(window, &rect))
        return false;
    // What lies off the screen's top left is not on the picture.
    rect.left = std::max(rect.left, LONG(0));
    rect.top = std::max(rect.top, LONG(0));
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return false;
    // The screen is composed from its origin; the window's part is kept.
    std::vector<uint32_t> screen(size_t(rect.right) * size_t(rect.bottom));
    ComposeScreen(PixelBuffer{screen.data(), rect.right, rect.right, rect.bottom}, RGB(0, 0, 0));
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        const uint32_t* from =
            screen.data() + size_t(rect.top + y) * size_t(rect.right) + rect.left;
        for (int x = 0; x < width; ++x)
            row[x] = from[x] & 0x00FFFFFF;
    }
    cairo_surface_mark_dirty(surface);
    const bool saved = cairo_surface_write_to_png(surface, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return saved;
}
