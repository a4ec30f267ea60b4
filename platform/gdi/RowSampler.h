// Inside platform/gdi: reads the source pixels of a stretching blit, one
// destination row segment at a time. Enlarging (and COLORONCOLOR) takes the
// first source pixel each destination pixel covers; shrinking combines all
// the source pixels it covers by the stretch mode: AND (BLACKONWHITE), OR
// (WHITEONBLACK) or their average (HALFTONE). Used by one blit on one thread.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Surface.h"

// One extent of a blit, normalised: destination [start, start + length)
// samples source [sourceStart, sourceStart + sourceLength), mirrored when the
// signs differed.
struct Axis {
    int start, length, sourceStart, sourceLength;
    bool mirrored;

    // A blit's extents as GDI takes them: a negative one counts back from
    // its start.
    static Axis Of(int start, int length, int sourceStart, int sourceLength);
    // The source coordinates destination pixel i covers: [*from, *to).
    void Covered(int i, int* from, int* to) const;
};

class RowSampler {
public:
    // `visible` bounds the destination pixels that will be asked for
    // (logical coordinates).
    RowSampler(const Surface& s, const Axis& ax, const Axis& ay, const RECT& visible,
               int stretchMode);

    // Narrows [first, first + *n) (indices into the destination extent) to
    // the pixels whose source exists and reads them into Pixels(); false when
    // none does.
    bool Read(int row, int* first, int* n);
    uint32_t* Pixels() { return pixels_.data(); }

private:
    int X(int i) const { return xs_[size_t(i - xFrom_)]; }
    bool Outside(int i) const { return X(i) < 0 || X(i) >= s_.width; }
    void ReadNearest(int sourceY, int first, int n);
    void ReadCombined(int row, int first, int n);

    const Surface& s_;
    Axis ax_, ay_;
    int xFrom_, yFrom_;
    std::vector<int> xs_, ys_;  // the first covered source pixel of each
    int mode_;                  // 0: nearest, else the stretch mode that combines
    // Combining: the source columns [from, to) of each visible column.
    std::vector<int> columnFrom_, columnTo_;
    std::vector<uint32_t> pixels_, wide_;
    std::vector<uint32_t> sums_[4];
};
