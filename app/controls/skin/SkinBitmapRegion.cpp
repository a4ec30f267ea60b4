#include <algorithm>
#include <climits>
#include <vector>

#include "app/controls/draw/MemoryDc.h"
#include "app/controls/skin/SkinBitmap.h"

namespace {

// ExtCreateRegion takes the runs in batches of this many, OR-ed together,
// so that one call never receives an unbounded list.
constexpr size_t kBatch = 2000;

struct ColourRange {
    BYTE low[3];
    BYTE high[3];  // red, green, blue

    ColourRange(COLORREF key, COLORREF tolerance) {
        const BYTE k[3] = {GetRValue(key), GetGValue(key), GetBValue(key)};
        const BYTE t[3] = {GetRValue(tolerance), GetGValue(tolerance), GetBValue(tolerance)};
        for (int i = 0; i < 3; ++i) {
            low[i] = k[i];
            high[i] = BYTE(std::min(k[i] + t[i], 255));
        }
    }
    bool Contains(uint32_t word) const {
        const BYTE c[3] = {BYTE(word >> 16), BYTE(word >> 8), BYTE(word)};
        for (int i = 0; i < 3; ++i)
            if (c[i] < low[i] || c[i] > high[i])
                return false;
        return true;
    }
};

class RunCollector {
public:
    void Add(const RECT& run) {
        runs_.push_back(run);
        if (runs_.size() == kBatch)
            Flush();
    }
    // Also for an empty batch, so that a wholly transparent bitmap gives an
    // empty region rather than none.
    HRGN Finish() {
        Flush();
        return result_;
    }

private:
    void Flush() {
        std::vector<BYTE> block(sizeof(RGNDATAHEADER) + runs_.size() * sizeof(RECT));
        RGNDATAHEADER header{sizeof(RGNDATAHEADER), RDH_RECTANGLES, DWORD(runs_.size()), 0,
                             RECT{INT_MAX, INT_MAX, 0, 0}};
        for (const RECT& r : runs_) {
            header.rcBound.left = std::min(header.rcBound.left, r.left);
            header.rcBound.top = std::min(header.rcBound.top, r.top);
            header.rcBound.right = std::max(header.rcBound.right, r.right);
            header.rcBound.bottom = std::max(header.rcBound.bottom, r.bottom);
        }
        std::copy_n(reinterpret_cast<const BYTE*>(&header), sizeof(header), block.data());
        std::copy_n(reinterpret_cast<const BYTE*>(runs_.data()), runs_.size() * sizeof(RECT),
                    block.data() + sizeof(header));
        HRGN batch = ExtCreateRegion(nullptr, DWORD(block.size()),
                                     reinterpret_cast<const RGNDATA*>(block.data()));
        runs_.clear();
        if (result_ == nullptr) {
            result_ = batch;
        } else if (batch != nullptr) {
            CombineRgn(result_, result_, batch, RGN_OR);
            DeleteObject(batch);
        }
    }

    std::vector<RECT> runs_;
    HRGN result_ = nullptr;
};

}  // namespace

HRGN CSkinBitmap::BitmapToRegion(COLORREF transparent, COLORREF tolerance) const {
    if (m_hObject == nullptr)
        return nullptr;
    const int width = GetWidth();
    const int height = GetHeight();
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (copy == nullptr || bits == nullptr) {
        if (copy != nullptr)
            ::DeleteObject(copy);
        return nullptr;
    }
    {
        MemoryDc to(copy);
        MemoryDc from(*this);
        BitBlt(to.Dc(), 0, 0, width, height, from.Dc(), 0, 0, SRCCOPY);
    }
    const ColourRange range(transparent, tolerance);
    const auto* words = static_cast<const uint32_t*>(bits);
    RunCollector runs;
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = words + size_t(height - 1 - y) * size_t(width);  // bottom-up rows
        for (int x = 0; x < width; ++x) {
            const int x0 = x;
            while (x < width && !range.Contains(row[x]))
                ++x;
            if (x > x0)
                runs.Add(RECT{x0, y, x, y + 1});
        }
    }
    ::DeleteObject(copy);
    return runs.Finish();
}
