// The command line of dvrgen, turned into a RecordingSpec and the two paths.
#pragma once

#include <string>
#include <vector>

#include "tools/recgen/RecordingSpec.h"

struct DvrgenArguments {
    recgen::RecordingSpec spec;
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
