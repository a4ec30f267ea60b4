// The windowed display: one display thread owns GTK (and WebKit, through the
// widgets others embed here). Each top-level window of the window system is
// shown as an undecorated GTK window with its backing store's pixels at its
// place, in its z-order, with its window region as output and input shape and
// its alpha as opacity; GTK input becomes the window system's raw input. The
// display never calls application code: it only reads the window system's
// state and pixels, injects raw input and posts messages.
//
// Threads: PresentationRequested, CursorChanged, Post, Call and ReadScreen
// may be called from any thread (Call on the display thread runs the work at
// once); requests are coalesced and carried out on the display thread. Embed
// and Unembed run on the display thread only (from work given to Post).
// Destroy the display after the windows and browser controls it shows.
#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/user/DisplayBackend.h"

// After our headers: GLib defines TRUE and FALSE as macros.
#include <gtk/gtk.h>

class GtkTopLevel;

class GtkDisplay final : public DisplayBackend {
public:
    // Starts the display thread and opens the display named by DISPLAY; null
    // when GTK cannot open it. Installs itself as the window system's display.
    static std::unique_ptr<GtkDisplay> Open();
    // The installed display when it is this kind, else null.
    static GtkDisplay* Current();
    ~GtkDisplay() override;
    GtkDisplay(const GtkDisplay&) = delete;
    GtkDisplay& operator=(const GtkDisplay&) = delete;

    void PresentationRequested(HWND topLevel) override;
    void CursorChanged(HCURSOR cursor) override;

    // Runs `work` on the display thread later; returns at once.
    void Post(std::function<void()> work);
    // Runs `work` on the display thread and waits for it, at most `limit`;
    // false when it did not finish in time.
    bool Call(std::function<void()> work, std::chrono::milliseconds limit);

    // Display thread. Shows `widget` at the place of the child window
    // `control` inside its top-level window from now on, following it; the
    // display holds a reference until Unembed.
    void Embed(HWND control, GtkWidget* widget);
    void Unembed(HWND control);

    // The screen's pixels in `area` as the X server has them now (0x00RRGGBB,
    // top row first); empty when they cannot be read. Waits for the display
    // thread.
    std::vector<uint32_t> ReadScreen(const RECT& area);

    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    GtkDisplay() = default;
    bool Start();
    void Run(std::promise<bool>* opened);
    static gboolean SyncSource(gpointer self);
    void Sync();
    void Restack(const std::vector<HWND>& order);
    void PlaceEmbedded();

    std::thread thread_;
    int width_ = 0;
    int height_ = 0;

    // Guards the requests coming from other threads.
    std::mutex mutex_;
    std::set<HWND> dirty_;
    bool syncScheduled_ = false;

    // Display thread only.
    std::map<HWND, std::unique_ptr<GtkTopLevel>> windows_;
    std::map<HWND, GtkWidget*> embedded_;
    std::vector<HWND> order_;
    GdkCursor* cursor_ = nullptr;
};
