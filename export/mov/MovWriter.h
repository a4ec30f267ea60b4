// CMovWriter: the MOV outputs of one export, one QuickTime movie per channel
// ("<base>.mov") with one H.264 video track and one G.711 u-law audio track,
// beside its SubStation Alpha subtitle file ("<base>.ssa"). Frames are stored
// as they come (start codes replaced by lengths), the u-law audio of each GOP
// follows it as one chunk; nothing is decoded or encoded.
//
// A channel's file set (the movie, its subtitles and the sample-table work
// files "<base>.vsttsA" ... "<base>.astco") is started by StartMovFile,
// receives every GOP through WriteMovGop, and becomes a finished movie in
// FinishMovFile, which appends the `moov` atom and deletes the work files.
//
// Threads: no lock. Every call comes from the export controller on the
// player library's extraction thread, one at a time.
//
// Ownership: the writer owns its files and closes them in FinishMovFile and
// in its destructor (which finishes every set still open). GOP buffers stay
// the caller's and are only read, never written.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "export/ssa/SubtitleOptions.h"

class CMovFileSet;
struct MovGop;

// What finishing a channel's set left behind.
struct MovFinished {
    bool started = false;    // the channel had a set
    bool empty = false;      // the set received no GOP (and left no files)
    bool movie = false;      // "<base>.mov" is a whole movie
    bool subtitles = false;  // "<base>.ssa" holds every subtitle event
    int error = 0;           // why the movie is not whole: errno (ENODATA without a GOP)
    int subtitlesError = 0;  // why the subtitles are not
};

class CMovWriter {
public:
    static constexpr int kChannels = 16;

    CMovWriter();
    ~CMovWriter();
    CMovWriter(const CMovWriter&) = delete;
    CMovWriter& operator=(const CMovWriter&) = delete;

    // At the start of an export (zExtractPre): what the subtitles of its
    // sets show.
    void BeginExport(const SubtitleOptions& subtitles);

    // Creates the channel's file set from `movBase` (UTF-8, without
    // extension; channel 0 to 15) and restarts the shared subtitle event
    // numbering. No file of the set may exist yet. 0, or -1 when a file
    // cannot be created (`error`, when given, gets the system's reason): the
    // files it had created are closed and removed, and the channel has no
    // set, so later GOPs pass it by. A set still open on the channel is
    // finished first.
    int StartMovFile(int channel, const char* movBase, int* error = nullptr);

    // One GOP of the export (`length` bytes, as read from the source) into
    // every started set of a channel below the GOP's channel count: its
    // frames, its audio (one second of u-law silence per channel when the
    // GOP carries none) and its subtitle events. 0 when written; -1 when the
    // GOP is not a version 3 or 4 GOP (nothing of it is written), or when a
    // set had to pass it by because its channel's frames are damaged (not
    // Annex B, lost where the frame walk broke off, a key frame without SPS
    // or PPS): the other channels' sets take the GOP as usual. A movie or
    // work file that fails to write
    // ends its set's writing (-1); FinishMovFile then only closes and
    // removes its files. A subtitle file that fails costs only the
    // subtitles: the movie goes on.
    // Movies above 4 GiB get 64-bit chunk offsets and media data size.
    int WriteMovGop(const uint8_t* gop, int length);

    // Completes the channel's movie and closes the set. A set that received
    // no GOP, or whose movie failed, leaves no files. Nothing happens when
    // the channel has no set.
    MovFinished FinishMovFile(int channel);

private:
    void WriteSubtitleEvents(const MovGop& gop, const std::array<bool, kChannels>& taking);

    std::array<std::unique_ptr<CMovFileSet>, kChannels> m_Sets;
    SubtitleOptions m_Subtitles;
    // The export's first GOP is still to come: only its sample width code
    // reaches the movies' sample description; later GOPs state 16 bits.
    bool m_FirstGop = true;
    int m_SsaEvent = 0;  // shared by all channels: numbers every subtitle event
};
