#include "tests/export/mov/BoxTree.h"

#include <map>

namespace {

// Where the children of a container start, counted from its size field.
const std::map<std::string, size_t> kChildrenAt = {{"moov", 8},  {"trak", 8},  {"mdia", 8},
                                                   {"minf", 8},  {"dinf", 8},  {"stbl", 8},
                                                   {"stsd", 16}, {"dref", 16}, {"avc1", 86}};

bool ParseRange(const std::vector<uint8_t>& file, size_t begin, size_t end, std::vector<Box>* boxes,
                std::string* error) {
    size_t at = begin;
    while (at < end) {
        if (end - at < 8) {
            *error = "a box header is cut off at " + std::to_string(at);
            return false;
        }
        Box box;
        box.offset = at;
        box.size = Be32(file, at);
        box.type.assign(reinterpret_cast<const char*>(&file[at + 4]), 4);
        if (box.size < 8 || box.size > end - at) {
            *error = "box " + box.type + " at " + std::to_string(at) + " has size " +
                     std::to_string(box.size) + " with " + std::to_string(end - at) + " left";
            return false;
        }
        const auto children = kChildrenAt.find(box.type);
        if (children != kChildrenAt.end() &&
            !ParseRange(file, at + children->second, at + box.size, &box.children, error))
            return false;
        at += box.size;
        boxes->push_back(std::move(box));
    }
    return true;
}

}  // namespace

uint32_t Be32(const std::vector<uint8_t>& file, size_t at) {
    return uint32_t(file.at(at)) << 24 | uint32_t(file.at(at + 1)) << 16 |
           uint32_t(file.at(at + 2)) << 8 | file.at(at + 3);
}

uint16_t Be16(const std::vector<uint8_t>& file, size_t at) {
    return uint16_t(file.at(at) << 8 | file.at(at + 1));
}

const Box* Box::Find(const std::string& path, int index) const {
    const size_t slash = path.find('/');
    const std::string step = path.substr(0, slash);
    for (const Box& child : children) {
        if (child.type != step || index-- > 0)
            continue;
        return slash == std::string::npos ? &child : child.Find(path.substr(slash + 1));
    }
    return nullptr;
}

bool ParseBoxTree(const std::vector<uint8_t>& file, Box* root, std::string* error) {
    *root = Box{};
    root->type = "file";
    root->size = uint32_t(file.size());
    return ParseRange(file, 0, file.size(), &root->children, error);
}
