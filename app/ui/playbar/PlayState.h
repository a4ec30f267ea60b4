// The main window's playback state. It changes only when the player library
// confirms a command (or an open is accepted); the play bar keeps a copy for
// its play button's image.
#pragma once

enum PlayState : int {
    PLAY_IDLE = 0,     // no source open
    PLAY_OPENED = 1,   // open, not playing
    PLAY_PLAYING = 2,  // normal speed
    PLAY_PAUSED = 3,
    PLAY_FAST = 4,  // fast forward or fast backward
};
