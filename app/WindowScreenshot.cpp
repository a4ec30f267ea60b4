#include "app/WindowScreenshot.h"

#include <cairo.h>

#include <algorithm>
#include <vector>

#include "platform/backend/GtkDisplay.h"
#include "platform/user/Screen.h"
#include "platform/user/User.h"

namespace {

// The pixels of `rect` (top row first) as the screen shows them. On a real
// display they are read from it: pages of embedded browsers are drawn there
// by the display itself and never pass through the windows' backing stores.
// Elsewhere the window system composes them.
std::vector<uint32_t> WindowPixelsOnScreen(const RECT& rect) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (GtkDisplay* display = GtkDisplay::Current()) {
        std::vector<uint32_t> shown = display->ReadScreen(rect);
        if (shown.size() == size_t(width) * size_t(height))
            return shown;
    }
    // The screen is composed from its origin; the window's part is kept.
    std::vector<uint32_t> screen(size_t(rect.right) * size_t(rect.bottom));
    ComposeScreen(PixelBuffer{screen.data(), rect.right, rect.right, rect.bottom}, RGB(0, 0, 0));
    std::vector<uint32_t> pixels;
    pixels.reserve(size_t(width) * size_t(height));
    for (int y = rect.top; y < rect.bottom; ++y) {
        const auto from = screen.begin() + y * rect.right;
        pixels.insert(pixels.end(), from + rect.left, from + rect.right);
    }
    return pixels;
}

}  // namespace

bool SaveWindowScreenshot(HWND window, const std::string& pngPath) {
    RECT rect{};
    if (!IsWindowVisible(window) || !GetWindowRect(window, &rect))
        return false;
    // What lies off the screen's top left is not on the picture.
    rect.left = std::max(rect.left, LONG(0));
    rect.top = std::max(rect.top, LONG(0));
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return false;
    const std::vector<uint32_t> pixels = WindowPixelsOnScreen(rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + size_t(y) * size_t(stride));
        const uint32_t* from = pixels.data() + size_t(y) * size_t(width);
        for (int x = 0; x < width; ++x)
            row[x] = from[x] & 0x00FFFFFF;
    }
    cairo_surface_mark_dirty(surface);
    const bool saved = cairo_surface_write_to_png(surface, pngPath.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return saved;
}
