// Which display a program runs on. The headless display is the default for
// tests; a program calls ChooseDisplayBackend() at start-up and gets the GTK
// display when a display server is there, headless otherwise. The variable
// DVR_DISPLAY overrides the choice: "headless" always gives the virtual
// screen, "gtk" asks for GTK even without DISPLAY (still headless when GTK
// cannot open one). Other values count as unset.
#pragma once

#include <memory>

#include "platform/user/DisplayBackend.h"

enum class DisplayKind { Headless, Gtk };

// The kind asked for by the two variables' values (null when unset).
DisplayKind RequestedDisplayKind(const char* displayOverride, const char* x11Display);

// Opens and installs the display asked for by the environment. The caller
// keeps it for as long as windows exist. Call from the program's main thread
// before any window is made.
std::unique_ptr<DisplayBackend> ChooseDisplayBackend();

// The virtual screen used when there is no real display.
inline constexpr int kHeadlessScreenWidth = 1920;
inline constexpr int kHeadlessScreenHeight = 1080;
