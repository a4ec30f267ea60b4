// Inside platform/gdi: a set of pixels as bands of rows [top, bottom), each
// holding sorted, disjoint, non-touching spans [left, right). Bands are
// sorted, disjoint, and two touching bands never hold the same spans, so
// equal sets have equal representations. A value type; not thread-safe.
#pragma once

#include <vector>

#include "platform/gdi/GdiTypes.h"

struct Span {
    int left;
    int right;
    bool operator==(const Span&) const = default;
};

struct Band {
    int top;
    int bottom;
    std::vector<Span> spans;
};

class PixelRegion {
public:
    enum class Op { And, Or, Xor, Diff };

    PixelRegion() = default;
    static PixelRegion FromRect(int left, int top, int right, int bottom);
    // Any rectangles, overlapping or not, in any order.
    static PixelRegion FromRects(const std::vector<RECT>& rects);

    static PixelRegion Combine(const PixelRegion& a, const PixelRegion& b, Op op);
    void Offset(int dx, int dy);

    bool Empty() const { return bands_.empty(); }
    bool IsRect() const { return bands_.size() == 1 && bands_[0].spans.size() == 1; }
    bool Contains(int x, int y) const;
    bool Intersects(const RECT& rect) const;
    RECT Box() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Kind() const;
    // Top to bottom, left to right within a band.
    std::vector<RECT> Rects() const;
    const std::vector<Band>& Bands() const { return bands_; }
    // The band holding row y, or null.
    const Band* BandAt(int y) const;

    bool operator==(const PixelRegion& other) const;

    // Appends a band below the last one, merging it into the last band when it
    // touches it with the same spans; empty span lists are dropped.
    void AppendBand(int top, int bottom, std::vector<Span> spans);

private:
    std::vector<Band> bands_;
};
