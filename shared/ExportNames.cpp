#include "shared/ExportNames.h"

#include <algorithm>
#include <cstdio>

#include "shared/RecordingCalendar.h"

namespace {

bool IsUnsafe(unsigned char c) {
    return c < 0x20 || c == 0x7F || c == '/' || c == '\\';
}

}  // namespace

std::string ExportTimeText(uint32_t time) {
    const std::tm c = RecordingCalendar(time);
    char text[64];
    std::snprintf(text, sizeof text, "%d%02d%02d_%02d%02d_%02d", c.tm_year + 1900, c.tm_mon + 1,
                  c.tm_mday, c.tm_hour, c.tm_min, c.tm_sec);
    return text;
}

std::string SafeVehicleId(const char (&carId)[16]) {
    const std::string id(carId, std::find(carId, carId + 16, '\0'));
    std::string safe = id;
    for (size_t i = 0; i < id.size(); ++i) {
        const bool dotRun = id[i] == '.' && ((i + 1 < id.size() && id[i + 1] == '.') ||
                                             (i > 0 && id[i - 1] == '.'));
        if (dotRun || IsUnsafe(static_cast<unsigned char>(id[i])))
            safe[i] = '_';
    }
    return safe;
}
