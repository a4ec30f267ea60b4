#include "tools/skingallery/GalleryShot.h"

#include <thread>

#include "app/res/MarlowinResources.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"
#include "tools/skingallery/SkinGallery.h"

namespace {

void Pump() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

// The window's place as the window system composes the screen.
RgbImage Composed(const RECT& place) {
    RgbImage screen(place.right, place.bottom);
    ComposeScreen(PixelBuffer{screen.pixels.data(), screen.width, screen.width, screen.height},
                  RGB(0, 0, 0));
    RgbImage cut(place.right - place.left, place.bottom - place.top);
    for (int y = 0; y < cut.height; ++y)
        for (int x = 0; x < cut.width; ++x)
            cut.At(x, y) = screen.At(place.left + x, place.top + y) & 0xFFFFFF;
    return cut;
}

RgbImage OnScreen(GtkDisplay& display, const RECT& place) {
    RgbImage shot;
    shot.pixels = display.ReadScreen(place);
    if (!shot.pixels.empty()) {
        shot.width = place.right - place.left;
        shot.height = place.bottom - place.top;
    }
    return shot;
}

}  // namespace

RgbImage ShootGallery(GtkDisplay& display, std::chrono::milliseconds limit) {
    RegisterMarlowinResources();
    CSkinGalleryDlg gallery;
    if (!gallery.Open())
        return {};
    Pump();
    // The pointer arrives through the window system's input, so the hit test
    // and the button's own shape decide whether it is hovered.
    InjectMouseMove(gallery.HoveredToolCentre());
    Pump();
    gallery.HoldPressAndLitLabel();
    const RECT place = CSkinGalleryDlg::kPlace;
    const auto end = std::chrono::steady_clock::now() + limit;
    RgbImage shot;
    for (;;) {
        Pump();
        shot = OnScreen(display, place);
        if (!shot.Empty() && shot.pixels == Composed(place).pixels)
            break;
        if (std::chrono::steady_clock::now() > end) {
            shot = {};
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    gallery.DestroyWindow();
    Pump();
    return shot;
}
