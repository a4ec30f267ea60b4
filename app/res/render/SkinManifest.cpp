#include "app/res/render/SkinManifest.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

uint32_t ParseColour(const std::string& text, const std::string& where) {
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw std::runtime_error(where + ": bad colour '" + text + "'");
    return static_cast<uint32_t>(std::stoul(text, nullptr, 16));
}

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, ',');)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

// Reads the key=value fields that follow the size.
void ReadOptions(std::istringstream& in, SkinEntry& entry, const std::string& where) {
    bool hasStates = false, hasKey = false, hasMatte = false;
    for (std::string field; in >> field;) {
        const auto eq = field.find('=');
        if (eq == std::string::npos)
            throw std::runtime_error(where + ": bad field " + field);
        const std::string name = field.substr(0, eq), value = field.substr(eq + 1);
        if (name == "states") {
            entry.states = SplitCommas(value);
            hasStates = !entry.states.empty();
        } else if (name == "key") {
            if (value != "none")
                entry.key = ParseColour(value, where);
            hasKey = true;
        } else if (name == "matte") {
            entry.matte = ParseColour(value, where);
            hasMatte = true;
        } else {
            throw std::runtime_error(where + ": unknown field " + name);
        }
    }
    if (!hasStates || !hasKey || !hasMatte)
        throw std::runtime_error(where + ": states, key and matte are required");
    if (entry.width % static_cast<int>(entry.states.size()) != 0)
        throw std::runtime_error(where + ": width does not split into equal cells");
}

}  // namespace

std::vector<SkinEntry> ReadSkinManifest(const std::string& path) {
    std::ifstream file(path);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    std::vector<SkinEntry> entries;
    int number = 0;
    for (std::string line; std::getline(file, line);) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        const std::string where = path + ":" + std::to_string(number);
        std::istringstream in(line);
        SkinEntry entry;
        if (!(in >> entry.id >> entry.file >> entry.width >> entry.height) || entry.width <= 0 ||
            entry.height <= 0)
            throw std::runtime_error(where + ": expected id, file, width and height");
        ReadOptions(in, entry, where);
        entries.push_back(std::move(entry));
    }
    return entries;
}
