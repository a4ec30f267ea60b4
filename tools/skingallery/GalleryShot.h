// The gallery's picture as the X server shows it: opens the gallery window on
// the GTK display with Marlowin's resources, puts its pointer states, waits
// until the screen shows exactly what the window system composed, and reads
// the window's place from the screen. Run it on the thread that handles the
// windows' messages.
#pragma once

#include <chrono>

#include "platform/backend/GtkDisplay.h"
#include "tools/skingallery/RgbImage.h"

// Empty when the window cannot be made or the screen never matches within
// `limit`.
RgbImage ShootGallery(GtkDisplay& display,
                      std::chrono::milliseconds limit = std::chrono::seconds(20));
