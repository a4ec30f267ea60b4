// The parts of export file names that the program and the export library
// both make: the recording time and the vehicle id.
#pragma once

#include <cstdint>
#include <string>

// "yyyyMMdd_HHmm_ss" of a recording time (calendar fields, no time zone).
std::string ExportTimeText(uint32_t time);

// The vehicle id (up to 16 bytes, to the first NUL) made safe inside a file
// name: path separators, runs of dots and control characters become '_', so
// an id can neither leave the output folder nor break the name.
std::string SafeVehicleId(const char (&carId)[16]);
