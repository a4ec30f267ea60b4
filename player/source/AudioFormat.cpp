#include "player/source/AudioFormat.h"

std::atomic<int> g_nSampleRate{0};
std::atomic<int> g_nSampleBits{0};

void SetAudioFormat(int sampleRate, int sampleBits) {
    g_nSampleRate.store(sampleRate);
    g_nSampleBits.store(sampleBits);
}

void GetAudioFormat(int* sampleRate, int* sampleBits) {
    if (sampleRate != nullptr)
        *sampleRate = g_nSampleRate.load();
    if (sampleBits != nullptr)
        *sampleBits = g_nSampleBits.load();
}
