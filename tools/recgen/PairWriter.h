// Writes a `.dvr`/`.inx` recording pair from finished GOPs (GopBuilder):
// every GOP at the next 512-byte boundary with zero filler, its back link
// (`prevGopLength`) set, one index entry per GOP and the end mark. Gaps are
// left as holes, so files above 4 GiB cost no disk space.
//
// One thread uses a writer. It owns its two file descriptors and closes them
// when destroyed; I/O failures are reported as false results.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace recgen {

// Damage written into one GOP.
struct GopDamage {
    bool badMagic = false;  // the first header's magic is not 511
    // When above the GOP's length: gopLength says this many bytes and the GOP
    // occupies them on storage (the tail is a hole), e.g. more than a reader's buffer.
    uint32_t growTo = 0;
    // When set: the first header's gopLength says this many bytes, but the GOP
    // occupies only its true length and the next GOP follows it as usual (a
    // damaged length field).
    std::optional<uint32_t> statedLength = std::nullopt;
    // Written as the back link instead of the true one (bytes below version 4,
    // sectors in version 4), e.g. one reaching before the start of the file.
    std::optional<uint32_t> backLink = std::nullopt;
};

struct FinishOptions {
    std::set<std::size_t> omittedEntries = {};  // GOP numbers (from 0) left out of the index
    uint64_t cutBytes = 0;  // the `.dvr` is cut this much short after the index is written
    // End mark time; by default one second after the last GOP (0 without GOPs).
    std::optional<uint32_t> endTime = std::nullopt;
    // Header fields written instead of the true ones (1 and the end mark's number).
    std::optional<uint32_t> indexFirst = std::nullopt;
    std::optional<uint32_t> indexLast = std::nullopt;
    uint64_t inxCutBytes = 0;  // the `.inx` is cut this much short after it is written
    // Data length the end mark gives; by default the end of the last GOP's sectors.
    std::optional<uint64_t> indexedLength = std::nullopt;
};

// Where a GOP landed.
struct GopPlacement {
    uint64_t offset;
    uint32_t length;  // gopLength as written (the true one under a damaged length field)
    uint32_t time;
};

class PairWriter {
public:
    // Creates (truncates) both files; null when either cannot be created.
    static std::unique_ptr<PairWriter> Create(const std::string& dvrPath,
                                              const std::string& inxPath);
    ~PairWriter();
    PairWriter(const PairWriter&) = delete;
    PairWriter& operator=(const PairWriter&) = delete;

    // Zero sectors before the next GOP (rounded up to 512 bytes). The GOP after
    // a gap gets no back link, since no GOP lies directly before it.
    void AddGap(uint64_t bytes);
    // Places the GOP and sets its back link: the previous GOP's length for
    // versions below 4 (0 when it does not fit the 20-bit field), its length
    // in sectors for version 4.
    bool AddGop(std::vector<uint8_t> gop, const GopDamage& damage = {});
    // Writes the index and closes both files; the writer is finished after it.
    bool Finish(const FinishOptions& options = {});

    const std::vector<GopPlacement>& Placements() const { return placements_; }
    uint64_t DataLength() const { return end_; }

private:
    PairWriter(int dvr, int inx) : dvr_(dvr), inx_(inx) {}
    uint32_t BackLinkFor(uint32_t version) const;
    bool WriteIndex(const FinishOptions& options);
    bool CloseFiles();

    int dvr_;
    int inx_;
    uint64_t end_ = 0;  // data length: the end of the last GOP's sectors
    bool afterGap_ = false;
    std::vector<GopPlacement> placements_;
};

}  // namespace recgen
