#include "player/disk/RingScan.h"

#include <algorithm>

#include "format/FrameHeader.h"
#include "platform/base/Clock.h"
#include "platform/base/File.h"
#include "player/disk/RingLayout.h"
#include "player/source/Sectors.h"
#include "player/source/SeekHandle64.h"
#include "shared/IndexRing.h"

namespace {

constexpr uint64_t kScanBlock = 65536;  // bytes per read while looking for headers
// The stored `last` (one past the newest) must stay an entry number.
constexpr size_t kMaxRebuiltEntries = kIndexRingSize - 1;

int Progress(uint64_t done, uint64_t total) {
    return int(double(std::min(done, total)) / double(total) * 10000.0);
}

// One read of the scan, followed by its pause (keeps the machine responsive
// during a scan of hours).
bool ReadPaced(HANDLE device, uint64_t offset, uint8_t* into, uint64_t size) {
    DWORD got = 0;
    const bool read = SeekHandle64(device, offset, FILE_BEGIN) != kSeekFailed &&
                      ReadFile(device, into, DWORD(size), &got) && got == DWORD(size);
    Sleep(1);
    return read;
}

// Where the scan goes after the header at `raw`. A header's length is
// trusted only when it leads past this sector and stays inside the ring;
// otherwise the very next sector is examined, so that no GOP header is
// passed over.
uint64_t NextScanOffset(const FrameHeader& header, uint64_t raw, uint64_t length) {
    const uint64_t size = GopStorageSize(header.gopLength);
    if (header.gopLength <= kSector || raw + size > length)
        return raw + kSector;
    return raw + size;
}

// What the scan learns from the GOP headers, in raw order.
class HeaderTrail {
public:
    explicit HeaderTrail(uint64_t length)
        : m_reserveStart(length > kDiskRingReserve ? length - kDiskRingReserve : length) {}

    void Add(uint64_t raw, const FrameHeader& header, std::vector<InxUnit>* entries) {
        if (raw >= m_reserveStart)
            return;  // stale: the recorder starts no GOP in the reserve
        FollowChain(raw, header);
        if (header.time != m_lastTime && header.time % 60 == 0 &&
            entries->size() < kMaxRebuiltEntries) {
            entries->push_back({header.time, 0, raw});
            m_lastTime = header.time;
        }
    }

    // Older lap first when the ring has wrapped; true then.
    bool PutInRingOrder(std::vector<InxUnit>* entries) const {
        if (!m_firstLinks || m_runEnd == kNoPosition)
            return false;
        const auto older =
            std::stable_partition(entries->begin(), entries->end(),
                                  [this](const InxUnit& e) { return e.offset >= m_runEnd; });
        return older != entries->begin();
    }

private:
    void FollowChain(uint64_t raw, const FrameHeader& header) {
        const uint64_t size = GopStorageSize(header.gopLength);
        const uint64_t link = PreviousGopSize(header);
        if (!m_any) {
            m_any = true;
            m_firstLinks = link != 0;
        } else if (m_runEnd == kNoPosition && link != 0 &&
                   (link != m_prevSize || m_prevStart + m_prevSize != raw)) {
            m_runEnd = raw;
        }
        m_prevStart = raw;
        m_prevSize = size;
    }

    uint64_t m_reserveStart;
    uint32_t m_lastTime = 0;
    bool m_any = false;
    bool m_firstLinks = false;  // the ring's first GOP links back: it has wrapped once
    uint64_t m_prevStart = 0;
    uint64_t m_prevSize = 0;
    uint64_t m_runEnd = kNoPosition;  // where the newest run ends
};

// Examines the `size` bytes read at `raw`; where the next read starts.
uint64_t ExamineBlock(const uint8_t* block, uint64_t raw, uint64_t size, uint64_t length,
                      HeaderTrail& trail, std::vector<InxUnit>* entries) {
    for (uint64_t at = raw; at < raw + size;) {
        const FrameHeader header = ReadFrameHeader(block + (at - raw));
        if (header.magic != kFrameMagic) {
            at += kSector;
            continue;
        }
        trail.Add(at, header, entries);
        at = NextScanOffset(header, at, length);
        if (at >= raw + size)
            return at;
    }
    return raw + size;
}

}  // namespace

RebuildScan ScanRing(HANDLE device, uint64_t start, uint64_t length, RebuildCallback callback,
                     const std::atomic<bool>* stop, RingScanResult* result) {
    std::vector<uint8_t> block(kScanBlock);
    HeaderTrail trail(length);
    uint64_t sectorBySectorUntil = 0;  // the rest of a block that could not be read whole
    for (uint64_t raw = 0; raw < length;) {
        if (stop != nullptr && stop->load())
            return RebuildScan::Stopped;
        const bool wholeBlock = raw >= sectorBySectorUntil;
        const uint64_t size = wholeBlock ? std::min(kScanBlock, length - raw) : kSector;
        if (ReadPaced(device, start + raw, block.data(), size)) {
            raw = ExamineBlock(block.data(), raw, size, length, trail, &result->entries);
        } else if (wholeBlock && size > kSector) {
            sectorBySectorUntil = raw + size;  // find which of its sectors cannot be read
        } else {
            ++result->unreadableSectors;
            raw += kSector;
        }
        if (callback != nullptr)
            callback(kRebuildKind, nullptr, Progress(raw, length));
    }
    result->wrapped = trail.PutInRingOrder(&result->entries);
    return RebuildScan::Written;
}
