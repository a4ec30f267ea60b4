// CRingSource, the part the disk and card readers share: the data ring read
// through one device handle (CRingReader), the times and probe values the
// open found, and the stop flag of an extraction. Not a reader by itself
// and without virtual operations; CHddSource and CSdSource derive from it
// and add their detection, opening and index reads.
//
// Threads and ownership as for the readers: no lock; the reader owns the
// ring's device handle.
#pragma once

#include <atomic>
#include <cstdint>

#include "player/disk/RingOpen.h"
#include "player/disk/RingReader.h"
#include "player/source/DataSource.h"
#include "player/source/GopReadResult.h"
#include "shared/PlayerInterface.h"

class CRingSource : public CDataSource {
public:
    CRingSource(const CRingSource&) = delete;
    CRingSource& operator=(const CRingSource&) = delete;

    bool IsOpen() const { return m_ring.IsOpen(); }
    // The drive still answers the media check; false when closed.
    bool IsPresent() const;

    int TellScreenNum() const { return IsOpen() ? m_screenNum : -1; }
    int TellGopVersion() const { return IsOpen() ? m_gopVersion : -1; }
    // Copies the vehicle id into 16 characters; -1 when closed or null.
    int TellCarId(char* carId) const;

    GopReadResult ReadGop(uint8_t* buffer, int* length) { return m_ring.ReadGop(buffer, length); }
    GopReadResult SkipGop(int n, uint8_t* buffer, int* length) {
        return m_ring.SkipGop(n, buffer, length);
    }
    GopReadResult ReadGopBack(uint8_t* buffer, int* length) {
        return m_ring.ReadGopBack(buffer, length);
    }
    GopReadResult SkipGopBack(int n, uint8_t* buffer, int* length) {
        return m_ring.SkipGopBack(n, buffer, length);
    }
    GopReadResult ReadGopRaw(uint8_t* buffer, int* length) {
        return m_ring.ReadGopRaw(buffer, length);
    }

    // Moves to a data position (rounded up to 512); -1 and the reader's error
    // report when it lies outside the readable range.
    int Seek(uint64_t position);
    int SeekRaw(uint64_t raw) { return m_ring.SeekRaw(raw); }

    uint64_t TellTotalLen() const { return IsOpen() ? m_ring.Layout().TotalLen() : kNoPosition; }
    uint64_t Tellp() const { return m_ring.Tellp(); }
    uint32_t TellBegTime() const { return IsOpen() ? m_begTime : 0; }
    uint32_t TellEndTime() const { return IsOpen() ? m_endTime : 0; }

    uint64_t LogicalToRaw(uint64_t position) const;
    uint64_t RawToLogical(uint64_t raw) const;
    bool IsInWrapPart(uint64_t raw) const { return m_ring.Layout().IsInWrapPart(raw); }

    // Set from any thread to end a running extraction before its next GOP.
    void SetStopFlag(bool stop) { m_stopFlag.store(stop); }
    bool StopFlag() const { return m_stopFlag.load(); }

protected:
    explicit CRingSource(zErrorCode seekError) : m_seekError(seekError) {}
    ~CRingSource() = default;

    // Takes the times and probe values of a successful OpenRing.
    void TakeOpening(const RingOpening& opening);

    CRingReader m_ring;

private:
    zErrorCode m_seekError;
    uint32_t m_begTime = 0;
    uint32_t m_endTime = 0;
    int m_screenNum = -1;
    char m_carId[16] = {};
    int m_gopVersion = -1;
    std::atomic<bool> m_stopFlag{false};
};
