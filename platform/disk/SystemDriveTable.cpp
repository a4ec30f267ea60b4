#include "platform/disk/SystemDriveTable.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>

namespace fs = std::filesystem;

namespace {

bool IsOctalEscape(const std::string& text, size_t i) {
    if (text[i] != '\\' || i + 3 >= text.size())
        return false;
    return std::all_of(text.begin() + long(i) + 1, text.begin() + long(i) + 4,
                       [](char c) { return c >= '0' && c <= '7'; });
}

// mountinfo writes blanks and backslashes in paths as \ooo.
std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsOctalEscape(text, i)) {
            out += char(std::stoi(text.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string FirstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

struct Disk {
    std::string name;  // as in /sys/block
    bool removable = false;
};

std::vector<Disk> ListDisks(const fs::path& sysRoot) {
    std::vector<Disk> disks;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(sysRoot / "block", error)) {
        // Only disks backed by a device: loop, RAM and mapper devices have none.
        if (fs::exists(entry.path() / "device", error))
            disks.push_back(
                {entry.path().filename().string(), FirstLine(entry.path() / "removable") == "1"});
    }
    std::sort(disks.begin(), disks.end(),
              [](const Disk& a, const Disk& b) { return a.name < b.name; });
    return disks;
}

// The disk and partition names of a block device number, from its sysfs node.
std::optional<std::pair<std::string, std::string>> DiskOfDevice(const fs::path& sysRoot,
                                                                const MountEntry& mount) {
    std::error_code error;
    const fs::path node =
        fs::canonical(sysRoot / "dev" / "block" /
                          (std::to_string(mount.major) + ":" + std::to_string(mount.minor)),
                      error);
    if (error)
        return std::nullopt;
    const std::string name = node.filename().string();
    if (fs::exists(node / "partition", error))
        return std::make_pair(node.parent_path().filename().string(), name);
    return std::make_pair(name, name);
}

}  // namespace

std::optional<MountEntry> ParseMountInfoLine(const std::string& line) {
    std::istringstream in(line);
    std::string id, parent, numbers, root, mountPoint;
    if (!(in >> id >> parent >> numbers >> root >> mountPoint))
        return std::nullopt;
    MountEntry entry;
    char colon = 0;
    std::istringstream pair(numbers);
    if (!(pair >> entry.major >> colon >> entry.minor) || colon != ':')
        return std::nullopt;
    entry.mountPoint = Unescape(mountPoint);
    return entry;
}

DriveTable ReadSystemDriveTable(const std::string& mountInfo, const std::string& sysRoot,
                                const std::string& devRoot) {
    DriveTable table;
    const std::vector<Disk> disks = ListDisks(sysRoot);
    for (size_t i = 0; i < disks.size(); ++i)
        table.physical.push_back({DWORD(i), (fs::path(devRoot) / disks[i].name).string(), true});

    std::ifstream in(mountInfo);
    std::set<std::pair<unsigned, unsigned>> seen;
    char letter = 'C';
    for (std::string line; std::getline(in, line) && letter <= 'Z';) {
        const std::optional<MountEntry> mount = ParseMountInfoLine(line);
        if (!mount || !seen.insert({mount->major, mount->minor}).second)
            continue;
        const auto names = DiskOfDevice(sysRoot, *mount);
        if (!names)
            continue;
        auto disk = std::find_if(disks.begin(), disks.end(),
                                 [&](const Disk& d) { return d.name == names->first; });
        if (disk == disks.end())
            continue;
        LogicalDrive drive;
        drive.letter = letter++;
        drive.kind = disk->removable ? DriveKind::Removable : DriveKind::Fixed;
        drive.root = mount->mountPoint;
        drive.device = (fs::path(devRoot) / names->second).string();
        drive.deviceNumber = DWORD(disk - disks.begin());
        table.logical.push_back(drive);
    }
    return table;
}
