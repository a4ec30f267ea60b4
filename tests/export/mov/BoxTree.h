// A box-tree walker for the movies under test: every box of a QuickTime file
// with its children, checked to tile its parent exactly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Box {
    std::string type;
    size_t offset = 0;  // of its size field in the file
    uint32_t size = 0;
    std::vector<Box> children;

    // The child reached by a path such as "trak/mdia/mdhd"; the first match
    // of each step unless `index` picks a later one at the first step.
    const Box* Find(const std::string& path, int index = 0) const;
};

// The top-level boxes of the file, or false with `error` saying which box
// does not fit its parent.
bool ParseBoxTree(const std::vector<uint8_t>& file, Box* root, std::string* error);

uint32_t Be32(const std::vector<uint8_t>& file, size_t at);
uint16_t Be16(const std::vector<uint8_t>& file, size_t at);
