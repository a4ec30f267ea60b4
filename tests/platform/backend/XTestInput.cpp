#include "XTestInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

Display* OpenWithXTest() {
    Display* x = XOpenDisplay(nullptr);
    int event = 0, error = 0, major = 0, minor = 0;
    if (x != nullptr && !XTestQueryExtension(x, &event, &error, &major, &minor)) {
        XCloseDisplay(x);
        return nullptr;
    }
    return x;
}

void Done(Display* x) {
    XSync(x, False);
    XCloseDisplay(x);
}

}  // namespace

bool DragWithXTest(int x0, int y0, int x1, int y1, int steps) {
    Display* x = OpenWithXTest();
    if (x == nullptr)
        return false;
    {
        XTestFakeMotionEvent(x, -1, x0, y0, 0);
        XTestFakeButtonEvent(x, 1, True, 0);
        for (int step = 1; step <= steps; ++step) {
            XTestFakeMotionEvent(x, -1, x0 + (x1 - x0) * step / steps,
                                 y0 + (y1 - y0) * step / steps, 0);
        }
        XTestFakeButtonEvent(x, 1, False, 0);
    }
    Done(x);
    return true;
}

bool WheelWithXTest(int x0, int y0, bool up) {
    Display* x = OpenWithXTest();
    if (x == nullptr)
        return false;
    XTestFakeMotionEvent(x, -1, x0, y0, 0);
    // Buttons 4 and 5 are the wheel's notches up and down.
    XTestFakeButtonEvent(x, up ? 4 : 5, True, 0);
    XTestFakeButtonEvent(x, up ? 4 : 5, False, 0);
    Done(x);
    return true;
}

bool TypeWithXTest(const char* const* keys, int count) {
    Display* x = OpenWithXTest();
    if (x == nullptr)
        return false;
    bool known = true;
    for (int i = 0; i < count; ++i) {
        const KeyCode code = XKeysymToKeycode(x, XStringToKeysym(keys[i]));
        known = known && code != 0;
        XTestFakeKeyEvent(x, code, True, 0);
        XTestFakeKeyEvent(x, code, False, 0);
    }
    Done(x);
    return known;
}

bool CloseWindowAt(int x0, int y0) {
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr)
        return false;
    Window root = DefaultRootWindow(x);
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window target = 0;
    XQueryTree(x, root, &root, &parent, &children, &count);
    for (unsigned i = 0; i < count; ++i) {  // bottom first: the last match is topmost
        XWindowAttributes a{};
        if (XGetWindowAttributes(x, children[i], &a) && a.map_state == IsViewable && x0 >= a.x &&
            x0 < a.x + a.width && y0 >= a.y && y0 < a.y + a.height)
            target = children[i];
    }
    if (children != nullptr)
        XFree(children);
    if (target != 0) {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = target;
        e.xclient.message_type = XInternAtom(x, "WM_PROTOCOLS", False);
        e.xclient.format = 32;
        e.xclient.data.l[0] = long(XInternAtom(x, "WM_DELETE_WINDOW", False));
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(x, target, False, NoEventMask, &e);
    }
    Done(x);
    return target != 0;
}
