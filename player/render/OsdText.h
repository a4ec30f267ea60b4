// The on-screen text of a channel: its number, its picture size by name
// where the recorder has one, and its frame rate.
#pragma once

#include <string>

// channel 0-based; frames: the channel's frame count in the GOP. The rate
// shown is the frame count for version 4 and twice it for older versions.
std::wstring FormatOsdText(int channel, int width, int height, int version, int frames);
