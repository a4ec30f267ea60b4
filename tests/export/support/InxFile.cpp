#include "tests/export/support/InxFile.h"

#include <cstdio>

InxHd ReadInxFile(const std::filesystem::path& inx, std::vector<InxUnit>* entries) {
    InxHd header{};
    FILE* f = std::fopen(inx.c_str(), "rb");
    if (f == nullptr)
        return header;
    if (std::fread(&header, sizeof header, 1, f) == 1) {
        InxUnit unit{};
        while (std::fread(&unit, sizeof unit, 1, f) == 1)
            entries->push_back(unit);
    }
    std::fclose(f);
    return header;
}
