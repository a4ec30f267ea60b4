#include "platform/backend/DisplayChoice.h"

#include <cstdlib>
#include <cstring>

#include "platform/backend/GtkDisplay.h"
#include "platform/backend/HeadlessDisplay.h"

DisplayKind RequestedDisplayKind(const char* displayOverride, const char* x11Display) {
    if (displayOverride != nullptr && std::strcmp(displayOverride, "headless") == 0)
        return DisplayKind::Headless;
    if (displayOverride != nullptr && std::strcmp(displayOverride, "gtk") == 0)
        return DisplayKind::Gtk;
    return x11Display != nullptr && x11Display[0] != 0 ? DisplayKind::Gtk : DisplayKind::Headless;
}

std::unique_ptr<DisplayBackend> ChooseDisplayBackend() {
    if (RequestedDisplayKind(std::getenv("DVR_DISPLAY"), std::getenv("DISPLAY")) ==
        DisplayKind::Gtk) {
        if (std::unique_ptr<GtkDisplay> gtk = GtkDisplay::Open())
            return gtk;
    }
    return std::make_unique<HeadlessDisplay>(kHeadlessScreenWidth, kHeadlessScreenHeight,
                                             RGB(0, 0, 0));
}
