#include "XTestInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

bool DragWithXTest(int x0, int y0, int x1, int y1, int steps) {
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr)
        return false;
    int event = 0, error = 0, major = 0, minor = 0;
    const bool usable = XTestQueryExtension(x, &event, &error, &major, &minor);
    if (usable) {
        XTestFakeMotionEvent(x, -1, x0, y0, 0);
        XTestFakeButtonEvent(x, 1, True, 0);
        for (int step = 1; step <= steps; ++step) {
            XTestFakeMotionEvent(x, -1, x0 + (x1 - x0) * step / steps,
                                 y0 + (y1 - y0) * step / steps, 0);
        }
        XTestFakeButtonEvent(x, 1, False, 0);
        XSync(x, False);
    }
    XCloseDisplay(x);
    return usable;
}
