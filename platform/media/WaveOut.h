// Waveform-audio output: the waveOut operations with their result codes and
// callback messages, over a device chosen by the environment variable
// DVR_AUDIO:
//   alsa (the default)  the system's default ALSA playback device; when it
//                       cannot be opened, waveOutOpen fails with
//                       MMSYSERR_NODRIVER, as a machine without sound does
//   null                a device paced by the injectable clock at the rate of
//                       the format, which keeps every byte it played
//                       (NullWaveDevice.h)
//   fail                a device that exists but refuses to open
//                       (MMSYSERR_ALLOCATED)
//   none                no device at all (MMSYSERR_BADDEVICEID)
// Any other value is treated as none.
//
// Buffers: the caller owns each WAVEHDR and its data. A written buffer belongs
// to the device until it comes back (WHDR_DONE set, WHDR_INQUEUE clear, then
// WOM_DONE): the device reads its data while it plays it, so a buffer in the
// queue must not be changed. The device changes dwFlags while it holds a
// buffer; callers read the flags through std::atomic_ref.
//
// Callback: with CALLBACK_FUNCTION, the callback gets WOM_OPEN inside
// waveOutOpen and WOM_CLOSE inside waveOutClose (on the caller's thread), and
// WOM_DONE (parameter 1 = the WAVEHDR*) once per buffer, in the order the
// buffers were written, on the device's own thread. The callback must not call
// waveOut functions. waveOutReset and waveOutClose wait for callbacks still
// running: never hold a lock that the callback takes while calling them.
//
// Threads: every function may be called from any thread; a stale or unknown
// handle gives MMSYSERR_INVALHANDLE.
#pragma once

#include <functional>

#include <cstdint>

#include "platform/base/WinTypes.h"

using MMRESULT = UINT;
using DWORD_PTR = uintptr_t;
struct HWAVEOUT__;
using HWAVEOUT = HWAVEOUT__*;

inline constexpr MMRESULT MMSYSERR_NOERROR = 0;
inline constexpr MMRESULT MMSYSERR_ERROR = 1;
inline constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
inline constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
inline constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
inline constexpr MMRESULT MMSYSERR_NODRIVER = 6;
inline constexpr MMRESULT MMSYSERR_NOMEM = 7;
inline constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
inline constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
inline constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
inline constexpr MMRESULT WAVERR_BADFORMAT = 32;
inline constexpr MMRESULT WAVERR_STILLPLAYING = 33;
inline constexpr MMRESULT WAVERR_UNPREPARED = 34;

inline constexpr UINT WAVE_MAPPER = 0xFFFFFFFFu;
inline constexpr WORD WAVE_FORMAT_PCM = 1;

inline constexpr DWORD CALLBACK_NULL = 0x00000000;
inline constexpr DWORD CALLBACK_FUNCTION = 0x00030000;

inline constexpr UINT WOM_OPEN = 0x3BB;
inline constexpr UINT WOM_CLOSE = 0x3BC;
inline constexpr UINT WOM_DONE = 0x3BD;

inline constexpr DWORD WHDR_DONE = 0x01;
inline constexpr DWORD WHDR_PREPARED = 0x02;
inline constexpr DWORD WHDR_BEGINLOOP = 0x04;
inline constexpr DWORD WHDR_ENDLOOP = 0x08;
inline constexpr DWORD WHDR_INQUEUE = 0x10;

struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};

// The loop fields are kept for callers that fill them; the devices play every
// buffer once (no device here supports loops).
struct WAVEHDR {
    char* lpData;
    DWORD dwBufferLength;
    DWORD dwBytesRecorded;
    DWORD_PTR dwUser;
    DWORD dwFlags;
    DWORD dwLoops;
    WAVEHDR* lpNext;
    DWORD_PTR reserved;
};

using WaveOutCallback = void (*)(HWAVEOUT device, UINT message, DWORD_PTR instance,
                                 DWORD_PTR param1, DWORD_PTR param2);

// deviceId: WAVE_MAPPER or 0 (the one device); any other id gives
// MMSYSERR_BADDEVICEID. format: PCM, 1 or 2 channels, 8 or 16 bits, block
// align and average bytes per second consistent, else WAVERR_BADFORMAT.
// flags: CALLBACK_NULL or CALLBACK_FUNCTION (callback = a WaveOutCallback).
MMRESULT waveOutOpen(HWAVEOUT* device, UINT deviceId, const WAVEFORMATEX* format,
                     DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
// Tests only: the next waveOutOpen of this process calls `hold` before it
// opens the device, so a test holds the opener there for as long as `hold`
// takes (a device slow to open).
void HoldNextWaveOutOpen(std::function<void()> hold);
// Stops the device and its thread. WAVERR_STILLPLAYING while buffers are
// queued (reset first).
MMRESULT waveOutClose(HWAVEOUT device);
// Marks a header usable for writing. size must be at least sizeof(WAVEHDR).
MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size);
// WAVERR_STILLPLAYING while the buffer is queued.
MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size);
// Queues a prepared buffer; WAVERR_UNPREPARED for an unprepared one,
// WAVERR_STILLPLAYING for one already queued.
MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT size);
// Pause holds playback where it is (queued buffers stay); Restart resumes it.
MMRESULT waveOutPause(HWAVEOUT device);
MMRESULT waveOutRestart(HWAVEOUT device);
// Stops playback and hands back every queued buffer (WOM_DONE each) before it
// returns. The pause state is left as it was.
MMRESULT waveOutReset(HWAVEOUT device);
// No buffer ever loops, so there is no loop to break: success.
MMRESULT waveOutBreakLoop(HWAVEOUT device);
