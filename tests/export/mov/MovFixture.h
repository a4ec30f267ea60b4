// A recording exported to MOV files, and readers for what the movie holds.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "export/mov/MovWriter.h"
#include "tests/export/mov/BoxTree.h"
#include "tests/tools/recgen/TempDir.h"

using Gops = std::vector<std::vector<uint8_t>>;

// The entries of a table box: `perEntry` u32 values each, after the version
// word, the entry count and `skip` more words.
std::vector<std::vector<uint32_t>> TableEntries(const std::vector<uint8_t>& file, const Box& box,
                                                int perEntry, int skip = 0);

// What one channel's frames should become as samples: every unit but the
// parameter sets and SEI, behind its 4-byte length.
std::vector<std::vector<uint8_t>> ExpectedSamples(const Gops& gops, int channel);

struct Movie {
    std::vector<uint8_t> bytes;
    Box root;
    const Box* moov = nullptr;
    const Box* Trak(int index) const { return moov->Find("trak", index); }
};

// Reads and walks `<base>.mov`; fails the test when a box does not fit.
Movie ReadMovie(const std::string& base);

// Exports the GOPs to MOV sets for `channels`, each named "ch<k>" in `dir`.
void ExportMov(const Gops& gops, const std::vector<int>& channels, const TempDir& dir,
               const SubtitleOptions& options = {});
