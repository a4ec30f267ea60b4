#include "player/record/RecordWriter.h"

#include <cstdint>
#include <initializer_list>

#include "shared/ByteOrder.h"
#include "shared/IndexRecords.h"
#include "shared/PairFiles.h"

namespace {

constexpr int kPathSize = 260;
constexpr int kRecordSize = 16;

bool BuildName(char (&name)[kPathSize], const char* baseName, const char* extension) {
    const int length = snprintf(name, kPathSize, "%s.%s", baseName, extension);
    return length > 0 && length < kPathSize;  // a cut name would create another file
}

bool WriteAt(FILE* file, off_t offset, const uint8_t* bytes, size_t size) {
    return fseeko(file, offset, SEEK_SET) == 0 && fwrite(bytes, 1, size, file) == size;
}

off_t SizeOf(FILE* file) {
    return fseeko(file, 0, SEEK_END) == 0 ? ftello(file) : -1;
}

}  // namespace

CRecordWriter::~CRecordWriter() {
    if (IsRecording())
        Stop();
}

bool CRecordWriter::SetRecord(const char* baseName, bool on) {
    return on ? Start(baseName) : Stop();
}

bool CRecordWriter::Start(const char* baseName) {
    if (IsRecording() || baseName == nullptr)
        return false;
    char dvrName[kPathSize], inxName[kPathSize];
    if (!BuildName(dvrName, baseName, "dvr") || !BuildName(inxName, baseName, "inx"))
        return false;
    // Both are opened before either is emptied, so that a pair that cannot
    // be made costs no existing recording its bytes and leaves no new file.
    bool dvrCreated = false, inxCreated = false;
    m_recordDvr = OpenKeepingBytes(dvrName, &dvrCreated);
    m_recordInx = m_recordDvr != nullptr ? OpenKeepingBytes(inxName, &inxCreated) : nullptr;
    uint8_t header[kRecordSize];
    StoreU32(header, kInxMagic);
    StoreU32(header + 4, 1);  // first
    StoreU32(header + 8, 0);  // last, written by Stop
    StoreU32(header + 12, 0);
    if (m_recordDvr == nullptr || m_recordInx == nullptr || !EmptyFile(m_recordDvr) ||
        !EmptyFile(m_recordInx) || !WriteAt(m_recordInx, 0, header, sizeof header)) {
        DiscardFile(&m_recordDvr, dvrCreated, dvrName);
        DiscardFile(&m_recordInx, inxCreated, inxName);
        return false;
    }
    return true;
}

bool CRecordWriter::Stop() {
    if (!IsRecording())
        return false;
    const bool finished = FinishIndex();
    return CloseFiles() && finished;
}

bool CRecordWriter::FinishIndex() {
    if (fflush(m_recordDvr) != 0)
        return false;
    const off_t dvrSize = SizeOf(m_recordDvr);
    const off_t inxSize = SizeOf(m_recordInx);
    if (dvrSize < 0 || inxSize < 0)
        return false;
    uint8_t endMark[kRecordSize] = {};  // time 0, event 0
    StoreU64(endMark + 8, uint64_t(dvrSize));
    uint8_t last[4];
    StoreU32(last, uint32_t((inxSize + kRecordSize) / kRecordSize - 1));
    return WriteAt(m_recordInx, inxSize, endMark, sizeof endMark) &&
           WriteAt(m_recordInx, 8, last, sizeof last);
}

bool CRecordWriter::CloseFiles() {
    // fclose flushes what is still buffered: its failure is a lost index.
    bool closed = true;
    for (FILE** file : {&m_recordDvr, &m_recordInx}) {
        if (*file != nullptr && fclose(*file) != 0)
            closed = false;
        *file = nullptr;
    }
    return closed;
}
