#include "tools/skingallery/GallerySamples.h"

#include <cmath>

namespace {

constexpr int kGapFirst = 40;
constexpr int kGapLast = 44;

}  // namespace

GallerySamples::GallerySamples() {
    for (int i = 0; i < CSkinWave::kSamples; ++i) {
        ChartSample& s = samples[i];
        const double t = i;
        s.gx = float(0.9 * std::sin(t * 0.35));
        s.gy = float(0.5 * std::cos(t * 0.2) - 0.4);
        s.gz = float(1.0 + 0.25 * std::sin(t * 0.6));
        s.gValid = i >= kGapFirst && i <= kGapLast ? 0 : 1;
    }
}
