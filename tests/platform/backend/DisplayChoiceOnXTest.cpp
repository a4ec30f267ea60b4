// The display choice with an X server there (run under with-xvfb.sh).
#include <gtest/gtest.h>

#include <cstdlib>

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

}  // namespace
