#include "platform/backend/GtkDisplay.h"

#include <algorithm>

#include "platform/backend/GtkTopLevel.h"
#include "platform/backend/TopLevelSnapshot.h"
#include "platform/base/ProcessLocale.h"
#include "platform/gdi/SystemMetrics.h"
#include "platform/user/Placement.h"
#include "platform/user/User.h"

namespace {

// Opening a display that answers takes well under this; one that does not
// answer at all is given up on.
constexpr std::chrono::seconds kOpenLimit{10};

struct Work {
    std::function<void()> run;
};

gboolean RunWork(gpointer data) {
    static_cast<Work*>(data)->run();
    return G_SOURCE_REMOVE;
}

void FreeWork(gpointer data) {
    delete static_cast<Work*>(data);
}

// The names of the system cursors' shapes (LoadCursor's IDC_* ids).
const char* CursorName(HCURSOR cursor) {
    switch (uintptr_t(cursor) & 0xFFFF) {
        case 32513:
            return "text";
        case 32514:
            return "wait";
        case 32515:
            return "crosshair";
        case 32642:
            return "nwse-resize";
        case 32643:
            return "nesw-resize";
        case 32644:
            return "ew-resize";
        case 32645:
            return "ns-resize";
        case 32646:
            return "move";
        case 32648:
            return "not-allowed";
        case 32649:
            return "pointer";
        default:
            return "default";
    }
}

// The root window's pixels in `area`, as 0x00RRGGBB. Display thread.
std::vector<uint32_t> RootPixels(const RECT& area) {
    const int width = int(area.right - area.left);
    const int height = int(area.bottom - area.top);
    gdk_display_flush(gdk_display_get_default());
    GdkPixbuf* shot = gdk_pixbuf_get_from_window(gdk_get_default_root_window(), int(area.left),
                                                 int(area.top), width, height);
    if (shot == nullptr)
        return {};
    const int channels = gdk_pixbuf_get_n_channels(shot);
    const int stride = gdk_pixbuf_get_rowstride(shot);
    const guchar* data = gdk_pixbuf_get_pixels(shot);
    std::vector<uint32_t> pixels(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y) {
        const guchar* row = data + size_t(y) * size_t(stride);
        for (int x = 0; x < width; ++x) {
            const guchar* p = row + size_t(x) * size_t(channels);
            pixels[size_t(y) * size_t(width) + size_t(x)] =
                (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
        }
    }
    g_object_unref(shot);
    return pixels;
}

}  // namespace

std::unique_ptr<GtkDisplay> GtkDisplay::Open() {
    std::unique_ptr<GtkDisplay> display(new GtkDisplay());
    if (!display->Start()) {
        // A display thread stuck in opening cannot be stopped; it keeps its object.
        if (display->thread_.joinable())
            (void)display.release();
        return nullptr;
    }
    SetDisplayBackend(display.get());
    return display;
}

GtkDisplay* GtkDisplay::Current() {
    return dynamic_cast<GtkDisplay*>(CurrentDisplayBackend());
}

bool GtkDisplay::Start() {
    auto opened = std::make_shared<std::promise<bool>>();
    std::future<bool> result = opened->get_future();
    thread_ = std::thread([this, opened] { Run(opened.get()); });
    if (result.wait_for(kOpenLimit) != std::future_status::ready)
        return false;
    if (result.get())
        return true;
    thread_.join();
    return false;
}

void GtkDisplay::Run(std::promise<bool>* opened) {
    // Windows are placed at absolute screen positions and the screen is read
    // back from the root window: both need X11 (XWayland under Wayland).
    gdk_set_allowed_backends("x11");
    // GTK would set every category of the locale from the environment; under
    // a decimal-comma locale printf and atof would then write and read
    // "52,516666" all over the process.
    gtk_disable_setlocale();
    UseUserLocaleWithClassicNumbers();
    if (!gtk_init_check(nullptr, nullptr)) {
        opened->set_value(false);
        return;
    }
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (monitor == nullptr)
        monitor = gdk_display_get_monitor(display, 0);
    GdkRectangle geometry{0, 0, 1024, 768};
    GdkRectangle work = geometry;
    if (monitor != nullptr) {
        gdk_monitor_get_geometry(monitor, &geometry);
        gdk_monitor_get_workarea(monitor, &work);
    }
    width_ = geometry.width;
    height_ = geometry.height;
    SetScreenSize(width_, height_);
    SetWorkArea(RECT{work.x, work.y, work.x + work.width, work.y + work.height});
    opened->set_value(true);
    gtk_main();
    // Work posted before the end still refers to this display; run it now.
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
}

GtkDisplay::~GtkDisplay() {
    if (CurrentDisplayBackend() == this)
        SetDisplayBackend(nullptr);
    if (!thread_.joinable())
        return;
    Post([this] {
        for (auto& [control, widget] : embedded_) {
            if (GtkWidget* parent = gtk_widget_get_parent(widget))
                gtk_container_remove(GTK_CONTAINER(parent), widget);
            g_object_unref(widget);
        }
        embedded_.clear();
        windows_.clear();
        if (cursor_ != nullptr)
            g_object_unref(cursor_);
        gtk_main_quit();
    });
    thread_.join();
}

void GtkDisplay::PresentationRequested(HWND topLevel) {
    std::lock_guard lock(mutex_);
    dirty_.insert(topLevel);
    if (syncScheduled_)
        return;
    syncScheduled_ = true;
    // Below input and GTK's own drawing: video asking for presentation all
    // the time must not hold up either.
    g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, SyncSource, this, nullptr);
}

void GtkDisplay::CursorChanged(HCURSOR cursor) {
    Post([this, cursor] {
        if (cursor_ != nullptr)
            g_object_unref(cursor_);
        cursor_ = gdk_cursor_new_from_name(gdk_display_get_default(), CursorName(cursor));
        for (auto& [hwnd, top] : windows_)
            top->SetCursor(cursor_);
    });
}

void GtkDisplay::Post(std::function<void()> work) {
    g_idle_add_full(G_PRIORITY_DEFAULT, RunWork, new Work{std::move(work)}, FreeWork);
}

bool GtkDisplay::Call(std::function<void()> work, std::chrono::milliseconds limit) {
    if (std::this_thread::get_id() == thread_.get_id()) {
        work();
        return true;
    }
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    Post([work = std::move(work), done] {
        work();
        done->set_value();
    });
    return finished.wait_for(limit) == std::future_status::ready;
}

gboolean GtkDisplay::SyncSource(gpointer self) {
    static_cast<GtkDisplay*>(self)->Sync();
    return G_SOURCE_REMOVE;
}

void GtkDisplay::Sync() {
    std::set<HWND> dirty;
    {
        std::lock_guard lock(mutex_);
        dirty.swap(dirty_);
        syncScheduled_ = false;
    }
    const std::vector<TopLevelView> views = SnapshotTopLevels();
    std::set<HWND> live;
    for (const TopLevelView& v : views)
        live.insert(v.hwnd);
    std::erase_if(windows_, [&live](const auto& entry) { return live.count(entry.first) == 0; });
    // Bottom first, so that an owner exists before the windows it owns.
    std::vector<HWND> order;
    for (auto v = views.rbegin(); v != views.rend(); ++v) {
        std::unique_ptr<GtkTopLevel>& top = windows_[v->hwnd];
        const bool fresh = top == nullptr;
        if (fresh) {
            top = std::make_unique<GtkTopLevel>(v->hwnd);
            auto owner = windows_.find(v->owner);
            top->SetOwner(owner != windows_.end() ? owner->second.get() : nullptr);
        }
        const bool wasShown = top->Shown();
        top->Apply(*v);
        if (fresh || dirty.count(v->hwnd) != 0 || (top->Shown() && !wasShown)) {
            top->CopyPixels();
            top->SetCursor(cursor_);
        }
        if (top->Shown())
            order.push_back(v->hwnd);
    }
    std::reverse(order.begin(), order.end());
    Restack(order);
    PlaceEmbedded();
}

void GtkDisplay::Restack(const std::vector<HWND>& order) {
    if (order == order_)
        return;
    order_ = order;
    for (auto it = order.rbegin(); it != order.rend(); ++it)
        windows_[*it]->Raise();
}

void GtkDisplay::PlaceEmbedded() {
    for (auto& [control, widget] : embedded_) {
        RECT rect{};
        bool shown = false;
        auto top = windows_.end();
        if (ChildPlacement(control, &rect, &shown))
            top = windows_.find(GetAncestor(control, GA_ROOT));
        if (top != windows_.end())
            top->second->PlaceWidget(widget, rect, shown);
        else
            gtk_widget_set_visible(widget, FALSE);
    }
}

void GtkDisplay::Embed(HWND control, GtkWidget* widget) {
    g_object_ref_sink(widget);
    embedded_[control] = widget;
    PlaceEmbedded();
}

void GtkDisplay::Unembed(HWND control) {
    auto it = embedded_.find(control);
    if (it == embedded_.end())
        return;
    GtkWidget* widget = it->second;
    embedded_.erase(it);
    if (GtkWidget* parent = gtk_widget_get_parent(widget))
        gtk_container_remove(GTK_CONTAINER(parent), widget);
    gtk_widget_destroy(widget);
    g_object_unref(widget);
}

std::vector<uint32_t> GtkDisplay::ReadScreen(const RECT& area) {
    // Shared with the work, which may finish after a time-out here.
    auto result = std::make_shared<std::vector<uint32_t>>();
    const bool done =
        Call([result, area] { *result = RootPixels(area); }, std::chrono::seconds(10));
    return done ? *result : std::vector<uint32_t>{};
}
