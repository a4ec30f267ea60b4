#include "player/audio/AudioOut.h"

void WaveOutProc(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                 DWORD_PTR param2) {
    CAudioOut* audio = g_pAudioOut.load();
    if (audio == nullptr || !audio->IsOpen())
        return;
    if (WaveOutCallback callback = audio->GetCallback())
        callback(device, message, instance, param1, param2);
}

void OnWaveDone(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
    if (message == WOM_DONE)
        reinterpret_cast<CQueuedCount*>(instance)->Sub();
}
