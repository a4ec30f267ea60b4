#include "platform/backend/DisplayChoice.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/backend/GtkKeys.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/user/User.h"

// After our headers: GLib defines TRUE and FALSE as macros.
#include <gdk/gdkkeysyms.h>

namespace {

TEST(DisplayChoice, TheVariablesDecideTheKind) {
    struct Case {
        const char* override;
        const char* display;
        DisplayKind expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, DisplayKind::Headless}, {nullptr, "", DisplayKind::Headless},
        {nullptr, ":0", DisplayKind::Gtk},         {"headless", ":0", DisplayKind::Headless},
        {"gtk", nullptr, DisplayKind::Gtk},        {"gtk", ":5", DisplayKind::Gtk},
        {"something", ":0", DisplayKind::Gtk},     {"something", nullptr, DisplayKind::Headless},
        {"HEADLESS", ":0", DisplayKind::Gtk},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RequestedDisplayKind(c.override, c.display), c.expected)
            << (c.override ? c.override : "(unset)") << " / "
            << (c.display ? c.display : "(unset)");
    }
}

// Each case starts from the environment it sets; the choice must end headless
// and installed whenever no display can be opened.
TEST(DisplayChoice, FallsBackToHeadlessWhenNoDisplayOpens) {
    struct Case {
        const char* name;
        const char* override;
        const char* display;
    };
    const Case cases[] = {
        {"no display at all", nullptr, nullptr},
        {"headless asked for while a display is named", "headless", ":0"},
        {"a display that is not there", nullptr, ":97"},
        {"gtk asked for without a display", "gtk", nullptr},
    };
    for (const Case& c : cases) {
        c.override ? setenv("DVR_DISPLAY", c.override, 1) : unsetenv("DVR_DISPLAY");
        c.display ? setenv("DISPLAY", c.display, 1) : unsetenv("DISPLAY");
        std::unique_ptr<DisplayBackend> display = ChooseDisplayBackend();
        auto* headless = dynamic_cast<HeadlessDisplay*>(display.get());
        ASSERT_NE(headless, nullptr) << c.name;
        EXPECT_EQ(CurrentDisplayBackend(), display.get()) << c.name;
        EXPECT_EQ(headless->Width(), kHeadlessScreenWidth) << c.name;
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), kHeadlessScreenWidth) << c.name;
    }
    unsetenv("DVR_DISPLAY");
}

TEST(GtkKeys, KeyValuesBecomeVirtualKeys) {
    struct Case {
        unsigned keyval;
        UINT vk;
    };
    const Case cases[] = {
        {GDK_KEY_a, 'A'},
        {GDK_KEY_Z, 'Z'},
        {GDK_KEY_0, '0'},
        {GDK_KEY_9, '9'},
        {GDK_KEY_Return, VK_RETURN},
        {GDK_KEY_KP_Enter, VK_RETURN},
        {GDK_KEY_Escape, VK_ESCAPE},
        {GDK_KEY_F1, VK_F1},
        {GDK_KEY_F12, VK_F12},
        {GDK_KEY_Left, VK_LEFT},
        {GDK_KEY_Page_Down, VK_NEXT},
        {GDK_KEY_Shift_R, VK_SHIFT},
        {GDK_KEY_Control_L, VK_CONTROL},
        {GDK_KEY_ISO_Left_Tab, VK_TAB},
        {GDK_KEY_eacute, 0},
        {GDK_KEY_F13, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VirtualKeyFromKeyval(c.keyval), c.vk) << std::hex << c.keyval;
}

}  // namespace
