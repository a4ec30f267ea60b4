// Quick-index units for the find tests, built from their fields.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "shared/QuickIndexRecords.h"

namespace findtest {

// Fields of one generated quick-index record.
struct QuickFields {
    uint32_t timeEntry = 1;
    uint16_t speedKmh = 0;
    uint16_t temperature = 20;
    int8_t g[3] = {0, 0, 0};
    std::vector<std::pair<uint8_t, uint8_t>> tyres;  // (PSI, temperature + 40)
    int tyreCount = -1;                              // -1: the number of tyres
    std::string latitude = "2459.9952N";
    std::string longitude = "12130.1625E";
};
QuickInxUnit MakeQuickUnit(const QuickFields& fields);

}  // namespace findtest
