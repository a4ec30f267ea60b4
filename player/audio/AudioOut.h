// CAudioOut: plays the recordings' PCM through the waveform output
// (platform/media/WaveOut.h): the PCM format, a ring of 50 wave buffers, the
// gain every sample is multiplied by, and the count of buffers the device has
// not played yet, by which the display slows the video while the audio lags.
//
// Threads: the playback thread opens, writes and closes; the exports set the
// format (while closed) and the gain; the display threads read the queued
// count; the device's thread calls WaveOutProc. Open, NextHeader, Write,
// WriteGopAudio, Close and CloseReset are for one thread at a time (the
// playback thread).
//
// Locks: the queued count has its own lock (CQueuedCount). No lock is held
// while the device is called: the device's reset and close wait for callbacks
// still running, and those take the count's lock. Closing clears the open flag
// first, so completions that arrive while the device is reset and closed are
// not passed on.
//
// Errors go to the player's error sink (player/errors): 40010, 40013 and
// 40014, the open failures with the device's result code as the value.
//
// Buffers: the 50 buffers are allocated by Open and freed by the closes, after
// the device has handed every one of them back (reset).
#pragma once

#include <atomic>
#include <memory>

#include "platform/media/WaveOut.h"
#include "player/audio/QueuedCount.h"

class CAudioOut {
public:
    static constexpr int kHeaderCount = 50;
    static constexpr int kBufferSize = 0x14000;
    // A GOP's audio goes out in at most this many buffers.
    static constexpr int kChunksPerGop = 20;

    // The first CAudioOut constructed (the player's) names itself in
    // g_pAudioOut until it is destroyed. Format 22050 Hz, 16 bits, mono; gain 1.
    CAudioOut();
    ~CAudioOut();  // closes with reset when open
    CAudioOut(const CAudioOut&) = delete;
    CAudioOut& operator=(const CAudioOut&) = delete;

    // Refused with error 40010 while open; refused without an error for
    // values that are not positive or a block that would not fit its field.
    // The device judges the rest when it opens.
    bool SetFormat(int samplesPerSec, int bits, int channels);
    void GetFormat(int* samplesPerSec, int* bits, int* channels) const;

    // Opens the default device for the format; true at once when open. A
    // failure reports 40013 (no such device) or 40014 (any other result).
    bool Open();
    bool IsOpen() const { return m_bOpen.load(); }

    // The next buffer of the ring for the caller to fill (lpData, set
    // dwBufferLength). Null while closed, and while that buffer is still
    // queued at the device: the device reads it as it plays, so it is not
    // handed out again before it comes back (the caller skips the chunk).
    WAVEHDR* NextHeader();
    // Writes a filled buffer and counts it as queued (before the device can
    // report it done, so a quick completion cannot leave the count one too
    // high): callers do not AddQueued for it. False while closed or when the
    // device refuses.
    bool Write(WAVEHDR* header);

    // One GOP's PCM: cut into at most 20 chunks (each even, together all of
    // it), each into the next free buffer, the gain applied when `voice`,
    // written. A chunk finding no free buffer is dropped. A failed write
    // closes the device with reset and gives false; false too while closed or
    // when a chunk would not fit a buffer.
    bool WriteGopAudio(const unsigned char* pcm, int bytes, bool voice);

    // Both: reset the device (every buffer comes back), unprepare and free the
    // buffers, close the device. Close: false when not open, keeps the count.
    // CloseReset: true when not open, clears the count.
    bool Close();
    bool CloseReset();
    // Resets the device: what it plays stops and every queued buffer comes
    // back (the count follows the completions); it stays open. True when
    // open.
    bool Reset();

    // False (and unchanged) for a negative or not finite gain.
    bool SetGain(float gain);
    float GetGain() const { return m_fGain.load(); }
    // Multiplies every whole sample of data (16-bit signed or 8-bit unsigned,
    // as the format says) by the gain, truncated toward zero and held at the
    // limits of the sample. False for other sample widths.
    bool ApplyGain(unsigned char* data, int length) const;

    int TellQueued() const { return m_queued.Tell(); }
    void AddQueued() { m_queued.Add(); }
    void SubQueued() { m_queued.Sub(); }

    // Playback thread.
    HWAVEOUT GetHandle() const { return m_hWaveOut; }
    // The completion callback WaveOutProc passes the device's calls to (the
    // player sets OnWaveDone); until set, completions are not counted.
    void SetCallback(WaveOutCallback callback) { m_pfnCallback.store(callback); }
    WaveOutCallback GetCallback() const { return m_pfnCallback.load(); }

private:
    MMRESULT PrepareBuffers();
    void ShutDown();

    WAVEFORMATEX m_format{};
    HWAVEOUT m_hWaveOut = nullptr;
    std::unique_ptr<char[]> m_pBuffers;  // kHeaderCount x kBufferSize, while open
    WAVEHDR m_headers[kHeaderCount] = {};
    int m_nNext = 0;
    std::atomic<bool> m_bOpen{false};
    std::atomic<float> m_fGain{1.0f};
    CQueuedCount m_queued;  // the device's callback instance data points here
    std::atomic<WaveOutCallback> m_pfnCallback{nullptr};
};

// The player's audio output, for the device's callback.
extern std::atomic<CAudioOut*> g_pAudioOut;

// The device's callback: when g_pAudioOut is open and has a completion
// callback, passes all five arguments on to it. Device thread.
void WaveOutProc(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                 DWORD_PTR param2);

// The completion callback: on WOM_DONE, takes one off the CQueuedCount that
// `instance` points to. Device thread.
void OnWaveDone(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                DWORD_PTR param2);
