// The GOP walks of CFileSource: the forward sector scan behind ReadGop and
// SkipGop, and the back-link walk behind ReadGopBack and SkipGopBack.
#include <algorithm>

#include "player/source/BackLink.h"
#include "player/source/FileSource.h"
#include "player/source/GopWalk.h"
#include "player/source/Sectors.h"

bool CFileSource::ReadSector(uint64_t position, uint8_t* sector) {
    if (!SeekStream(position))
        return false;
    const size_t got = fread(sector, 1, kSectorSize, m_dvrFile);
    return got == size_t(kSectorSize);
}

GopReadResult CFileSource::FindGopForward(uint8_t* sector) {
    for (;;) {
        if (feof(m_dvrFile) || m_position >= m_totalLen)
            return GopReadResult::End;
        const uint64_t at = RoundUpToSector(m_position);
        if (at >= m_totalLen)
            return GopReadResult::End;
        if (!ReadSector(at, sector)) {
            // A sector cut by the end of the file cannot start a whole GOP.
            if (feof(m_dvrFile) && !ferror(m_dvrFile))
                return GopReadResult::End;
            return FailAtStreamOffset();
        }
        m_position = at + kSector;
        if (StartsGop(sector)) {
            m_position = at;
            return GopReadResult::Read;
        }
    }
}

// A GOP that is larger than the buffer, runs past the data or cannot be read
// whole (its length field may be damaged) is reported once, then passed: its
// first sector is skipped so that the next read finds the GOP after it,
// instead of failing again or standing at the end of the file.
GopReadResult CFileSource::ReadGopAt(uint64_t start, uint64_t size, uint8_t* buffer, int* length) {
    if (size > uint64_t(*length) || !SeekStream(start) ||
        fread(buffer, 1, size, m_dvrFile) != size) {
        clearerr(m_dvrFile);
        m_position = start + kSector;
        SeekStream(m_position);
        return GopReadResult::Failed;
    }
    m_position = start + size;
    *length = int(size);
    return GopReadResult::Read;
}

// A skip passes a GOP by its length, or by its first sector when that length
// runs past the data, so that a damaged length field does not end the walk.
void CFileSource::PassGop(uint64_t size) {
    m_position += size <= m_totalLen - std::min(m_position, m_totalLen) ? size : kSector;
    SeekStream(m_position);
}

GopReadResult CFileSource::ScanForward(int pass, uint8_t* buffer, int* length) {
    if (!IsOpen() || !UsableGopBuffer(buffer, length))
        return GopReadResult::NotOpen;
    return WalkGopsForward(
        pass, buffer, length, [this](uint8_t* sector) { return FindGopForward(sector); },
        [this](uint64_t size, uint8_t* into, int* got) {
            return ReadGopAt(m_position, size, into, got);
        },
        [this](uint64_t size) { PassGop(size); },
        [this](uint64_t size) {
            m_position -= size - kSector;
            SeekStream(m_position);
        });
}

GopReadResult CFileSource::ReadGop(uint8_t* buffer, int* length) {
    return ScanForward(0, buffer, length);
}

GopReadResult CFileSource::SkipGop(int n, uint8_t* buffer, int* length) {
    if (n < 1)
        return GopReadResult::NotOpen;
    return ScanForward(n, buffer, length);
}

GopReadResult CFileSource::FindBackLink(GopLink* link) {
    // Sectors past the end of the file hold no GOP: the search starts at the
    // last one there is (the data length may lie beyond the file's end).
    if (fseeko(m_dvrFile, 0, SEEK_END) != 0)
        return FailAtStreamOffset();
    const uint64_t fileEnd = uint64_t(ftello(m_dvrFile));
    const uint64_t from = std::min(RoundUpToSector(m_position), RoundUpToSector(fileEnd));
    for (uint64_t at = from;;) {
        uint8_t sector[kSectorSize];
        if (ReadSector(at, sector)) {
            const LinkFound found = GopBefore(sector, at, std::min(from, fileEnd), link);
            if (found == LinkFound::Yes)
                return GopReadResult::Read;
            if (found == LinkFound::BeforeStart)
                break;
        } else if (!feof(m_dvrFile)) {
            return FailAtStreamOffset();
        }
        if (at == 0)
            break;
        at -= kSector;
    }
    SeekStream(0);
    m_position = 0;
    return GopReadResult::Start;
}

GopReadResult CFileSource::ScanBackward(int pass, uint8_t* buffer, int* length) {
    if (!IsOpen() || !UsableGopBuffer(buffer, length))
        return GopReadResult::NotOpen;
    return WalkGopsBackward(
        pass, buffer, length, [this](uint8_t*, int, GopLink* link) { return FindBackLink(link); },
        [this](uint64_t start) {
            m_position = start;
            SeekStream(m_position);
        },
        [this](const GopLink& link, uint8_t* into) {
            if (fread(into, 1, link.size, m_dvrFile) != link.size)
                return FailAtStreamOffset();
            SeekStream(m_position);
            return GopReadResult::Read;
        });
}

GopReadResult CFileSource::ReadGopBack(uint8_t* buffer, int* length) {
    return ScanBackward(0, buffer, length);
}

GopReadResult CFileSource::SkipGopBack(int n, uint8_t* buffer, int* length) {
    if (n < 1)
        return GopReadResult::NotOpen;
    return ScanBackward(n, buffer, length);
}
