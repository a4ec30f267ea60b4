#include "platform/user/Screen.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "platform/user/BackingStore.h"
#include "platform/user/DisplayBackend.h"
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

void Draw(const PixelBuffer& target, const Layer& layer) {
    std::lock_guard pixels(layer.store->mutex);
    const PixelBuffer src = layer.store->Buffer();
    for (int y = 0; y < src.height; ++y) {
        const int sy = layer.rect.top + y;
        if (sy < 0 || sy >= target.height)
            continue;
        for (int x = 0; x < src.width; ++x) {
            const int sx = layer.rect.left + x;
            if (sx < 0 || sx >= target.width)
                continue;
            if (layer.shape != nullptr && !PtInRegion(layer.shape, x, y))
                continue;
            uint32_t& d = target.Row(sy)[sx];
            const uint32_t s = src.Row(y)[x] & 0x00FFFFFF;
            d = layer.alpha == 255 ? s : Blend(s, d, layer.alpha);
        }
    }
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
