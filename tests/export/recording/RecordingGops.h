// Test recordings for the export writers: written by recgen, read back GOP by
// GOP with the player's own file pair reader, as an export receives them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/recgen/RecordingPlan.h"

struct RecordingFiles {
    std::string dvr;
    std::string inx;
};

// Writes the plan's recording as `<base>.dvr` / `<base>.inx`; fails the
// calling test when it cannot.
RecordingFiles MakeRecording(const recgen::RecordingPlan& plan, const std::string& base);

// Every GOP of the pair in order, each as long as the reader returned it
// (rounded up to 512). Empty when the pair does not open.
std::vector<std::vector<uint8_t>> ReadAllGops(const RecordingFiles& files);
