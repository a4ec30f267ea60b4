// The display choice with an X server there (run under with-xvfb.sh).
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>

#include "platform/backend/DisplayChoice.h"
#include "platform/backend/GtkDisplay.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/user/User.h"

namespace {

TEST(DisplayChoiceOnX, AnXServerThatOpensGivesTheGtkDisplayUnlessHeadlessIsAsked) {
    unsetenv("DVR_DISPLAY");
    std::unique_ptr<DisplayBackend> chosen = ChooseDisplayBackend();
    auto* gtk = dynamic_cast<GtkDisplay*>(chosen.get());
    ASSERT_NE(gtk, nullptr);
    EXPECT_EQ(GtkDisplay::Current(), gtk);
    // The screen of with-xvfb.sh's server.
    EXPECT_EQ(gtk->Width(), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    chosen.reset();
    EXPECT_EQ(CurrentDisplayBackend(), nullptr);

    setenv("DVR_DISPLAY", "headless", 1);
    chosen = ChooseDisplayBackend();
    EXPECT_NE(dynamic_cast<HeadlessDisplay*>(chosen.get()), nullptr);
    unsetenv("DVR_DISPLAY");
}

// GTK's start would set every category of the locale from the environment;
// under a decimal-comma locale numbers must still be written with a point.
TEST(DisplayChoiceOnX, TheGtkDisplayKeepsNumbersClassicUnderACommaLocale) {
    unsetenv("DVR_DISPLAY");
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    std::unique_ptr<DisplayBackend> chosen = ChooseDisplayBackend();
    ASSERT_NE(dynamic_cast<GtkDisplay*>(chosen.get()), nullptr);
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 24.2);
    EXPECT_STREQ(text, "24.2");
    const char* time = std::setlocale(LC_TIME, nullptr);
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(std::strncmp(time, "de_DE", 5), 0) << time << ": the user's locale for the rest";
    chosen.reset();
    unsetenv("LC_ALL");
}

}  // namespace
