// skingallery: shows the gallery of skinned controls on the X server named by
// DISPLAY and writes its picture as a PNG file. It makes the expected image of
// the gallery's pixel test:
//     sh tests/platform/backend/with-xvfb.sh build/bin/skingallery OUT.png
#include <cstdio>

#include "tools/skingallery/GalleryShot.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: skingallery OUT.png\n", stderr);
        return 2;
    }
    const std::unique_ptr<GtkDisplay> display = GtkDisplay::Open();
    if (display == nullptr) {
        std::fputs("skingallery: no X server (DISPLAY)\n", stderr);
        return 1;
    }
    const RgbImage shot = ShootGallery(*display);
    if (shot.Empty()) {
        std::fputs("skingallery: the screen never showed the gallery\n", stderr);
        return 1;
    }
    if (!WritePng(shot, argv[1])) {
        std::fprintf(stderr, "skingallery: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
