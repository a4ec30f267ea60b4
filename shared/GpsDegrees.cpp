#include "GpsDegrees.h"

#include "ClassicNumbers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Digits everywhere but the point and the hemisphere letter.
bool Matches(const char* text, int length, int pointAt, char positive, char negative) {
    for (int i = 0; i < length; ++i) {
        const char c = text[i];
        if (i == pointAt) {
            if (c != '.')
                return false;
        } else if (i == length - 1) {
            if (c != positive && c != negative)
                return false;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// Degrees and minutes in single precision, as the recorder's own tools compute them.
float Degrees(const char* text, int degreeDigits, bool negative) {
    const std::string degrees(text, std::size_t(degreeDigits));
    const std::string minutesText(text + degreeDigits, 7);
    float minutes = float(std::atof(minutesText.c_str()));
    minutes = float(minutes / 60.0);
    const float value = float(std::atoi(degrees.c_str()) + minutes);
    return negative ? -value : value;
}

// Prints with "%<width>f" and keeps the first `width` characters: longer
// values lose their last digits, shorter ones keep their leading spaces.
void FormatCut(float value, int width, char* out) {
    char scratch[20] = {};
    std::snprintf(scratch, sizeof scratch, "%*f", width, double(value));
    std::memcpy(out, scratch, std::size_t(width));
    out[width] = '\0';
}

}  // namespace

bool GpsTextToDegrees(const char* longitude, const char* latitude, const char* altitude,
                      char* longitudeOut, char* latitudeOut, char* altitudeOut) {
    const ClassicNumberScope classicNumbers;
    if (!Matches(latitude, 10, 4, 'N', 'S') || !Matches(longitude, 11, 5, 'E', 'W')) {
        std::strcpy(longitudeOut, "121.502708");
        std::strcpy(latitudeOut, "24.999920");
        std::strcpy(altitudeOut, "0.0");
        return false;
    }
    if (altitude == nullptr) {
        std::strcpy(altitudeOut, "0.0");
    } else {
        std::memcpy(altitudeOut, altitude, 7);
    }
    FormatCut(Degrees(longitude, 3, longitude[10] == 'W'), 10, longitudeOut);
    FormatCut(Degrees(latitude, 2, latitude[9] == 'S'), 9, latitudeOut);
    return true;
}
