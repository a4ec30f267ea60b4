// The skin manifest: one line per bitmap resource, naming the SVG source it is
// drawn from, its size, the states drawn side by side as equal cells, the
// colour the controls key out (if any) and the matte that soft edges are
// blended onto (the colour the bitmap sits on in the program).
//
//   <id> <file.svg> <width> <height> states=<a,b,...> key=<rrggbb|none> matte=<rrggbb>
//
// '#' starts a comment line. Each state names a style sheet <state>.css next
// to the sources, applied after base.css when that cell is drawn; a state may
// join several sheets with '+' ("off+n3"), applied in that order.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SkinEntry {
    unsigned id = 0;
    std::string file;
    int width = 0;
    int height = 0;
    std::vector<std::string> states;
    std::optional<uint32_t> key;  // 0x00RRGGBB
    uint32_t matte = 0;
};

// Throws std::runtime_error naming the line for anything malformed.
std::vector<SkinEntry> ReadSkinManifest(const std::string& path);
