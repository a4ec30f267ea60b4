#include "player/api/PlayerInstance.h"

#include "player/core/PacedDisplay.h"

namespace {

// Declared in this order so that the player goes before what it uses.
CPacedDisplay g_display;
CPlayer g_player(g_display);

}  // namespace

CPlayer& ThePlayer() {
    return g_player;
}
