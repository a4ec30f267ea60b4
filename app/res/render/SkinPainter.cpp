#include "app/res/render/SkinPainter.h"

#include <cairo.h>
#include <librsvg/rsvg.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace {

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

struct HandleUnref {
    void operator()(RsvgHandle* h) const { g_object_unref(h); }
};
struct SurfaceDestroy {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoDestroy {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};

std::unique_ptr<RsvgHandle, HandleUnref> LoadSvg(const std::string& path, const std::string& css) {
    GError* error = nullptr;
    std::unique_ptr<RsvgHandle, HandleUnref> handle(
        rsvg_handle_new_from_file(path.c_str(), &error));
    if (handle &&
        !rsvg_handle_set_stylesheet(handle.get(), reinterpret_cast<const guint8*>(css.data()),
                                    css.size(), &error))
        handle.reset();
    if (!handle) {
        const std::string why = error ? error->message : "unknown error";
        if (error)
            g_error_free(error);
        throw std::runtime_error(path + ": " + why);
    }
    return handle;
}

// Renders the source into the cell at `left` of a surface `height` high.
void RenderCell(RsvgHandle* handle, cairo_surface_t* surface, int left, int width, int height,
                const std::string& what) {
    std::unique_ptr<cairo_t, CairoDestroy> cr(cairo_create(surface));
    const RsvgRectangle viewport{static_cast<double>(left), 0.0, static_cast<double>(width),
                                 static_cast<double>(height)};
    GError* error = nullptr;
    if (!rsvg_handle_render_document(handle, cr.get(), &viewport, &error)) {
        const std::string why = error ? error->message : "unknown error";
        if (error)
            g_error_free(error);
        throw std::runtime_error(what + ": " + why);
    }
}

// The style sheets a state names, joined by '+', in that order.
std::string StateSheets(const std::string& state, const std::string& sourceDir) {
    std::string css;
    std::stringstream names(state);
    for (std::string name; std::getline(names, name, '+');)
        css += ReadText(sourceDir + "/" + name + ".css");
    return css;
}

// A source drawn at another size than its cell would be scaled: refuse it.
void CheckSize(RsvgHandle* handle, int width, int height, const std::string& what) {
    double w = 0, h = 0;
    if (!rsvg_handle_get_intrinsic_size_in_pixels(handle, &w, &h) || w != width || h != height)
        throw std::runtime_error(what + ": drawn at " + std::to_string(w) + " x " +
                                 std::to_string(h) + ", its cell is " + std::to_string(width) +
                                 " x " + std::to_string(height));
}

uint32_t Channel(uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

}  // namespace

uint32_t FlattenPixel(uint32_t argb, uint32_t matte, const uint32_t* key) {
    const uint32_t alpha = Channel(argb, 24);
    if (key && alpha == 0)
        return *key;
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t value =
            Channel(argb, shift) + (Channel(matte, shift) * (255 - alpha) + 127) / 255;
        out |= (value > 255 ? 255 : value) << shift;
    }
    if (key && out == *key)
        out ^= 0x000100;  // one green step off the key
    return out;
}

std::vector<uint32_t> PaintSkin(const SkinEntry& entry, const std::string& sourceDir) {
    const std::string base = ReadText(sourceDir + "/base.css");
    const int cells = static_cast<int>(entry.states.size());
    const int cellWidth = entry.width / cells;
    std::unique_ptr<cairo_surface_t, SurfaceDestroy> surface(
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, entry.width, entry.height));
    for (int cell = 0; cell < cells; ++cell) {
        const std::string css = base + StateSheets(entry.states[cell], sourceDir);
        auto handle = LoadSvg(sourceDir + "/" + entry.file, css);
        CheckSize(handle.get(), cellWidth, entry.height, entry.file);
        RenderCell(handle.get(), surface.get(), cell * cellWidth, cellWidth, entry.height,
                   entry.file + " (" + entry.states[cell] + ")");
    }
    cairo_surface_flush(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    const uint32_t* key = entry.key ? &*entry.key : nullptr;
    std::vector<uint32_t> pixels(static_cast<size_t>(entry.width) * entry.height);
    for (int y = 0; y < entry.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < entry.width; ++x)
            pixels[static_cast<size_t>(y) * entry.width + x] =
                FlattenPixel(row[x], entry.matte, key);
    }
    return pixels;
}
