// CMovFileSet: the files of one channel's movie while it is written: the
// `.mov` (media data appended GOP by GOP behind its `ftyp`, `wide` and
// `mdat` header), the `.ssa` subtitles and the ten sample-table work files.
// Its first GOP fixes the track (picture size, timescale of fps x 100 ticks
// a second) and the audio sample rate; GOPs at another rate are passed by.
//
// Video frames are timed from the audio: each GOP's frames share the span of
// its audio samples, so the movie's picture and sound stay together whatever
// the GOP's length.
//
// Threads and ownership: as CMovWriter, which owns the sets.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "export/mov/MovGop.h"
#include "export/mov/MovTables.h"
#include "export/mov/MovWriter.h"
#include "export/ssa/SsaEventText.h"
#include "export/ssa/SsaWriter.h"

class CMovFileSet {
public:
    // Creates every file of the set, none of which may exist yet; null when
    // one cannot be created (the ones created are removed again, and `error`
    // gets the system's reason).
    static std::unique_ptr<CMovFileSet> Create(const std::string& base, int* error);
    ~CMovFileSet();
    CMovFileSet(const CMovFileSet&) = delete;
    CMovFileSet& operator=(const CMovFileSet&) = delete;

    // True when the set takes this GOP for `channel`: it is not broken, the
    // GOP has frames of the channel (before the first GOP) and its audio
    // rate is the set's.
    bool Takes(const MovGop& gop, int channel) const;
    // The channel's frames and audio of the GOP; the first GOP writes the
    // heads of the movie and of the subtitles. False when a file failed: the
    // set is broken from then on.
    bool WriteGop(const MovGop& gop, int channel);
    // The span of the audio of the last GOP written.
    SsaSpan LastSpan() const;
    // Appends to the subtitles. Once a subtitle write fails the subtitles
    // take nothing more, but the movie goes on.
    void WriteSubtitle(const std::string& text);

    // Appends the `moov` atom, sets the `mdat` size and closes every file,
    // deleting the work files. A set without GOPs, or a broken one, leaves
    // no files at all.
    MovFinished Finish();

private:
    explicit CMovFileSet(std::string base) : m_Base(std::move(base)) {}
    bool OpenFiles();
    void RemoveFiles();
    bool WriteHead(const MovGop& gop, int channel);
    bool WriteFrame(const MovFrame& frame);
    bool WriteAudio(const std::vector<uint8_t>& samples);
    bool WriteFrameTimes(uint32_t frames);
    bool WriteMoov();
    // Breaks the set, keeping the system's reason for the write that failed.
    bool Fail();

    std::string m_Base;
    FILE* m_Mov = nullptr;
    CSsaWriter m_Ssa;
    MovTableSet m_Tables;
    bool m_MovCreated = false;
    bool m_SsaCreated = false;
    bool m_Broken = false;     // the movie cannot be completed
    int m_Error = 0;           // why: errno of the write that failed
    int m_SubtitlesError = 0;  // errno of the subtitle write that failed
    uint32_t m_MovGops = 0;
    uint64_t m_MovBytes = 0;  // length of the .mov so far
    uint32_t m_VideoSamples = 0;
    uint64_t m_AudioSamples = 0;      // at the end of the last GOP
    uint64_t m_PrevAudioSamples = 0;  // at its start
    uint64_t m_VideoTicks = 0;        // duration of the frames written
    MovTrack m_Track;                 // of the first GOP
    uint32_t m_Timescale = 0;
    int m_SampleRate = 0;
    int m_SampleBits = 0;
    std::vector<uint8_t> m_Sps;  // the latest of the channel
    std::vector<uint8_t> m_Pps;
};
