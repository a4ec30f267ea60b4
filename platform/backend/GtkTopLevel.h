// One top-level window of the window system shown on the real screen: an
// undecorated GTK window holding a drawing area with a copy of the window's
// backing store, and any embedded widgets (browser controls) at their
// controls' places. It turns the GTK input it receives into the window
// system's raw input (keys through an input method, whose text becomes
// characters), tells the window system where the window manager put the
// window and what size it gave it, and posts the system commands that follow
// the window manager's close, iconify, maximise and restore; it never runs a
// window procedure. A window the window system minimises or maximises is
// iconified or maximised by the window manager, so a task bar can bring it
// back.
//
// Display thread only: every member is used there.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "platform/backend/TopLevelSnapshot.h"

// After our headers: GLib defines TRUE and FALSE as macros.
#include <gtk/gtk.h>

class GtkTopLevel {
public:
    explicit GtkTopLevel(HWND hwnd);
    ~GtkTopLevel();
    GtkTopLevel(const GtkTopLevel&) = delete;
    GtkTopLevel& operator=(const GtkTopLevel&) = delete;

    // Follows the window's place, size, shape, alpha and visibility.
    void Apply(const TopLevelView& view);
    // Copies the backing store's pixels and redraws.
    void CopyPixels();
    // Places `widget` (added here if it is not yet) at `rect`, window coordinates.
    void PlaceWidget(GtkWidget* widget, const RECT& rect, bool shown);
    void SetCursor(GdkCursor* cursor);
    // An owned window (a tooltip, a tool window) stays with its owner and
    // out of the task bar, as a window manager is told.
    void SetOwner(GtkTopLevel* owner);
    void Raise();

    GtkWidget* Window() const { return window_; }
    bool Shown() const { return shown_; }

private:
    void ApplyShape(const TopLevelView& view);
    void ApplyState(const TopLevelView& view);
    void ApplyGeometry(const TopLevelView& view);
    bool FollowsWindowManagerSize(SIZE size);
    void MoveTo(POINT at);
    void ResizeTo(SIZE size);
    void FollowPlace(POINT at);
    void FollowConfigure(const RECT& at);
    void Settle();
    static gboolean SettleSource(gpointer self);
    static gboolean OnWindowState(GtkWidget* widget, GdkEventWindowState* event, gpointer self);
    void LoseFocus();
    static gboolean OnConfigure(GtkWidget* widget, GdkEventConfigure* event, gpointer self);
    static void OnRealize(GtkWidget* widget, gpointer self);
    static void OnCommit(GtkIMContext* im, const gchar* text, gpointer self);
    static gboolean OnDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static gboolean OnButton(GtkWidget* widget, GdkEventButton* event, gpointer self);
    static gboolean OnMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self);
    static gboolean OnScroll(GtkWidget* widget, GdkEventScroll* event, gpointer self);
    static gboolean OnKey(GtkWidget* widget, GdkEventKey* event, gpointer self);
    static gboolean OnDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
    static gboolean OnFocusIn(GtkWidget* widget, GdkEventFocus* event, gpointer self);
    static gboolean OnFocusOut(GtkWidget* widget, GdkEventFocus* event, gpointer self);

    HWND hwnd_;
    GtkWidget* window_ = nullptr;
    GtkWidget* fixed_ = nullptr;  // a GtkLayout holding the canvas and embedded widgets
    GtkWidget* canvas_ = nullptr;
    cairo_surface_t* pixels_ = nullptr;
    GtkIMContext* im_ = nullptr;
    bool inKey_ = false;     // a key is being fed to the input method
    std::string committed_;  // the text it produced for that key
    RECT rect_{};            // where the window is, as far as is known here
    // Places asked of the window manager and not yet confirmed, oldest first:
    // their configure events are echoes, not moves made by someone else.
    std::deque<POINT> requested_;
    // Sizes asked of the window manager and not yet confirmed, oldest first.
    std::deque<SIZE> requestedSizes_;
    // Sizes the window manager gave that the window system has not taken
    // yet, oldest first (it was the size `wmSizeFrom_` before them): none is
    // asked back of the window manager meanwhile.
    std::deque<SIZE> wmSizes_;
    SIZE wmSizeFrom_{};
    // What the window manager did and the window system has not heard yet,
    // merged over a short while: a maximise comes as a new size and a new
    // state, and the window system must hear of them as one maximise.
    std::optional<RECT> configured_;
    guint settleSource_ = 0;
    bool wmIconified_ = false;  // as the window manager has it (or was asked)
    bool wmMaximized_ = false;
    bool stateChanged_ = false;  // the window manager's state since the last settling
    bool iconifiedNow_ = false;
    bool maximizedNow_ = false;
    bool placed_ = false;
    bool shown_ = false;
    bool focused_ = false;  // counted in the application's focus
    BYTE alpha_ = 255;
    bool shaped_ = false;
    std::vector<RECT> shape_;
};
