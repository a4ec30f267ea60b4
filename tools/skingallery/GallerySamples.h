// The chart's samples in the gallery: 80 records whose G values follow
// fixed curves, the newest at index 59, with a gap of five samples without G
// values that the chart bridges.
#pragma once

#include "app/controls/skin/ChartSample.h"
#include "app/controls/skin/SkinWave.h"

struct GallerySamples {
    GallerySamples();

    ChartSample samples[CSkinWave::kSamples];
    int lastIndex = 59;
};
