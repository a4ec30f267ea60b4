#include "platform/backend/GtkKeys.h"

#include <gdk/gdkkeysyms.h>

#include <algorithm>
#include <iterator>

#include "platform/user/Messages.h"

namespace {

struct KeyPair {
    unsigned keyval;
    UINT vk;
};

constexpr KeyPair kNamedKeys[] = {
    {GDK_KEY_BackSpace, VK_BACK},    {GDK_KEY_Tab, VK_TAB},
    {GDK_KEY_ISO_Left_Tab, VK_TAB},  {GDK_KEY_Return, VK_RETURN},
    {GDK_KEY_KP_Enter, VK_RETURN},   {GDK_KEY_Shift_L, VK_SHIFT},
    {GDK_KEY_Shift_R, VK_SHIFT},     {GDK_KEY_Control_L, VK_CONTROL},
    {GDK_KEY_Control_R, VK_CONTROL}, {GDK_KEY_Alt_L, VK_MENU},
    {GDK_KEY_Alt_R, VK_MENU},        {GDK_KEY_Pause, VK_PAUSE},
    {GDK_KEY_Escape, VK_ESCAPE},     {GDK_KEY_space, VK_SPACE},
    {GDK_KEY_Page_Up, VK_PRIOR},     {GDK_KEY_Page_Down, VK_NEXT},
    {GDK_KEY_End, VK_END},           {GDK_KEY_Home, VK_HOME},
    {GDK_KEY_Left, VK_LEFT},         {GDK_KEY_Up, VK_UP},
    {GDK_KEY_Right, VK_RIGHT},       {GDK_KEY_Down, VK_DOWN},
    {GDK_KEY_Insert, VK_INSERT},     {GDK_KEY_Delete, VK_DELETE},
};

}  // namespace

UINT VirtualKeyFromKeyval(unsigned keyval) {
    // Letters and digits have their upper-case ASCII code as virtual key.
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z)
        return UINT(keyval - GDK_KEY_a + 'A');
    if ((keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) ||
        (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9))
        return UINT(keyval);
    if (keyval >= GDK_KEY_F1 && keyval <= GDK_KEY_F12)
        return UINT(VK_F1 + (keyval - GDK_KEY_F1));
    const auto* it = std::find_if(std::begin(kNamedKeys), std::end(kNamedKeys),
                                  [keyval](const KeyPair& p) { return p.keyval == keyval; });
    return it != std::end(kNamedKeys) ? it->vk : 0;
}
