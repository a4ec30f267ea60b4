// The names of an export's output files, made from the first GOP: the
// recording's vehicle id and start time and, per channel, its picture size
// and frames per GOP, in the folder the user chose (`outputDir`).
#pragma once

#include <string>

#include "shared/ExportNames.h"
#include "shared/ExtractParams.h"
#include "shared/GopRecords.h"

// Fills aviPath, movBase, mosaicPath, dvrPath and inxPath for the outputs
// switched on in `params` (channels below its numChannels). False when a
// name does not fit its 260-byte field: a cut name would point elsewhere.
bool FillExportNames(ExtractParams& params, const GopInfo& gop);
