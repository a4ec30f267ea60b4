// The command line of dvrgen, turned into a RecordingPlan and the two paths.
#pragma once

#include <string>
#include <vector>

#include "tools/recgen/RecordingPlan.h"

struct DvrgenArguments {
    recgen::RecordingPlan plan;
    std::string dvrPath;
    std::string inxPath;
    bool help = false;
};

// False with *error set for an unknown flag, a missing or malformed value, or
// no output name. "--help" sets `help` and needs nothing else.
bool ParseDvrgenArguments(const std::vector<std::string>& args, DvrgenArguments* out,
                          std::string* error);

// The text "--help" prints.
const char* DvrgenUsage();
