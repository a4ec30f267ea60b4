#include "export/raw/RawCopyWriter.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>

#include "format/FrameHeader.h"
#include "shared/ByteOrder.h"
#include "shared/IndexRecords.h"
#include "shared/PairFiles.h"

namespace {

constexpr int kIndexInterval = 120;  // GOPs per index entry
constexpr int kTimeAt = 12;          // the first frame header's time
constexpr long kLastIndexAt = 8;     // InxHd::last
constexpr long kRecordSize = 16;

bool WriteAll(FILE* file, const void* bytes, size_t size) {
    return std::fwrite(bytes, 1, size, file) == size;
}

// Both names lead to one file (equal paths, or links to one file).
bool SameFile(FILE* a, FILE* b) {
    struct stat sa {};
    struct stat sb {};
    return ::fstat(::fileno(a), &sa) == 0 && ::fstat(::fileno(b), &sb) == 0 &&
           sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

}  // namespace

CRawCopyWriter::~CRawCopyWriter() {
    Close();
}

bool CRawCopyWriter::Open(const char* dvrPath, const char* inxPath) {
    if (m_DvrFile != nullptr || dvrPath == nullptr || inxPath == nullptr)
        return false;
    // Both are opened before either is emptied, so that a pair that cannot
    // be made costs no existing file its bytes.
    bool dvrCreated = false;
    bool inxCreated = false;
    m_Error = 0;
    errno = 0;
    m_DvrFile = OpenKeepingBytes(dvrPath, &dvrCreated);
    m_InxFile = m_DvrFile != nullptr ? OpenKeepingBytes(inxPath, &inxCreated) : nullptr;
    // Data and index in one file would overwrite each other.
    const bool oneFile = m_InxFile != nullptr && SameFile(m_DvrFile, m_InxFile);
    if (oneFile)
        errno = EINVAL;
    std::array<uint8_t, kRecordSize> header{};
    StoreU32(header.data(), kInxMagic);
    StoreU32(header.data() + 4, 1);
    if (m_DvrFile == nullptr || m_InxFile == nullptr || oneFile || !EmptyFile(m_DvrFile) ||
        !EmptyFile(m_InxFile) || !WriteAll(m_InxFile, header.data(), header.size())) {
        Fail();
        DiscardFile(&m_InxFile, inxCreated, inxPath);
        DiscardFile(&m_DvrFile, dvrCreated, dvrPath);
        return false;
    }
    m_DvrSize = 0;
    return true;
}

bool CRawCopyWriter::Fail() {
    if (m_Error == 0)
        m_Error = errno != 0 ? errno : EIO;
    return false;
}

bool CRawCopyWriter::WriteGop(const void* gop, int length) {
    if (m_DvrFile == nullptr || m_Error != 0 || gop == nullptr || length < kTimeAt + 4)
        return false;
    const auto* bytes = static_cast<const uint8_t*>(gop);
    // Readers find GOPs only on sector boundaries: a GOP handed in without
    // its sector padding gets it here.
    const size_t padding = (kSectorSize - size_t(length) % kSectorSize) % kSectorSize;
    static const std::array<uint8_t, kSectorSize> kZeros{};
    const uint64_t start = m_DvrSize;
    errno = 0;
    if (!WriteAll(m_DvrFile, bytes, size_t(length)) || !WriteAll(m_DvrFile, kZeros.data(), padding))
        return Fail();
    m_DvrSize += uint64_t(length) + padding;
    m_LastTime = LoadU32(bytes + kTimeAt);
    bool indexed = true;
    if (m_GopCounter == 0)
        indexed = AppendIndexEntry(m_LastTime, start);
    m_GopCounter = (m_GopCounter + 1) % kIndexInterval;
    return indexed;
}

bool CRawCopyWriter::AppendIndexEntry(uint32_t time, uint64_t offset) {
    std::array<uint8_t, kRecordSize> entry{};
    StoreU32(entry.data(), time);
    StoreU64(entry.data() + 8, offset);
    errno = 0;
    return WriteAll(m_InxFile, entry.data(), entry.size()) || Fail();
}

// The end mark at the data length, then the header's last entry: the number
// of records after the header, the end mark included.
bool CRawCopyWriter::FinishIndex() {
    if (!AppendIndexEntry(m_LastTime, m_DvrSize) || std::fflush(m_InxFile) != 0)
        return false;
    if (std::fseek(m_InxFile, 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(m_InxFile);
    if (size < 2 * kRecordSize)
        return false;
    std::array<uint8_t, 4> last{};
    StoreU32(last.data(), uint32_t(size / kRecordSize - 1));
    return std::fseek(m_InxFile, kLastIndexAt, SEEK_SET) == 0 &&
           WriteAll(m_InxFile, last.data(), last.size());
}

bool CRawCopyWriter::Close() {
    if (m_DvrFile == nullptr && m_InxFile == nullptr)
        return true;
    if (m_InxFile != nullptr) {
        errno = 0;
        if (!FinishIndex())
            Fail();
        errno = 0;
        if (std::fclose(m_InxFile) != 0)
            Fail();
        m_InxFile = nullptr;
    }
    if (m_DvrFile != nullptr) {
        errno = 0;
        if (std::fclose(m_DvrFile) != 0)
            Fail();
        m_DvrFile = nullptr;
    }
    return m_Error == 0;
}
