#include "platform/backend/GtkTopLevel.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/backend/GtkKeys.h"
#include "platform/user/User.h"

namespace {

constexpr int kCanvasEvents =
    GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_SCROLL_MASK;

// Which of our windows hold the keyboard focus; the application is active
// while one does. Focus moves between two of ours as an out followed by an
// in, so losing it is decided once both have arrived. Display thread only.
int g_focused = 0;
bool g_appActive = false;

gboolean DecideDeactivation(gpointer) {
    if (g_focused == 0 && g_appActive) {
        g_appActive = false;
        InjectAppActivation(false);
    }
    return G_SOURCE_REMOVE;
}

POINT RootPoint(double x, double y) {
    return POINT{LONG(std::lround(x)), LONG(std::lround(y))};
}

cairo_region_t* ShapeRegion(const std::vector<RECT>& rects) {
    cairo_region_t* region = cairo_region_create();
    for (const RECT& r : rects) {
        const cairo_rectangle_int_t c{int(r.left), int(r.top), int(r.right - r.left),
                                      int(r.bottom - r.top)};
        cairo_region_union_rectangle(region, &c);
    }
    return region;
}

std::wstring WideText(const gchar* utf8) {
    glong count = 0;
    gunichar* chars = g_utf8_to_ucs4_fast(utf8, -1, &count);
    std::wstring text(chars, chars + count);
    g_free(chars);
    return text;
}

// Long enough for a window manager's maximise, which comes as a new size and
// a new state, to be seen whole; short enough to follow a drag.
constexpr guint kSettleMs = 40;

// A window manager that never answers must not make a list grow.
constexpr size_t kMaxUnanswered = 64;

template <typename T>
void Remember(std::deque<T>& asked, const T& value) {
    if (asked.size() == kMaxUnanswered)
        asked.pop_front();
    asked.push_back(value);
}

bool SameSize(SIZE a, SIZE b) {
    return a.cx == b.cx && a.cy == b.cy;
}

SIZE SizeOf(const RECT& r) {
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// The canvas of each of our windows, found from any widget inside them.
constexpr const char* kCanvasKey = "dvr-canvas";
constexpr const char* kFocusReturnsKey = "dvr-focus-returns";

gboolean ReturnFocus(gpointer data) {
    auto* widget = static_cast<GtkWidget*>(data);
    GtkWidget* top = gtk_widget_get_toplevel(widget);
    auto* canvas = top != nullptr
                       ? static_cast<GtkWidget*>(g_object_get_data(G_OBJECT(top), kCanvasKey))
                       : nullptr;
    if (canvas != nullptr)
        gtk_widget_grab_focus(canvas);
    g_object_unref(widget);
    return G_SOURCE_REMOVE;
}

// An embedded page takes no keys of its own: once it has had its click, the
// keys go back to the window system, where Space and the arrows work the
// player. Later, so that the page has handled the release first.
gboolean OnEmbeddedRelease(GtkWidget* widget, GdkEventButton*, gpointer) {
    g_idle_add(ReturnFocus, g_object_ref(widget));
    return FALSE;
}

bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const RECT& x, const RECT& y) { return EqualRect(&x, &y) != FALSE; });
}

}  // namespace

GtkTopLevel::GtkTopLevel(HWND hwnd) : hwnd_(hwnd) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_decorated(GTK_WINDOW(window_), FALSE);
    // A layout asks for no size of its own, so the window manager may make
    // the window smaller than the picture it shows now.
    fixed_ = gtk_layout_new(nullptr, nullptr);
    canvas_ = gtk_drawing_area_new();
    gtk_widget_add_events(canvas_, kCanvasEvents);
    gtk_widget_add_events(window_,
                          GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK | GDK_FOCUS_CHANGE_MASK);
    gtk_layout_put(GTK_LAYOUT(fixed_), canvas_, 0, 0);
    gtk_container_add(GTK_CONTAINER(window_), fixed_);
    g_signal_connect(canvas_, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(canvas_, "button-press-event", G_CALLBACK(OnButton), this);
    g_signal_connect(canvas_, "button-release-event", G_CALLBACK(OnButton), this);
    g_signal_connect(canvas_, "motion-notify-event", G_CALLBACK(OnMotion), this);
    g_signal_connect(canvas_, "scroll-event", G_CALLBACK(OnScroll), this);
    g_signal_connect(window_, "key-press-event", G_CALLBACK(OnKey), this);
    g_signal_connect(window_, "key-release-event", G_CALLBACK(OnKey), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(window_, "focus-in-event", G_CALLBACK(OnFocusIn), this);
    g_signal_connect(window_, "focus-out-event", G_CALLBACK(OnFocusOut), this);
    g_signal_connect(window_, "configure-event", G_CALLBACK(OnConfigure), this);
    g_signal_connect(window_, "window-state-event", G_CALLBACK(OnWindowState), this);
    g_signal_connect(window_, "realize", G_CALLBACK(OnRealize), this);
    im_ = gtk_im_multicontext_new();
    g_signal_connect(im_, "commit", G_CALLBACK(OnCommit), this);
    gtk_widget_show(canvas_);
    gtk_widget_show(fixed_);
    // Keys belong to the window system unless the user clicks into an
    // embedded page; GTK would otherwise give the first page the focus.
    gtk_widget_set_can_focus(canvas_, TRUE);
    gtk_widget_grab_focus(canvas_);
    g_object_set_data(G_OBJECT(window_), kCanvasKey, canvas_);
}

GtkTopLevel::~GtkTopLevel() {
    // Embedded widgets belong to their controls and outlive this window.
    GList* children = gtk_container_get_children(GTK_CONTAINER(fixed_));
    for (GList* c = children; c != nullptr; c = c->next) {
        if (c->data != canvas_)
            gtk_container_remove(GTK_CONTAINER(fixed_), GTK_WIDGET(c->data));
    }
    g_list_free(children);
    if (settleSource_ != 0)
        g_source_remove(settleSource_);
    g_signal_handlers_disconnect_by_data(window_, this);
    g_signal_handlers_disconnect_by_data(canvas_, this);
    g_signal_handlers_disconnect_by_data(im_, this);
    gtk_im_context_set_client_window(im_, nullptr);
    g_object_unref(im_);
    LoseFocus();
    gtk_widget_destroy(window_);
    if (pixels_ != nullptr)
        cairo_surface_destroy(pixels_);
}

void GtkTopLevel::Apply(const TopLevelView& view) {
    const int width = int(view.rect.right - view.rect.left);
    const int height = int(view.rect.bottom - view.rect.top);
    ApplyState(view);
    // A minimised window's rectangle is a stub off the screen: the window
    // manager keeps the iconified window where it was.
    if (!view.minimized)
        ApplyGeometry(view);
    if (view.alpha != alpha_)
        gtk_widget_set_opacity(window_, view.alpha / 255.0);
    alpha_ = view.alpha;
    ApplyShape(view);
    const bool show = view.visible && width > 0 && height > 0;
    if (show && !shown_)
        gtk_widget_show(window_);
    else if (!show && shown_)
        gtk_widget_hide(window_);
    shown_ = show;
}

// The window manager iconifies and maximises what the window system
// minimised and maximised, so its task bar and its own commands know the
// window's state.
void GtkTopLevel::ApplyState(const TopLevelView& view) {
    if (view.minimized != wmIconified_) {
        wmIconified_ = view.minimized;
        if (wmIconified_)
            gtk_window_iconify(GTK_WINDOW(window_));
        else
            gtk_window_deiconify(GTK_WINDOW(window_));
    }
    if (!view.minimized && view.maximized != wmMaximized_) {
        wmMaximized_ = view.maximized;
        if (wmMaximized_)
            gtk_window_maximize(GTK_WINDOW(window_));
        else
            gtk_window_unmaximize(GTK_WINDOW(window_));
    }
}

void GtkTopLevel::ApplyGeometry(const TopLevelView& view) {
    const SIZE size = SizeOf(view.rect);
    const bool sized = !placed_ || !SameSize(size, SizeOf(rect_));
    const bool moved = !placed_ || view.rect.left != rect_.left || view.rect.top != rect_.top;
    rect_ = view.rect;
    placed_ = true;
    if (sized && size.cx > 0 && size.cy > 0) {
        gtk_widget_set_size_request(canvas_, int(size.cx), int(size.cy));
        gtk_layout_set_size(GTK_LAYOUT(fixed_), guint(size.cx), guint(size.cy));
        // A maximised window's size is the window manager's to give.
        if (!view.maximized && !FollowsWindowManagerSize(size))
            ResizeTo(size);
    }
    if (moved && !view.maximized)
        MoveTo(POINT{view.rect.left, view.rect.top});
}

// True when `size`, the window system's new size, must not be asked of the
// window manager: it is the size the window manager gave, or the window
// system has not taken that one yet.
bool GtkTopLevel::FollowsWindowManagerSize(SIZE size) {
    if (wmSizes_.empty())
        return false;
    const auto same = [size](const SIZE& s) { return SameSize(s, size); };
    const auto taken = std::find_if(wmSizes_.begin(), wmSizes_.end(), same);
    if (taken != wmSizes_.end()) {
        // During a drag the window system may be some sizes behind.
        wmSizes_.erase(wmSizes_.begin(), taken + 1);
        wmSizeFrom_ = size;
        return true;
    }
    if (SameSize(size, wmSizeFrom_))
        return true;
    wmSizes_.clear();  // the window system chose a size of its own
    return false;
}

void GtkTopLevel::MoveTo(POINT at) {
    Remember(requested_, at);
    gtk_window_move(GTK_WINDOW(window_), int(at.x), int(at.y));
}

void GtkTopLevel::ResizeTo(SIZE size) {
    Remember(requestedSizes_, size);
    gtk_window_resize(GTK_WINDOW(window_), int(size.cx), int(size.cy));
}

// The window is at `at` on the screen. Echoes of our own moves arrive in the
// order they were asked for, late while the window system's own drag goes on:
// they are dropped. Anything else is the window manager's doing (its
// placement, a drag of its own, keeping the window on the screen), and the
// window system follows it.
void GtkTopLevel::FollowPlace(POINT at) {
    const auto same = [at](const POINT& p) { return p.x == at.x && p.y == at.y; };
    const auto echo = std::find_if(requested_.begin(), requested_.end(), same);
    if (echo != requested_.end()) {
        requested_.erase(requested_.begin(), echo + 1);
        return;
    }
    requested_.clear();
    if (!placed_ || (at.x == rect_.left && at.y == rect_.top))
        return;
    OffsetRect(&rect_, at.x - rect_.left, at.y - rect_.top);
    InjectTopLevelMoved(hwnd_, at);
}

// A configure that only moves the window is followed at once. One that
// sizes it is the window manager's resize or maximise unless it echoes a
// size asked for here; it is followed once the window manager has settled.
void GtkTopLevel::FollowConfigure(const RECT& at) {
    if (wmIconified_)
        return;
    const SIZE size = SizeOf(at);
    const auto same = [size](const SIZE& s) { return SameSize(s, size); };
    const auto echo = std::find_if(requestedSizes_.begin(), requestedSizes_.end(), same);
    const bool asked = echo != requestedSizes_.end();
    if (asked)
        requestedSizes_.erase(requestedSizes_.begin(), echo + 1);
    const bool resized = placed_ && !asked && !SameSize(size, SizeOf(rect_));
    if (!resized && !configured_ && settleSource_ == 0) {
        FollowPlace(POINT{at.left, at.top});
        return;
    }
    configured_ = at;
    if (settleSource_ == 0)
        settleSource_ = g_timeout_add(kSettleMs, SettleSource, this);
}

gboolean GtkTopLevel::OnConfigure(GtkWidget*, GdkEventConfigure* event, gpointer self) {
    static_cast<GtkTopLevel*>(self)->FollowConfigure(
        RECT{event->x, event->y, event->x + event->width, event->y + event->height});
    return FALSE;
}

gboolean GtkTopLevel::OnWindowState(GtkWidget*, GdkEventWindowState* event, gpointer self) {
    auto* top = static_cast<GtkTopLevel*>(self);
    const GdkWindowState watched =
        GdkWindowState(GDK_WINDOW_STATE_ICONIFIED | GDK_WINDOW_STATE_MAXIMIZED);
    if ((event->changed_mask & watched) == 0)
        return FALSE;
    top->stateChanged_ = true;
    top->iconifiedNow_ = (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0;
    top->maximizedNow_ = (event->new_window_state & GDK_WINDOW_STATE_MAXIMIZED) != 0;
    if (top->settleSource_ == 0)
        top->settleSource_ = g_timeout_add(kSettleMs, SettleSource, top);
    return FALSE;
}

gboolean GtkTopLevel::SettleSource(gpointer self) {
    auto* top = static_cast<GtkTopLevel*>(self);
    top->settleSource_ = 0;
    top->Settle();
    return G_SOURCE_REMOVE;
}

// What the window manager did, told to the window system: a new state as the
// system command a user's click would send (the window system then places
// the window itself), else the new place and size.
void GtkTopLevel::Settle() {
    std::optional<RECT> configured;
    configured.swap(configured_);
    const bool iconify = stateChanged_ && iconifiedNow_ != wmIconified_;
    const bool maximize = stateChanged_ && !iconify && maximizedNow_ != wmMaximized_;
    stateChanged_ = false;
    if (iconify) {
        wmIconified_ = iconifiedNow_;
        PostMessage(hwnd_, WM_SYSCOMMAND, wmIconified_ ? SC_MINIMIZE : SC_RESTORE, 0);
        return;
    }
    if (maximize) {
        wmMaximized_ = maximizedNow_;
        PostMessage(hwnd_, WM_SYSCOMMAND, wmMaximized_ ? SC_MAXIMIZE : SC_RESTORE, 0);
        return;
    }
    if (!configured || wmIconified_)
        return;
    FollowPlace(POINT{configured->left, configured->top});
    const SIZE size = SizeOf(*configured);
    if (SameSize(size, SizeOf(rect_)))
        return;
    if (wmSizes_.empty())
        wmSizeFrom_ = SizeOf(rect_);
    Remember(wmSizes_, size);
    InjectTopLevelResized(hwnd_, *configured);
}

void GtkTopLevel::OnRealize(GtkWidget* widget, gpointer self) {
    gtk_im_context_set_client_window(static_cast<GtkTopLevel*>(self)->im_,
                                     gtk_widget_get_window(widget));
}

void GtkTopLevel::OnCommit(GtkIMContext*, const gchar* text, gpointer self) {
    auto* top = static_cast<GtkTopLevel*>(self);
    if (top->inKey_) {
        top->committed_ += text;
        return;
    }
    // An input method may finish its text later than the key that began it.
    InjectText(WideText(text));
}

void GtkTopLevel::ApplyShape(const TopLevelView& view) {
    if (view.shaped == shaped_ && SameRects(view.shape, shape_))
        return;
    shaped_ = view.shaped;
    shape_ = view.shape;
    cairo_region_t* region = shaped_ ? ShapeRegion(shape_) : nullptr;
    gtk_widget_shape_combine_region(window_, region);
    gtk_widget_input_shape_combine_region(window_, region);
    if (region != nullptr)
        cairo_region_destroy(region);
}

void GtkTopLevel::CopyPixels() {
    WindowPixels px(hwnd_);
    if (!px.Valid())
        return;
    const PixelBuffer& src = px.Buffer();
    if (pixels_ == nullptr || cairo_image_surface_get_width(pixels_) != src.width ||
        cairo_image_surface_get_height(pixels_) != src.height) {
        if (pixels_ != nullptr)
            cairo_surface_destroy(pixels_);
        pixels_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, src.width, src.height);
    }
    cairo_surface_flush(pixels_);
    unsigned char* data = cairo_image_surface_get_data(pixels_);
    const int stride = cairo_image_surface_get_stride(pixels_);
    // Both are 0x00RRGGBB words in native order.
    for (int y = 0; y < src.height; ++y)
        std::memcpy(data + size_t(y) * size_t(stride), src.Row(y), size_t(src.width) * 4);
    px.Unlock();
    cairo_surface_mark_dirty(pixels_);
    gtk_widget_queue_draw(canvas_);
}

void GtkTopLevel::PlaceWidget(GtkWidget* widget, const RECT& rect, bool shown) {
    if (gtk_widget_get_parent(widget) != fixed_) {
        if (GtkWidget* old = gtk_widget_get_parent(widget))
            gtk_container_remove(GTK_CONTAINER(old), widget);
        gtk_layout_put(GTK_LAYOUT(fixed_), widget, int(rect.left), int(rect.top));
    }
    if (g_object_get_data(G_OBJECT(widget), kFocusReturnsKey) == nullptr) {
        g_object_set_data(G_OBJECT(widget), kFocusReturnsKey, widget);
        gtk_widget_add_events(widget, GDK_BUTTON_RELEASE_MASK);
        g_signal_connect(widget, "button-release-event", G_CALLBACK(OnEmbeddedRelease), nullptr);
    }
    gtk_layout_move(GTK_LAYOUT(fixed_), widget, int(rect.left), int(rect.top));
    gtk_widget_set_size_request(widget, std::max(1, int(rect.right - rect.left)),
                                std::max(1, int(rect.bottom - rect.top)));
    gtk_widget_set_visible(widget, shown);
}

void GtkTopLevel::SetCursor(GdkCursor* cursor) {
    if (GdkWindow* w = gtk_widget_get_window(canvas_))
        gdk_window_set_cursor(w, cursor);
}

void GtkTopLevel::SetOwner(GtkTopLevel* owner) {
    gtk_window_set_transient_for(GTK_WINDOW(window_),
                                 owner != nullptr ? GTK_WINDOW(owner->window_) : nullptr);
    gtk_window_set_skip_taskbar_hint(GTK_WINDOW(window_), owner != nullptr);
}

void GtkTopLevel::Raise() {
    if (GdkWindow* w = gtk_widget_get_window(window_))
        gdk_window_raise(w);
}

void GtkTopLevel::LoseFocus() {
    if (!focused_)
        return;
    focused_ = false;
    --g_focused;
    g_idle_add(DecideDeactivation, nullptr);
}

gboolean GtkTopLevel::OnFocusIn(GtkWidget*, GdkEventFocus*, gpointer self) {
    auto* top = static_cast<GtkTopLevel*>(self);
    if (!top->focused_) {
        top->focused_ = true;
        ++g_focused;
    }
    if (!g_appActive) {
        g_appActive = true;
        InjectAppActivation(true);
    }
    gtk_im_context_focus_in(top->im_);
    return FALSE;
}

gboolean GtkTopLevel::OnFocusOut(GtkWidget*, GdkEventFocus*, gpointer self) {
    auto* top = static_cast<GtkTopLevel*>(self);
    gtk_im_context_focus_out(top->im_);
    top->LoseFocus();
    return FALSE;
}

gboolean GtkTopLevel::OnDraw(GtkWidget*, cairo_t* cr, gpointer self) {
    auto* top = static_cast<GtkTopLevel*>(self);
    if (top->pixels_ != nullptr) {
        cairo_set_source_surface(cr, top->pixels_, 0, 0);
        cairo_paint(cr);
    }
    return TRUE;
}

gboolean GtkTopLevel::OnButton(GtkWidget* widget, GdkEventButton* event, gpointer) {
    // The window system makes double clicks itself from the timing of presses.
    if (event->type != GDK_BUTTON_PRESS && event->type != GDK_BUTTON_RELEASE)
        return TRUE;
    MouseButton button = MouseButton::Left;
    if (event->button == 2)
        button = MouseButton::Middle;
    else if (event->button == 3)
        button = MouseButton::Right;
    else if (event->button != 1)
        return TRUE;
    // A press outside the embedded pages takes the keys back from them.
    if (event->type == GDK_BUTTON_PRESS)
        gtk_widget_grab_focus(widget);
    const POINT pt = RootPoint(event->x_root, event->y_root);
    InjectMouseMove(pt);
    InjectMouseButton(button, event->type == GDK_BUTTON_PRESS, pt);
    return TRUE;
}

gboolean GtkTopLevel::OnMotion(GtkWidget*, GdkEventMotion* event, gpointer) {
    InjectMouseMove(RootPoint(event->x_root, event->y_root));
    return TRUE;
}

gboolean GtkTopLevel::OnScroll(GtkWidget*, GdkEventScroll* event, gpointer) {
    const POINT pt = RootPoint(event->x_root, event->y_root);
    if (event->direction == GDK_SCROLL_UP)
        InjectMouseWheel(WHEEL_DELTA, pt);
    else if (event->direction == GDK_SCROLL_DOWN)
        InjectMouseWheel(-WHEEL_DELTA, pt);
    return TRUE;
}

gboolean GtkTopLevel::OnKey(GtkWidget*, GdkEventKey* event, gpointer self) {
    auto* top = static_cast<GtkTopLevel*>(self);
    // An embedded widget with the focus (a page) takes its own keys.
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(top->window_));
    if (focus != nullptr && focus != top->canvas_)
        return FALSE;
    // Keys with Ctrl or Alt are commands, not text.
    const bool command = (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) != 0;
    top->inKey_ = true;
    top->committed_.clear();
    const bool typed = !command && gtk_im_context_filter_keypress(top->im_, event) != FALSE;
    top->inKey_ = false;
    if (const UINT vk = VirtualKeyFromKeyval(event->keyval))
        InjectKey(vk, event->type == GDK_KEY_PRESS, typed);
    InjectText(WideText(top->committed_.c_str()));
    return TRUE;
}

gboolean GtkTopLevel::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    PostMessage(static_cast<GtkTopLevel*>(self)->hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE;
}
