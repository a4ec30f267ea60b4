#include "player/disk/RingSource.h"

#include <cstdio>

#include "platform/disk/DeviceControl.h"
#include "player/errors/ErrorSink.h"
#include "player/source/AudioFormat.h"

bool CRingSource::IsPresent() const {
    return IsOpen() && DeviceIoControl(m_ring.Device(), IOCTL_DISK_CHECK_VERIFY, nullptr, 0,
                                       nullptr, 0, nullptr);
}

int CRingSource::TellCarId(char* carId) const {
    if (!IsOpen() || carId == nullptr)
        return -1;
    snprintf(carId, sizeof m_carId, "%s", m_carId);
    return 0;
}

int CRingSource::Seek(uint64_t position) {
    if (LogicalToRaw(position) == kNoPosition) {
        ReportError(m_seekError);
        return -1;
    }
    return m_ring.SeekLogical(position);
}

uint64_t CRingSource::LogicalToRaw(uint64_t position) const {
    return IsOpen() ? m_ring.Layout().LogicalToRaw(position) : kNoPosition;
}

uint64_t CRingSource::RawToLogical(uint64_t raw) const {
    return IsOpen() ? m_ring.Layout().RawToLogical(raw) : kNoPosition;
}

void CRingSource::TakeOpening(const RingOpening& opening) {
    m_begTime = opening.begTime;
    m_endTime = opening.endTime;
    m_screenNum = opening.probed ? opening.probe.channels : -1;
    m_gopVersion = opening.probed ? int(opening.probe.version) : -1;
    snprintf(m_carId, sizeof m_carId, "%s", opening.probed ? opening.probe.carId : "");
    if (opening.probed)
        SetAudioFormat(opening.probe.sampleRate, opening.probe.sampleBits);
}
