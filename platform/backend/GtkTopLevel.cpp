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

bool SameRects(const std::vector<RECT>& a, const std::vector<RECT>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const RECT& x, const RECT& y) { return EqualRect(&x, &y) != FALSE; });
}

}  // namespace

GtkTopLevel::GtkTopLevel(HWND hwnd) : hwnd_(hwnd) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_decorated(GTK_WINDOW(window_), FALSE);
    fixed_ = gtk_fixed_new();
    canvas_ = gtk_drawing_area_new();
    gtk_widget_add_events(canvas_, kCanvasEvents);
    gtk_widget_add_events(window_,
                          GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK | GDK_FOCUS_CHANGE_MASK);
    gtk_fixed_put(GTK_FIXED(fixed_), canvas_, 0, 0);
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
    gtk_widget_show(canvas_);
    gtk_widget_show(fixed_);
    // Keys belong to the window system unless the user clicks into an
    // embedded page; GTK would otherwise give the first page the focus.
    gtk_widget_set_can_focus(canvas_, TRUE);
    gtk_widget_grab_focus(canvas_);
}

GtkTopLevel::~GtkTopLevel() {
    // Embedded widgets belong to their controls and outlive this window.
    GList* children = gtk_container_get_children(GTK_CONTAINER(fixed_));
    for (GList* c = children; c != nullptr; c = c->next) {
        if (c->data != canvas_)
            gtk_container_remove(GTK_CONTAINER(fixed_), GTK_WIDGET(c->data));
    }
    g_list_free(children);
    g_signal_handlers_disconnect_by_data(window_, this);
    g_signal_handlers_disconnect_by_data(canvas_, this);
    LoseFocus();
    gtk_widget_destroy(window_);
    if (pixels_ != nullptr)
        cairo_surface_destroy(pixels_);
}

void GtkTopLevel::Apply(const TopLevelView& view) {
    const int width = int(view.rect.right - view.rect.left);
    const int height = int(view.rect.bottom - view.rect.top);
    const bool sized =
        !placed_ || width != rect_.right - rect_.left || height != rect_.bottom - rect_.top;
    if (sized && width > 0 && height > 0) {
        gtk_widget_set_size_request(canvas_, width, height);
        gtk_window_resize(GTK_WINDOW(window_), width, height);
    }
    if (!placed_ || view.rect.left != rect_.left || view.rect.top != rect_.top)
        gtk_window_move(GTK_WINDOW(window_), int(view.rect.left), int(view.rect.top));
    rect_ = view.rect;
    placed_ = true;
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
        gtk_fixed_put(GTK_FIXED(fixed_), widget, int(rect.left), int(rect.top));
    }
    gtk_fixed_move(GTK_FIXED(fixed_), widget, int(rect.left), int(rect.top));
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
    return FALSE;
}

gboolean GtkTopLevel::OnFocusOut(GtkWidget*, GdkEventFocus*, gpointer self) {
    static_cast<GtkTopLevel*>(self)->LoseFocus();
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
    if (const UINT vk = VirtualKeyFromKeyval(event->keyval))
        InjectKey(vk, event->type == GDK_KEY_PRESS);
    return TRUE;
}

gboolean GtkTopLevel::OnDelete(GtkWidget*, GdkEvent*, gpointer self) {
    PostMessage(static_cast<GtkTopLevel*>(self)->hwnd_, WM_SYSCOMMAND, SC_CLOSE, 0);
    return TRUE;
}
