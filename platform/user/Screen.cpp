#include "platform/user/Screen.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/user/BackingStore.h"
#include "platform/user/DisplayBackend.h"
#include "platform/user/Rects.h"
#include "platform/user/WindowTable.h"
#include "platform/user/WindowTree.h"

namespace {

std::atomic<DisplayBackend*> g_display{nullptr};

struct Layer {
    std::shared_ptr<BackingStore> store;
    RECT rect;   // screen
    HRGN shape;  // window coordinates, a copy, or null
    BYTE alpha;
};

// Shown top-level windows, bottom first. Lock taken inside.
std::vector<Layer> Layers() {
    std::lock_guard lock(UserMutex());
    std::vector<Layer> layers;
    const auto& tops = WindowTable::Instance().TopLevels();
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        Window* w = FindWindowLocked(*it);
        if (w == nullptr || !w->IsVisibleSelf() || w->store == nullptr)
            continue;
        HRGN shape = nullptr;
        if (w->region != nullptr) {
            shape = CreateRectRgn(0, 0, 0, 0);
            CombineRgn(shape, w->region, nullptr, RGN_COPY);
        }
        layers.push_back(Layer{w->store, w->rect, shape, w->layered ? w->alpha : BYTE(255)});
    }
    return layers;
}

uint32_t Blend(uint32_t src, uint32_t dst, unsigned alpha) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const unsigned s = (src >> shift) & 0xFF;
        const unsigned d = (dst >> shift) & 0xFF;
        out |= ((s * alpha + d * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

// The parts of the layer to draw, in window coordinates: its region's
// rectangles, or the whole window.
std::vector<RECT> Pieces(const Layer& layer, int width, int height) {
    if (layer.shape == nullptr)
        return {RECT{0, 0, width, height}};
    return RegionRects(layer.shape);
}

void DrawPiece(const PixelBuffer& target, const PixelBuffer& src, const Layer& layer, RECT r) {
    r = RECT{std::max<LONG>(r.left, std::max<LONG>(0, -layer.rect.left)),
             std::max<LONG>(r.top, std::max<LONG>(0, -layer.rect.top)),
             std::min<LONG>({r.right, src.width, target.width - layer.rect.left}),
             std::min<LONG>({r.bottom, src.height, target.height - layer.rect.top})};
    for (LONG y = r.top; y < r.bottom; ++y) {
        const uint32_t* from = src.Row(int(y));
        uint32_t* to = target.Row(int(y + layer.rect.top)) + layer.rect.left;
        for (LONG x = r.left; x < r.right; ++x) {
            const uint32_t p = from[x] & 0x00FFFFFF;
            to[x] = layer.alpha == 255 ? p : Blend(p, to[x], layer.alpha);
        }
    }
}

void Draw(const PixelBuffer& target, const Layer& layer) {
    std::lock_guard pixels(layer.store->mutex);
    const PixelBuffer src = layer.store->Buffer();
    for (const RECT& piece : Pieces(layer, src.width, src.height))
        DrawPiece(target, src, layer, piece);
}

}  // namespace

void SetDisplayBackend(DisplayBackend* display) {
    g_display.store(display);
}

DisplayBackend* CurrentDisplayBackend() {
    return g_display.load();
}

void ComposeScreen(const PixelBuffer& target, COLORREF desktop) {
    const uint32_t background = (uint32_t(GetRValue(desktop)) << 16) |
                                (uint32_t(GetGValue(desktop)) << 8) | GetBValue(desktop);
    for (int y = 0; y < target.height; ++y)
        std::fill_n(target.Row(y), target.width, background);
    for (Layer& layer : Layers()) {
        Draw(target, layer);
        if (layer.shape != nullptr)
            DeleteObject(layer.shape);
    }
}
