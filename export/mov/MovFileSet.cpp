#include "export/mov/MovFileSet.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <limits>

#include "export/mov/BoxOutput.h"
#include "export/mov/MoovAtom.h"
#include "export/mov/MovHead.h"

namespace {

constexpr uint8_t kUlawSilence = 0xFF;

// The system's reason of the call that just failed, EIO when it left none.
int LastError() {
    return errno != 0 ? errno : EIO;
}

}  // namespace

std::unique_ptr<CMovFileSet> CMovFileSet::Create(const std::string& base, int* error) {
    std::unique_ptr<CMovFileSet> set(new CMovFileSet(base));
    errno = 0;
    if (!set->OpenFiles()) {
        *error = LastError();
        set->RemoveFiles();
        return nullptr;
    }
    *error = 0;
    return set;
}

CMovFileSet::~CMovFileSet() {
    if (m_Mov != nullptr)
        std::fclose(m_Mov);
}

bool CMovFileSet::OpenFiles() {
    // Exclusively: a movie never replaces a file, even one made since its name was chosen.
    m_Mov = std::fopen((m_Base + ".mov").c_str(), "wbx");
    m_MovCreated = m_Mov != nullptr;
    m_SsaCreated = m_MovCreated && m_Ssa.Open(m_Base + ".ssa");
    if (!m_SsaCreated)
        return false;
    for (int t = 0; t < kMovTableCount; ++t) {
        if (!m_Tables[size_t(t)].Open(m_Base + kMovTableSuffixes[size_t(t)]))
            return false;
    }
    return true;
}

void CMovFileSet::RemoveFiles() {
    if (m_Mov != nullptr)
        std::fclose(m_Mov);
    m_Mov = nullptr;
    m_Ssa.Close();
    for (CSampleTable& table : m_Tables)
        table.Remove();
    // Only what this set created: a file it could not open is someone else's.
    if (m_MovCreated)
        std::remove((m_Base + ".mov").c_str());
    if (m_SsaCreated)
        std::remove((m_Base + ".ssa").c_str());
}

bool CMovFileSet::Fail() {
    if (!m_Broken)
        m_Error = LastError();
    m_Broken = true;
    return false;
}

bool CMovFileSet::Takes(const MovGop& gop, int channel) const {
    if (m_Broken || m_Mov == nullptr)
        return false;
    if (m_MovGops == 0)
        return gop.tracks[size_t(channel)].present;
    return gop.sampleRate == m_SampleRate;
}

bool CMovFileSet::WriteHead(const MovGop& gop, int channel) {
    m_Track = gop.tracks[size_t(channel)];
    m_Timescale = uint32_t(std::max(m_Track.fps, 1)) * 100;
    m_SampleRate = gop.sampleRate;
    m_MovBytes = kMovHeadSize;
    WriteSubtitle(SsaHeader(m_Track.width, m_Track.height));
    return WriteMovHead(m_Mov);
}

bool CMovFileSet::WriteFrame(const MovFrame& frame) {
    ++m_VideoSamples;
    if (!m_Tables[kVideoChunkOffsets].Append(uint32_t(m_MovBytes)))
        return false;
    if (frame.keyFrame) {
        m_Sps.assign(frame.sps.begin(), frame.sps.end());
        m_Pps.assign(frame.pps.begin(), frame.pps.end());
        if (!m_Tables[kVideoSyncSamples].Append(m_VideoSamples))
            return false;
    }
    const uint32_t size = frame.SampleSize();
    if (!m_Tables[kVideoSampleSizes].Append(size))
        return false;
    CBoxOutput out(m_Mov);
    for (std::span<const uint8_t> unit : frame.units) {
        out.U32(uint32_t(unit.size()));
        out.Bytes(unit);
    }
    m_MovBytes += size;
    return out.Ok();
}

// A GOP without audio for the channel gets one second of u-law silence, so
// that its frames keep their time and the audio track stays whole.
bool CMovFileSet::WriteAudio(const std::vector<uint8_t>& samples) {
    const std::vector<uint8_t> silence(samples.empty() ? size_t(m_SampleRate) : 0, kUlawSilence);
    const std::vector<uint8_t>& chunk = samples.empty() ? silence : samples;
    m_PrevAudioSamples = m_AudioSamples;
    m_AudioSamples += chunk.size();
    if (!m_Tables[kAudioChunkOffsets].Append(uint32_t(m_MovBytes)) ||
        !m_Tables[kAudioSamplesPerChunk].Append(uint32_t(chunk.size())))
        return false;
    CBoxOutput out(m_Mov);
    out.Bytes(chunk.data(), chunk.size());
    m_MovBytes += chunk.size();
    return out.Ok();
}

// The frames of the GOP share the ticks its audio lasts; the first frame
// takes what an even split leaves over, so no time is lost between GOPs.
bool CMovFileSet::WriteFrameTimes(uint32_t frames) {
    if (frames == 0)
        return true;
    const uint64_t end = m_AudioSamples * m_Timescale / uint64_t(m_SampleRate);
    const uint64_t ticks = end - m_VideoTicks;
    const uint32_t each = uint32_t(ticks / frames);
    const uint32_t first = uint32_t(ticks - uint64_t(each) * (frames - 1));
    m_VideoTicks = end;
    bool ok = m_Tables[kVideoSttsCounts].Append(1) && m_Tables[kVideoSttsDurations].Append(first);
    if (frames > 1)
        ok = ok && m_Tables[kVideoSttsCounts].Append(frames - 1) &&
             m_Tables[kVideoSttsDurations].Append(each);
    return ok;
}

bool CMovFileSet::WriteGop(const MovGop& gop, int channel) {
    if (m_MovGops == 0 && !WriteHead(gop, channel))
        return Fail();
    m_SampleBits = gop.sampleBits;  // the sample description states the last GOP's
    uint32_t frames = 0;
    for (const MovFrame& frame : gop.frames) {
        if (frame.channel != channel)
            continue;
        if (!WriteFrame(frame))
            return Fail();
        ++frames;
    }
    if (!WriteAudio(gop.audio[size_t(channel)]) || !WriteFrameTimes(frames))
        return Fail();
    ++m_MovGops;
    return true;
}

SsaSpan CMovFileSet::LastSpan() const {
    return {m_PrevAudioSamples, m_AudioSamples, m_SampleRate};
}

void CMovFileSet::WriteSubtitle(const std::string& text) {
    errno = 0;
    if (m_SubtitlesError == 0 && !m_Ssa.WriteText(text))
        m_SubtitlesError = LastError();
}

bool CMovFileSet::WriteMoov() {
    const uint32_t total = uint32_t(m_AudioSamples);
    if (!m_Tables[kVideoSamplesPerChunk].Append(1) || !m_Tables[kAudioSttsCount].Append(total) ||
        !m_Tables[kAudioSampleCount].Append(total))
        return false;
    MoovFacts facts;
    facts.timescale = m_Timescale;
    facts.videoDuration = uint32_t(m_VideoTicks);
    facts.width = m_Track.width;
    facts.height = m_Track.height;
    facts.sps = m_Sps;
    facts.pps = m_Pps;
    facts.sampleRate = uint32_t(m_SampleRate);
    facts.sampleBits = uint32_t(m_SampleBits);
    facts.audioSamples = total;
    facts.audioDuration = uint32_t(m_AudioSamples * m_Timescale / uint64_t(m_SampleRate));
    facts.longOffsets = m_MovBytes > std::numeric_limits<uint32_t>::max();
    CBoxOutput out(m_Mov);
    return ::WriteMoov(out, facts, m_Tables) && WriteMdatSize(m_Mov, m_MovBytes);
}

MovFinished CMovFileSet::Finish() {
    MovFinished finished{.started = true, .empty = m_MovGops == 0};
    if (m_Mov == nullptr)
        return finished;
    errno = 0;
    if (m_Broken || m_MovGops == 0 || !WriteMoov()) {
        // A movie that never had a GOP has no pictures to give.
        finished.error = m_Broken ? m_Error : m_MovGops == 0 ? ENODATA : LastError();
        RemoveFiles();
        return finished;
    }
    const bool movieClosed = std::fclose(m_Mov) == 0;
    finished.error = movieClosed ? 0 : LastError();
    m_Mov = nullptr;
    // The subtitles' failure is theirs alone: the movie stays.
    errno = 0;
    if (!m_Ssa.Close() && m_SubtitlesError == 0)
        m_SubtitlesError = LastError();
    for (CSampleTable& table : m_Tables)
        table.Remove();
    if (!movieClosed) {
        RemoveFiles();
        return finished;
    }
    // Failed subtitles leave no file.
    if (m_SubtitlesError != 0 && m_SsaCreated)
        std::remove((m_Base + ".ssa").c_str());
    finished.movie = true;
    finished.subtitles = m_SubtitlesError == 0;
    finished.subtitlesError = m_SubtitlesError;
    return finished;
}
