#include "XTestInput.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <glib.h>

#include <chrono>
#include <initializer_list>
#include <thread>
#include <vector>

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

namespace {

// A key code and whether Shift is needed for `sym`; 0 when the keymap lacks it.
KeyCode CodeOf(Display* x, KeySym sym, bool* shift) {
    const KeyCode code = XKeysymToKeycode(x, sym);
    *shift = code != 0 && XkbKeycodeToKeysym(x, code, 0, 0) != sym;
    return code;
}

// Key codes without any symbol, for characters the keymap lacks.
std::vector<KeyCode> SpareCodes(Display* x) {
    int low = 0, high = 0, perCode = 0;
    XDisplayKeycodes(x, &low, &high);
    KeySym* map = XGetKeyboardMapping(x, KeyCode(low), high - low + 1, &perCode);
    std::vector<KeyCode> spare;
    for (int code = high; code >= low && map != nullptr; --code) {
        bool empty = true;
        for (int i = 0; i < perCode; ++i)
            empty = empty && map[(code - low) * perCode + i] == NoSymbol;
        if (empty)
            spare.push_back(KeyCode(code));
    }
    if (map != nullptr)
        XFree(map);
    return spare;
}

// A client message of `type` about `about`, sent to `to` (the window itself,
// or the root for the window manager).
void SendClientMessage(Display* x, Window to, Window about, const char* type,
                       std::initializer_list<long> data, long mask) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = about;
    e.xclient.message_type = XInternAtom(x, type, False);
    e.xclient.format = 32;
    int i = 0;
    for (const long d : data)
        e.xclient.data.l[i++] = d;
    XSendEvent(x, to, False, mask, &e);
}

KeySym SymOf(gunichar c) {
    // Latin-1 keysyms are the code points; the rest are Unicode keysyms.
    return c >= 0x20 && c <= 0xFF ? KeySym(c) : KeySym(0x01000000 | c);
}

}  // namespace

bool TypeTextWithXTest(const char* utf8) {
    Display* x = OpenWithXTest();
    if (x == nullptr)
        return false;
    glong count = 0;
    gunichar* chars = g_utf8_to_ucs4_fast(utf8, -1, &count);
    std::vector<KeyCode> spare = SpareCodes(x);
    std::vector<KeyCode> borrowed;
    for (glong i = 0; i < count; ++i) {
        bool shift = false;
        KeySym sym = SymOf(chars[i]);
        if (CodeOf(x, sym, &shift) == 0 && !spare.empty()) {
            KeySym both[2] = {sym, sym};
            XChangeKeyboardMapping(x, spare.back(), 2, both, 1);
            borrowed.push_back(spare.back());
            spare.pop_back();
        }
    }
    XSync(x, False);
    if (!borrowed.empty())  // clients take the new keymap in when they next look
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    bool known = true;
    const KeyCode shiftCode = XKeysymToKeycode(x, XK_Shift_L);
    for (glong i = 0; i < count; ++i) {
        bool shift = false;
        const KeyCode code = CodeOf(x, SymOf(chars[i]), &shift);
        known = known && code != 0;
        if (code == 0)
            continue;
        if (shift)
            XTestFakeKeyEvent(x, shiftCode, True, 0);
        XTestFakeKeyEvent(x, code, True, 0);
        XTestFakeKeyEvent(x, code, False, 0);
        if (shift)
            XTestFakeKeyEvent(x, shiftCode, False, 0);
        XSync(x, False);
    }
    g_free(chars);
    // The borrowed codes are given back once the keys have been read.
    std::this_thread::sleep_for(std::chrono::milliseconds(borrowed.empty() ? 0 : 500));
    for (const KeyCode code : borrowed) {
        KeySym none[2] = {NoSymbol, NoSymbol};
        XChangeKeyboardMapping(x, code, 2, none, 1);
    }
    Done(x);
    return known;
}

bool ClickWithXTest(int x0, int y0) {
    Display* x = OpenWithXTest();
    if (x == nullptr)
        return false;
    XTestFakeMotionEvent(x, -1, x0, y0, 0);
    XTestFakeButtonEvent(x, 1, True, 0);
    XTestFakeButtonEvent(x, 1, False, 0);
    Done(x);
    return true;
}

bool MoveWithXTest(int x0, int y0) {
    Display* x = OpenWithXTest();
    if (x == nullptr)
        return false;
    XTestFakeMotionEvent(x, -1, x0, y0, 0);
    Done(x);
    return true;
}

namespace {

// The topmost client the window manager lists as managed and shown whose
// window covers (x0, y0), or 0.
Window ManagedWindowAt(Display* x, int x0, int y0) {
    const Window root = DefaultRootWindow(x);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(x, root, XInternAtom(x, "_NET_CLIENT_LIST_STACKING", False), 0, 1024, False,
                       XA_WINDOW, &type, &format, &count, &left, &data);
    Window target = 0;
    const auto* clients = reinterpret_cast<const Window*>(data);
    for (unsigned long i = 0; i < count; ++i) {  // bottom first: the last match is topmost
        XWindowAttributes a{};
        int rx = 0, ry = 0;
        Window child = 0;
        if (XGetWindowAttributes(x, clients[i], &a) && a.map_state == IsViewable &&
            XTranslateCoordinates(x, clients[i], root, 0, 0, &rx, &ry, &child) && x0 >= rx &&
            x0 < rx + a.width && y0 >= ry && y0 < ry + a.height)
            target = clients[i];
    }
    if (data != nullptr)
        XFree(data);
    return target;
}

// A window the program has shown is managed once the window manager has
// framed and mapped it and listed it on the root, which under load can be a
// good while after the program mapped it: looks again until then, up to 10 s.
Window ManagedWindowSoonAt(Display* x, int x0, int y0) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    Window target = ManagedWindowAt(x, x0, y0);
    while (target == 0 && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        target = ManagedWindowAt(x, x0, y0);
    }
    return target;
}

}  // namespace

bool MoveWindowWithWindowManager(int x0, int y0, int toX, int toY) {
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr)
        return false;
    const Window target = ManagedWindowSoonAt(x, x0, y0);
    if (target != 0) {
        // North-west gravity, x and y given, asked by a pager.
        SendClientMessage(x, DefaultRootWindow(x), target, "_NET_MOVERESIZE_WINDOW",
                          {1 | (1 << 8) | (1 << 9) | (2 << 12), toX, toY},
                          SubstructureRedirectMask | SubstructureNotifyMask);
    }
    Done(x);
    return target != 0;
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
        SendClientMessage(x, target, target, "WM_PROTOCOLS",
                          {long(XInternAtom(x, "WM_DELETE_WINDOW", False)), CurrentTime},
                          NoEventMask);
    }
    Done(x);
    return target != 0;
}

namespace {

std::vector<Window> ManagedClients(Display* x) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(x, DefaultRootWindow(x), XInternAtom(x, "_NET_CLIENT_LIST", False), 0, 1024,
                       False, XA_WINDOW, &type, &format, &count, &left, &data);
    const auto* clients = reinterpret_cast<const Window*>(data);
    std::vector<Window> list(clients, clients + (data != nullptr ? count : 0));
    if (data != nullptr)
        XFree(data);
    return list;
}

bool HiddenByWindowManager(Display* x, Window client) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, left = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(x, client, XInternAtom(x, "_NET_WM_STATE", False), 0, 64, False, XA_ATOM,
                       &type, &format, &count, &left, &data);
    const Atom hidden = XInternAtom(x, "_NET_WM_STATE_HIDDEN", False);
    const auto* states = reinterpret_cast<const Atom*>(data);
    bool found = false;
    for (unsigned long i = 0; data != nullptr && i < count; ++i)
        found = found || states[i] == hidden;
    if (data != nullptr)
        XFree(data);
    return found;
}

}  // namespace

bool MaximizeWithWindowManager(int x0, int y0, bool maximize) {
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr)
        return false;
    const Window target = ManagedWindowSoonAt(x, x0, y0);
    if (target != 0) {
        // Add (1) or remove (0) both maximised states, asked by an application.
        SendClientMessage(
            x, DefaultRootWindow(x), target, "_NET_WM_STATE",
            {maximize ? 1 : 0, long(XInternAtom(x, "_NET_WM_STATE_MAXIMIZED_VERT", False)),
             long(XInternAtom(x, "_NET_WM_STATE_MAXIMIZED_HORZ", False)), 1},
            SubstructureRedirectMask | SubstructureNotifyMask);
    }
    Done(x);
    return target != 0;
}

bool CloseWithWindowManager(int x0, int y0) {
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr)
        return false;
    const Window target = ManagedWindowSoonAt(x, x0, y0);
    if (target != 0) {
        // Asked by a pager or task bar; the window manager asks the client.
        SendClientMessage(x, DefaultRootWindow(x), target, "_NET_CLOSE_WINDOW", {CurrentTime, 2},
                          SubstructureRedirectMask | SubstructureNotifyMask);
    }
    Done(x);
    return target != 0;
}

bool AltResizeWithXTest(int x0, int y0, int x1, int y1, int steps) {
    Display* x = OpenWithXTest();
    if (x == nullptr)
        return false;
    const KeyCode alt = XKeysymToKeycode(x, XK_Alt_L);
    XTestFakeMotionEvent(x, -1, x0, y0, 0);
    XTestFakeKeyEvent(x, alt, True, 0);
    XTestFakeButtonEvent(x, 3, True, 0);
    XSync(x, False);
    for (int step = 1; step <= steps; ++step) {
        // Paced as a hand would move, so the window manager sees a drag.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        XTestFakeMotionEvent(x, -1, x0 + (x1 - x0) * step / steps, y0 + (y1 - y0) * step / steps,
                             0);
        XSync(x, False);
    }
    XTestFakeButtonEvent(x, 3, False, 0);
    XTestFakeKeyEvent(x, alt, False, 0);
    Done(x);
    return alt != 0;
}

int IconifiedByWindowManager() {
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr)
        return 0;
    int hidden = 0;
    for (const Window client : ManagedClients(x))
        hidden += HiddenByWindowManager(x, client) ? 1 : 0;
    Done(x);
    return hidden;
}

bool ActivateIconifiedWithWindowManager() {
    Display* x = XOpenDisplay(nullptr);
    if (x == nullptr)
        return false;
    Window target = 0;
    for (const Window client : ManagedClients(x)) {
        if (target == 0 && HiddenByWindowManager(x, client))
            target = client;
    }
    if (target != 0) {
        // Source 2: a pager or task bar, acting for the user.
        SendClientMessage(x, DefaultRootWindow(x), target, "_NET_ACTIVE_WINDOW",
                          {2, CurrentTime, 0}, SubstructureRedirectMask | SubstructureNotifyMask);
    }
    Done(x);
    return target != 0;
}
