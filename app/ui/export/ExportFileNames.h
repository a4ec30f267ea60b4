// The names of an export's output files, made from the first GOP: the
// recording's vehicle id and start time and, per channel, its picture size
// and frames per GOP, in the folder the user chose (`outputDir`).
#pragma once

#include <string>

#include "shared/ExtractParams.h"
#include "shared/GopRecords.h"

// "yyyyMMdd_HHmm_ss" of a recording time (calendar fields, no time zone).
std::string ExportTimeText(uint32_t time);

// The vehicle id (up to 16 bytes, to the first NUL) made safe inside a file
// name: path separators, runs of dots and control characters become '_', so
// an id can neither leave the output folder nor break the name.
std::string SafeVehicleId(const char (&carId)[16]);

// Fills aviPath, movBase, mosaicPath, dvrPath and inxPath for the outputs
// switched on in `params` (channels below its numChannels). False when a
// name does not fit its 260-byte field: a cut name would point elsewhere.
bool FillExportNames(ExtractParams& params, const GopInfo& gop);
