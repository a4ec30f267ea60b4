// What the map pane needs of the main window's playback control. The main
// window implements it; the map pane and the floating map window call it on
// the UI thread when a page asks for a seek.
#pragma once

#include <cstdint>

class IMapPaneHost {
public:
    virtual ~IMapPaneHost() = default;

    // The play state is PLAY_PLAYING.
    virtual bool IsPlayStatePlaying() const = 0;
    // g_PendingSeek := `position`, valid: the seek that status 7 (playing)
    // sends and status 19 (seek done) consumes.
    virtual void ArmPendingSeek(uint64_t position) = 0;
    // g_nAudioChannel: the audio track every play command carries.
    virtual int AudioChannel() const = 0;
};
