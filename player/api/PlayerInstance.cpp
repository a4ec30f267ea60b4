#include "player/api/PlayerInstance.h"

#include "player/api/PlayerDisplayLink.h"
#include "player/render/ChannelDisplay.h"

namespace {

// Declared in this order so that the player goes before what it uses.
CRenderer g_renderer;
CPlayerDisplayLink g_link;
CChannelDisplay g_display(g_renderer, g_link, g_link);
CPlayer g_player(g_display);
const bool g_linked = (g_link.Attach(&g_player), true);

}  // namespace

CPlayer& ThePlayer() {
    return g_player;
}
