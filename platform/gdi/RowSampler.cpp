#include "platform/gdi/RowSampler.h"

#include <algorithm>

#include "platform/gdi/DeviceContext.h"

namespace {

// Only destination pixels [from, to) of the extent are mapped (the others
// are clipped away); entry k is pixel from + k.
std::vector<int> SampleMap(const Axis& a, int from, int to) {
    std::vector<int> map(size_t(std::max(0, to - from)));
    for (int i = from; i < to; ++i) {
        int j = int((int64_t(i) * a.sourceLength) / a.length);
        map[size_t(i - from)] = a.sourceStart + (a.mirrored ? a.sourceLength - 1 - j : j);
    }
    return map;
}

}  // namespace

Axis Axis::Of(int start, int length, int sourceStart, int sourceLength) {
    bool mirrored = (length < 0) != (sourceLength < 0);
    if (length < 0) {
        start += length + 1;
        length = -length;
    }
    if (sourceLength < 0) {
        sourceStart += sourceLength + 1;
        sourceLength = -sourceLength;
    }
    return {start, length, sourceStart, sourceLength, mirrored};
}

void Axis::Covered(int i, int* from, int* to) const {
    int j0 = int((int64_t(i) * sourceLength) / length);
    int j1 = std::max(j0 + 1, int((int64_t(i + 1) * sourceLength) / length));
    *from = sourceStart + (mirrored ? sourceLength - j1 : j0);
    *to = sourceStart + (mirrored ? sourceLength - j0 : j1);
}

RowSampler::RowSampler(const Surface& s, const Axis& ax, const Axis& ay, const RECT& visible,
                       int stretchMode)
    : s_(s),
      ax_(ax),
      ay_(ay),
      xFrom_(std::max(0, int(visible.left) - ax.start)),
      yFrom_(std::max(0, int(visible.top) - ay.start)),
      xs_(SampleMap(ax, xFrom_, std::min(ax.length, int(visible.right) - ax.start))),
      ys_(SampleMap(ay, yFrom_, std::min(ay.length, int(visible.bottom) - ay.start))),
      mode_(stretchMode != COLORONCOLOR &&
                    (ax.sourceLength > ax.length || ay.sourceLength > ay.length)
                ? stretchMode
                : 0) {
    if (!mode_)
        return;
    for (size_t k = 0; k < xs_.size(); ++k) {
        int from, to;
        ax.Covered(xFrom_ + int(k), &from, &to);
        columnFrom_.push_back(std::max(from, 0));
        columnTo_.push_back(std::min(to, s.width));
    }
}

bool RowSampler::Read(int row, int* first, int* n) {
    int sourceY = ys_[size_t(row - ay_.start - yFrom_)];
    if (sourceY < 0 || sourceY >= s_.height)
        return false;
    int last = *first + *n;
    while (*first < last && Outside(*first))
        ++*first;
    while (last > *first && Outside(last - 1))
        --last;
    *n = last - *first;
    if (*n <= 0)
        return false;
    pixels_.resize(size_t(*n));
    if (mode_) {
        ReadCombined(row - ay_.start, *first, *n);
    } else {
        ReadNearest(sourceY, *first, *n);
    }
    return true;
}

void RowSampler::ReadNearest(int sourceY, int first, int n) {
    int lo = std::min(X(first), X(first + n - 1));
    int hi = std::max(X(first), X(first + n - 1));
    if (ax_.sourceLength == ax_.length && !ax_.mirrored) {
        s_.Read(sourceY, lo, n, pixels_.data());
        return;
    }
    wide_.resize(size_t(hi - lo + 1));
    s_.Read(sourceY, lo, hi - lo + 1, wide_.data());
    for (int i = 0; i < n; ++i)
        pixels_[size_t(i)] = wide_[size_t(X(first + i) - lo)];
}

// Every source pixel a destination pixel covers, within the surface, goes
// into its AND, OR or per-channel sum.
void RowSampler::ReadCombined(int row, int first, int n) {
    int y0, y1;
    ay_.Covered(row, &y0, &y1);
    y0 = std::max(y0, 0), y1 = std::min(y1, s_.height);
    const int* from = columnFrom_.data() + (first - xFrom_);
    const int* to = columnTo_.data() + (first - xFrom_);
    int lo = *std::min_element(from, from + n), hi = *std::max_element(to, to + n);
    wide_.resize(size_t(hi - lo));
    uint32_t* out = pixels_.data();
    if (mode_ != HALFTONE) {
        bool all = mode_ == BLACKONWHITE;
        std::fill_n(out, n, all ? 0xFFFFFFFFu : 0u);
        for (int y = y0; y < y1; ++y) {
            s_.Read(y, lo, hi - lo, wide_.data());
            for (int i = 0; i < n; ++i) {
                for (int x = from[i]; x < to[i]; ++x) {
                    out[i] = all ? out[i] & wide_[size_t(x - lo)] : out[i] | wide_[size_t(x - lo)];
                }
            }
        }
        return;
    }
    for (std::vector<uint32_t>& sum : sums_)
        sum.assign(size_t(n), 0);
    for (int y = y0; y < y1; ++y) {
        s_.Read(y, lo, hi - lo, wide_.data());
        for (int i = 0; i < n; ++i) {
            for (int x = from[i]; x < to[i]; ++x) {
                uint32_t p = wide_[size_t(x - lo)];
                for (int k = 0; k < 4; ++k)
                    sums_[k][size_t(i)] += (p >> (8 * k)) & 0xFF;
            }
        }
    }
    for (int i = 0; i < n; ++i) {
        uint32_t count = std::max(uint32_t((to[i] - from[i]) * (y1 - y0)), 1u), p = 0;
        for (int k = 0; k < 4; ++k)
            p |= ((sums_[k][size_t(i)] + count / 2) / count) << (8 * k);
        out[i] = p;
    }
}
