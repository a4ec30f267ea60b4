#include "platform/gdi/PixelRegion.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

bool Apply(PixelRegion::Op op, bool a, bool b) {
    switch (op) {
        case PixelRegion::Op::And:
            return a && b;
        case PixelRegion::Op::Or:
            return a || b;
        case PixelRegion::Op::Xor:
            return a != b;
        case PixelRegion::Op::Diff:
            return a && !b;
    }
    return false;
}

bool Inside(const std::vector<Span>& spans, size_t& i, int x) {
    while (i < spans.size() && spans[i].right <= x)
        ++i;
    return i < spans.size() && spans[i].left <= x;
}

// Combines two span lists of one row interval by a sweep over their edges.
std::vector<Span> CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b,
                               PixelRegion::Op op) {
    std::vector<int> edges;
    edges.reserve(2 * (a.size() + b.size()));
    for (const Span& s : a)
        edges.insert(edges.end(), {s.left, s.right});
    for (const Span& s : b)
        edges.insert(edges.end(), {s.left, s.right});
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::vector<Span> out;
    size_t ia = 0, ib = 0;
    for (size_t e = 0; e + 1 < edges.size(); ++e) {
        int x = edges[e];
        bool inA = Inside(a, ia, x);
        bool inB = Inside(b, ib, x);
        if (!Apply(op, inA, inB))
            continue;
        if (!out.empty() && out.back().right == x) {
            out.back().right = edges[e + 1];
        } else {
            out.push_back({x, edges[e + 1]});
        }
    }
    return out;
}

const std::vector<Span>& SpansAt(const std::vector<Band>& bands, size_t& i, int y) {
    static const std::vector<Span> kNone;
    while (i < bands.size() && bands[i].bottom <= y)
        ++i;
    return i < bands.size() && bands[i].top <= y ? bands[i].spans : kNone;
}

std::vector<Span> MergedSpans(std::vector<Span> spans) {
    std::sort(spans.begin(), spans.end(),
              [](const Span& l, const Span& r) { return l.left < r.left; });
    std::vector<Span> out;
    for (const Span& s : spans) {
        if (!out.empty() && s.left <= out.back().right) {
            out.back().right = std::max(out.back().right, s.right);
        } else {
            out.push_back(s);
        }
    }
    return out;
}

}  // namespace

PixelRegion PixelRegion::FromRect(int left, int top, int right, int bottom) {
    PixelRegion r;
    if (left < right && top < bottom)
        r.bands_.push_back({top, bottom, {{left, right}}});
    return r;
}

PixelRegion PixelRegion::FromRects(const std::vector<RECT>& rects) {
    std::vector<int> edges;
    std::vector<RECT> valid;
    for (const RECT& rc : rects) {
        if (rc.left >= rc.right || rc.top >= rc.bottom)
            continue;
        valid.push_back(rc);
        edges.insert(edges.end(), {int(rc.top), int(rc.bottom)});
    }
    std::sort(valid.begin(), valid.end(),
              [](const RECT& l, const RECT& r) { return l.top < r.top; });
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    PixelRegion out;
    std::vector<RECT> active;
    size_t next = 0;
    for (size_t e = 0; e + 1 < edges.size(); ++e) {
        int y = edges[e];
        std::erase_if(active, [y](const RECT& rc) { return rc.bottom <= y; });
        while (next < valid.size() && valid[next].top <= y)
            active.push_back(valid[next++]);
        std::vector<Span> spans;
        for (const RECT& rc : active)
            spans.push_back({int(rc.left), int(rc.right)});
        out.AppendBand(y, edges[e + 1], MergedSpans(std::move(spans)));
    }
    return out;
}

PixelRegion PixelRegion::Combine(const PixelRegion& a, const PixelRegion& b, Op op) {
    std::vector<int> edges;
    for (const Band& band : a.bands_)
        edges.insert(edges.end(), {band.top, band.bottom});
    for (const Band& band : b.bands_)
        edges.insert(edges.end(), {band.top, band.bottom});
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    PixelRegion out;
    size_t ia = 0, ib = 0;
    for (size_t e = 0; e + 1 < edges.size(); ++e) {
        int y = edges[e];
        const std::vector<Span>& sa = SpansAt(a.bands_, ia, y);
        const std::vector<Span>& sb = SpansAt(b.bands_, ib, y);
        if (sa.empty() && sb.empty())
            continue;
        out.AppendBand(y, edges[e + 1], CombineSpans(sa, sb, op));
    }
    return out;
}

void PixelRegion::AppendBand(int top, int bottom, std::vector<Span> spans) {
    if (spans.empty() || top >= bottom)
        return;
    if (!bands_.empty() && bands_.back().bottom == top && bands_.back().spans == spans) {
        bands_.back().bottom = bottom;
        return;
    }
    bands_.push_back({top, bottom, std::move(spans)});
}

void PixelRegion::Offset(int dx, int dy) {
    // Saturating, so that a region reaching the end of the coordinates loses
    // what moves beyond it instead of wrapping round.
    auto moved = [](int v, int d) {
        return int(std::clamp<int64_t>(int64_t(v) + d, INT_MIN, INT_MAX));
    };
    for (Band& band : bands_) {
        band.top = moved(band.top, dy);
        band.bottom = moved(band.bottom, dy);
        for (Span& s : band.spans) {
            s.left = moved(s.left, dx);
            s.right = moved(s.right, dx);
        }
        std::erase_if(band.spans, [](const Span& s) { return s.left >= s.right; });
    }
    std::erase_if(bands_, [](const Band& b) { return b.top >= b.bottom || b.spans.empty(); });
}

const Band* PixelRegion::BandAt(int y) const {
    auto it = std::upper_bound(bands_.begin(), bands_.end(), y,
                               [](int value, const Band& band) { return value < band.bottom; });
    return it != bands_.end() && it->top <= y ? &*it : nullptr;
}

bool PixelRegion::Contains(int x, int y) const {
    const Band* band = BandAt(y);
    if (!band)
        return false;
    for (const Span& s : band->spans) {
        if (s.left <= x && x < s.right)
            return true;
    }
    return false;
}

bool PixelRegion::Intersects(const RECT& rect) const {
    PixelRegion r = FromRect(rect.left, rect.top, rect.right, rect.bottom);
    return !Combine(*this, r, Op::And).Empty();
}

RECT PixelRegion::Box() const {
    if (bands_.empty())
        return {0, 0, 0, 0};
    RECT box{INT_MAX, bands_.front().top, INT_MIN, bands_.back().bottom};
    for (const Band& band : bands_) {
        box.left = std::min<LONG>(box.left, band.spans.front().left);
        box.right = std::max<LONG>(box.right, band.spans.back().right);
    }
    return box;
}

int PixelRegion::Kind() const {
    if (bands_.empty())
        return 1;             // NULLREGION
    return IsRect() ? 2 : 3;  // SIMPLEREGION, COMPLEXREGION
}

std::vector<RECT> PixelRegion::Rects() const {
    std::vector<RECT> out;
    for (const Band& band : bands_) {
        for (const Span& s : band.spans)
            out.push_back({s.left, band.top, s.right, band.bottom});
    }
    return out;
}

bool PixelRegion::operator==(const PixelRegion& other) const {
    if (bands_.size() != other.bands_.size())
        return false;
    for (size_t i = 0; i < bands_.size(); ++i) {
        const Band& l = bands_[i];
        const Band& r = other.bands_[i];
        if (l.top != r.top || l.bottom != r.bottom || l.spans != r.spans)
            return false;
    }
    return true;
}
