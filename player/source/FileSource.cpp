#include "player/source/FileSource.h"

#include <climits>
#include <cstdio>
#include <string>

#include "platform/base/LastError.h"
#include "player/errors/ErrorSink.h"
#include "player/source/AudioFormat.h"
#include "player/source/IndexCodec.h"
#include "player/source/Sectors.h"
#include "player/source/SourceProbe.h"

namespace {

constexpr long kRecordSize = 16;

// An index number from the header as a record number; out-of-range numbers
// become 0, which every index read refuses.
int RecordNumber(uint32_t index) {
    return index > uint32_t(INT_MAX) ? 0 : int(index);
}

// The system error of a failed stream read: errno for an I/O error, 0 for a
// file that simply ends early.
DWORD ReadError(FILE* stream) {
    return ferror(stream) ? GetLastError() : 0;
}

bool ReadRecord(FILE* stream, int64_t offset, uint8_t (&record)[kRecordSize]) {
    return fseeko(stream, off_t(offset), SEEK_SET) == 0 &&
           fread(record, 1, kRecordSize, stream) == size_t(kRecordSize);
}

// Closes an open stream and empties its path. fclose releases the stream even
// when it fails, so the stream is gone either way; a failure is reported.
bool CloseStream(FILE** stream, char (&path)[kSourcePathSize], zErrorCode failure) {
    if (*stream == nullptr)
        return true;
    const bool closed = fclose(*stream) == 0;
    *stream = nullptr;
    path[0] = '\0';
    if (!closed)
        ReportError(failure);
    return closed;
}

}  // namespace

CFileSource::CFileSource(const CDataSource& paths) {
    CopyPaths(paths);
}

CFileSource::~CFileSource() {
    if (m_dvrFile != nullptr)
        fclose(m_dvrFile);
    if (m_inxFile != nullptr)
        fclose(m_inxFile);
}

int CFileSource::Open(const char* dvrPath, const char* inxPath) {
    if (m_dvrFile != nullptr || m_inxFile != nullptr)
        return -1;
    if (dvrPath == nullptr || inxPath == nullptr)
        return -1;
    // Copies first: Reopen passes our own path buffers, which are rewritten below.
    const std::string dvr = dvrPath, inx = inxPath;
    if (dvr.size() >= kSourcePathSize || inx.size() >= kSourcePathSize)
        return -1;
    if (!OpenStreams(dvr.c_str(), inx.c_str()))
        return -1;
    StorePath(DataFile, dvr.c_str());
    StorePath(TimeIndexFile, inx.c_str());
    m_screenNum = -1;
    m_gopVersion = -1;
    m_carId[0] = '\0';
    SeekStream(0);
    m_position = 0;
    Probe();
    clearerr(m_dvrFile);  // the probe may have met the end of the file
    SeekStream(0);
    m_position = 0;
    return 0;
}

// Opens both streams and reads the index ends; on failure both are closed
// again before the error is reported. A .dvr that cannot be opened is
// refused without a report.
bool CFileSource::OpenStreams(const char* dvrPath, const char* inxPath) {
    m_dvrFile = fopen(dvrPath, "rb");
    if (m_dvrFile == nullptr)
        return false;
    m_inxFile = fopen(inxPath, "rb");
    if (m_inxFile == nullptr) {
        const DWORD error = GetLastError();
        CloseAfterFailedOpen();
        ReportError(ERR_INDEX_OPEN_FAILED, error);
        return false;
    }
    DWORD error = 0;
    if (!ReadIndexEnds(&error)) {
        CloseAfterFailedOpen();
        ReportError(ERR_INDEX_UNREADABLE, error);
        return false;
    }
    return true;
}

// False when the header, entry `first` or entry `last` cannot be read (with
// the system error of the read) or when the data length is 0.
bool CFileSource::ReadIndexEnds(DWORD* systemError) {
    InxHd header{};
    InxUnit first{}, last{};
    if (!ReadTimeInxHd(&header) || !ReadTimeInxUnit(RecordNumber(header.first), &first) ||
        !ReadTimeInxUnit(RecordNumber(header.last), &last)) {
        *systemError = ReadError(m_inxFile);
        return false;
    }
    if (last.offset == 0)
        return false;
    m_begTime = first.time;
    m_endTime = last.time;
    m_totalLen = last.offset;
    return true;
}

void CFileSource::Probe() {
    FrameSet set{};
    if (!ProbeFirstGops(*this, &set))
        return;
    m_screenNum = set.channels;
    m_gopVersion = int(set.version);
    SetAudioFormat(set.sampleRate, set.sampleBits);
    snprintf(m_carId, sizeof m_carId, "%s", set.carId);
}

void CFileSource::CloseAfterFailedOpen() {
    if (m_dvrFile != nullptr)
        fclose(m_dvrFile);
    if (m_inxFile != nullptr)
        fclose(m_inxFile);
    m_dvrFile = m_inxFile = nullptr;
    DataFile[0] = TimeIndexFile[0] = '\0';
}

int CFileSource::Reopen() {
    if (IsOpen() || DataFile[0] == '\0' || TimeIndexFile[0] == '\0')
        return -1;
    return Open(DataFile, TimeIndexFile);
}

int CFileSource::Close() {
    const bool dvrClosed = CloseStream(&m_dvrFile, DataFile, ERR_DATA_FILE_CLOSE);
    const bool inxClosed = CloseStream(&m_inxFile, TimeIndexFile, ERR_INDEX_FILE_CLOSE);
    return dvrClosed && inxClosed ? 0 : -1;
}

int CFileSource::TellScreenNum() const {
    return IsOpen() ? m_screenNum : -1;
}

int CFileSource::TellGopVersion() const {
    return IsOpen() ? m_gopVersion : -1;
}

int CFileSource::TellCarId(char* carId) const {
    if (!IsOpen() || carId == nullptr)
        return -1;
    snprintf(carId, sizeof m_carId, "%s", m_carId);
    return 0;
}

uint64_t CFileSource::TellTotalLen() const {
    return IsOpen() ? m_totalLen : ~uint64_t(0);
}

uint64_t CFileSource::Tellp() const {
    return IsOpen() ? m_position : ~uint64_t(0);
}

uint32_t CFileSource::TellBegTime() const {
    return IsOpen() ? m_begTime : 0;
}

uint32_t CFileSource::TellEndTime() const {
    return IsOpen() ? m_endTime : 0;
}

int CFileSource::Seek(uint64_t position) {
    if (!IsOpen()) {
        ReportError(ERR_FILE_SEEK_NOT_OPEN);
        return -1;
    }
    const uint64_t target = RoundUpToSector(position);
    if (target > m_totalLen) {
        ReportError(ERR_FILE_SEEK_OUT_OF_RANGE);
        return -1;
    }
    clearerr(m_dvrFile);
    if (!SeekStream(target)) {
        ReportError(ERR_FILE_SEEK_FAILED);
        return -1;
    }
    m_position = target;
    return 0;
}

bool CFileSource::ReadTimeInxHd(InxHd* header) {
    uint8_t record[kRecordSize];
    if (m_inxFile == nullptr || header == nullptr || !ReadRecord(m_inxFile, 0, record))
        return false;
    *header = DecodeInxHd(record);
    return true;
}

bool CFileSource::ReadTimeInxUnit(int index, InxUnit* unit) {
    uint8_t record[kRecordSize];
    if (index <= 0 || m_inxFile == nullptr || unit == nullptr ||
        !ReadRecord(m_inxFile, int64_t(index) * kRecordSize, record))
        return false;
    *unit = DecodeInxUnit(record);
    return true;
}

uint64_t CFileSource::IndexRecordCount() {
    if (fseeko(m_inxFile, 0, SEEK_END) != 0)
        return 0;
    const off_t size = ftello(m_inxFile);
    return size < 0 ? 0 : uint64_t(size) / kRecordSize;
}

bool CFileSource::SeekStream(uint64_t position) {
    if (position > uint64_t(INT64_MAX))
        return false;
    if (ftello(m_dvrFile) == off_t(position))
        return true;
    return fseeko(m_dvrFile, off_t(position), SEEK_SET) == 0;
}

GopReadResult CFileSource::FailAtStreamOffset() {
    const off_t offset = ftello(m_dvrFile);
    if (offset >= 0)
        m_position = uint64_t(offset);
    return GopReadResult::Failed;
}
