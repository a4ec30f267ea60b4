#include "export/mov/MovWriter.h"

#include <cerrno>

#include "export/mov/MovFileSet.h"
#include "export/mov/MovGop.h"
#include "export/ssa/SubtitleTelemetry.h"

namespace {

// A key frame must carry the parameter sets the movie's sample description
// is made of; without them the channel's GOP cannot be stored.
bool KeyFramesComplete(const MovGop& gop, int channel) {
    for (const MovFrame& frame : gop.frames) {
        if (frame.channel == channel && frame.keyFrame && (frame.sps.empty() || frame.pps.empty()))
            return false;
    }
    return true;
}

}  // namespace

CMovWriter::CMovWriter() = default;

CMovWriter::~CMovWriter() {
    for (int k = 0; k < kChannels; ++k)
        FinishMovFile(k);
}

void CMovWriter::BeginExport(const SubtitleOptions& subtitles) {
    m_Subtitles = subtitles;
    m_FirstGop = true;
}

int CMovWriter::StartMovFile(int channel, const char* movBase, int* error) {
    int reason = EINVAL;
    if (channel >= 0 && channel < kChannels && movBase != nullptr) {
        FinishMovFile(channel);
        m_SsaEvent = 0;
        m_Sets[size_t(channel)] = CMovFileSet::Create(movBase, &reason);
    }
    if (error != nullptr)
        *error = reason;
    return reason == 0 ? 0 : -1;
}

MovFinished CMovWriter::FinishMovFile(int channel) {
    if (channel < 0 || channel >= kChannels || !m_Sets[size_t(channel)])
        return {};
    const MovFinished finished = m_Sets[size_t(channel)]->Finish();
    m_Sets[size_t(channel)].reset();
    return finished;
}

int CMovWriter::WriteMovGop(const uint8_t* gop, int length) {
    MovGop parsed;
    if (length <= 0 || !ReadMovGop(gop, size_t(length), &parsed))
        return -1;
    if (!m_FirstGop)
        parsed.sampleBits = 16;
    m_FirstGop = false;
    // A damaged channel costs only its own set this GOP.
    bool written = true;
    std::array<bool, kMovChannels> taking{};
    for (int k = 0; k < parsed.channelCount; ++k) {
        if (!m_Sets[size_t(k)] || !m_Sets[size_t(k)]->Takes(parsed, k))
            continue;
        taking[size_t(k)] = !parsed.damaged[size_t(k)] && KeyFramesComplete(parsed, k);
        written = written && taking[size_t(k)];
    }
    for (int k = 0; k < parsed.channelCount; ++k) {
        if (taking[size_t(k)] && !m_Sets[size_t(k)]->WriteGop(parsed, k)) {
            taking[size_t(k)] = false;
            written = false;
        }
    }
    WriteSubtitleEvents(parsed, taking);
    return written ? 0 : -1;
}

// Event numbers run over every channel of the GOP, with a set or not: first
// the Time events, then, with telemetry, the Log events.
void CMovWriter::WriteSubtitleEvents(const MovGop& gop,
                                     const std::array<bool, kMovChannels>& taking) {
    for (int k = 0; k < gop.channelCount; ++k) {
        ++m_SsaEvent;
        if (taking[size_t(k)]) {
            CMovFileSet& set = *m_Sets[size_t(k)];
            set.WriteSubtitle(
                SsaTimeEvent(m_SsaEvent, set.LastSpan(), m_Subtitles.dateTime, gop.time));
        }
    }
    if (gop.telemetry.empty())
        return;
    const SubtitleTelemetry telemetry =
        ReadSubtitleTelemetry(gop.telemetry.data(), gop.telemetry.size());
    for (int k = 0; k < gop.channelCount; ++k) {
        ++m_SsaEvent;
        if (taking[size_t(k)]) {
            CMovFileSet& set = *m_Sets[size_t(k)];
            set.WriteSubtitle(SsaLogEvent(m_SsaEvent, set.LastSpan(), telemetry, m_Subtitles));
        }
    }
}
