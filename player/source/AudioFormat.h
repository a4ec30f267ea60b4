// The audio format of the last successful probe of any reader. Not cleared
// when a source closes: a source whose probe accepts no GOP keeps the
// previous source's values. Written by a reader's open (under the source
// manager's lock), read from any thread; each value is atomic on its own.
#pragma once

#include <atomic>

extern std::atomic<int> g_nSampleRate;  // Hz; 0 until a probe succeeds
extern std::atomic<int> g_nSampleBits;  // bits per sample; 0 until a probe succeeds

void SetAudioFormat(int sampleRate, int sampleBits);
void GetAudioFormat(int* sampleRate, int* sampleBits);
