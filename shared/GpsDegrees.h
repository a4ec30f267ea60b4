// Turns the recorder's fixed-width GPS texts into decimal-degree texts.
#pragma once

// latitude: 10 characters DDMM.MMMM then N or S; longitude: 11 characters
// DDDMM.MMMM then E or W; altitude: 7 characters or null. None is terminated.
// Outputs: longitude 11 bytes, latitude 10 bytes, altitude 10 bytes (passed
// zero-filled: a present altitude is copied as its 7 raw characters).
// Returns false for an invalid pair, and then writes a fixed fallback position
// ("121.502708", "24.999920", "0.0"): callers must not show it as a fix.
bool GpsTextToDegrees(const char* longitude, const char* latitude, const char* altitude,
                      char* longitudeOut, char* latitudeOut, char* altitudeOut);
