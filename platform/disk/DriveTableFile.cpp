#include "platform/disk/DriveTableFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// The rest of the line after the fields read so far, without leading blanks.
std::string RestOfLine(std::istringstream& in) {
    std::string rest;
    std::getline(in >> std::ws, rest);
    return rest;
}

bool ParseLogical(std::istringstream& in, DriveTable* table) {
    std::string letter, kind;
    LogicalDrive drive;
    if (!(in >> letter >> kind >> drive.deviceNumber) || letter.size() != 1)
        return false;
    drive.letter = char(std::toupper(static_cast<unsigned char>(letter[0])));
    if (drive.letter < 'A' || drive.letter > 'Z' || (kind != "removable" && kind != "fixed"))
        return false;
    drive.kind = kind == "removable" ? DriveKind::Removable : DriveKind::Fixed;
    drive.root = RestOfLine(in);
    drive.device = drive.root;
    if (drive.root.empty())
        return false;
    table->logical.push_back(drive);
    return true;
}

bool ParsePhysical(std::istringstream& in, DriveTable* table) {
    std::string presence;
    PhysicalDrive drive;
    if (!(in >> drive.number >> presence) || (presence != "present" && presence != "absent"))
        return false;
    drive.present = presence == "present";
    drive.path = RestOfLine(in);
    if (drive.path.empty())
        return false;
    table->physical.push_back(drive);
    return true;
}

bool ParseLine(const std::string& line, DriveTable* table) {
    std::istringstream in(line);
    std::string word;
    if (!(in >> word) || word[0] == '#')
        return true;
    if (word == "logical")
        return ParseLogical(in, table);
    if (word == "physical")
        return ParsePhysical(in, table);
    return false;
}

}  // namespace

bool ReadDriveTableFile(const std::string& path, DriveTable* table) {
    *table = {};
    std::ifstream in(path);
    if (!in)
        return false;
    for (std::string line; std::getline(in, line);) {
        if (!ParseLine(line, table)) {
            *table = {};
            return false;
        }
    }
    std::sort(table->logical.begin(), table->logical.end(),
              [](const auto& a, const auto& b) { return a.letter < b.letter; });
    std::sort(table->physical.begin(), table->physical.end(),
              [](const auto& a, const auto& b) { return a.number < b.number; });
    return true;
}

bool WriteDriveTableFile(const std::string& path, const DriveTable& table) {
    const std::string temporary = path + ".new";
    {
        std::ofstream out(temporary, std::ios::trunc);
        for (const LogicalDrive& d : table.logical) {
            out << "logical " << d.letter << ' '
                << (d.kind == DriveKind::Removable ? "removable " : "fixed ") << d.deviceNumber
                << ' ' << d.root << '\n';
        }
        for (const PhysicalDrive& d : table.physical)
            out << "physical " << d.number << (d.present ? " present " : " absent ") << d.path
                << '\n';
        if (!out.flush())
            return false;
    }
    return std::rename(temporary.c_str(), path.c_str()) == 0;
}
