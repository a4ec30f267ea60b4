#include "player/api/PlayerInstance.h"

#include "player/core/PacedDisplay.h"
#include "player/storage/NoRecorderDevices.h"

namespace {

// Declared in this order so that the player goes before what it uses.
CNoRecorderDevices g_devices;
CPacedDisplay g_display;
CPlayer g_player(g_devices, g_display);

}  // namespace

CPlayer& ThePlayer() {
    return g_player;
}
