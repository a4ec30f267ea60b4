#include "tools/skingallery/RgbImage.h"

#include <cairo.h>

bool WritePng(const RgbImage& image, const std::string& path) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < image.height && data != nullptr; ++y)
        for (int x = 0; x < image.width; ++x)
            reinterpret_cast<uint32_t*>(data + y * stride)[x] = image.At(x, y) & 0xFFFFFF;
    cairo_surface_mark_dirty(s);
    const bool ok =
        data != nullptr && cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

RgbImage ReadPng(const std::string& path) {
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    RgbImage image;
    const cairo_format_t format = cairo_image_surface_get_format(s);
    if (cairo_surface_status(s) == CAIRO_STATUS_SUCCESS &&
        (format == CAIRO_FORMAT_RGB24 || format == CAIRO_FORMAT_ARGB32)) {
        cairo_surface_flush(s);
        image = RgbImage(cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
        const unsigned char* data = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                image.At(x, y) = reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFFFFFF;
    }
    cairo_surface_destroy(s);
    return image;
}
