// Puts the main window's skin pieces together the way the windows draw them
// (stretched backdrops, keyed buttons, sliders, panel lamps, caption boxes)
// and saves the picture as skin_preview.png in the build folder, so the art
// can be looked at as a whole.
#include <cairo.h>

#include <algorithm>

#include "ResourceFixture.h"
#include "app/res/ResourceIds.h"
#include "platform/gdi/Gdi.h"
#include "platform/user/Resources.h"

namespace {

constexpr int kWidth = 960, kHeight = 650;
constexpr int kPlayBarTop = kHeight - 70;

class Canvas {
public:
    Canvas() {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_),
                                   nullptr, 0);
        old_ = SelectObject(dc_, bitmap_);
        source_ = CreateCompatibleDC(nullptr);
        SetStretchBltMode(dc_, COLORONCOLOR);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
        DeleteDC(source_);
    }
    // Draws `cell` of `cells` of the bitmap into (x, y, w, h): stretched, or
    // with `key` left out.
    void Draw(UINT id, int x, int y, int w, int h, int cell = 0, int cells = 1, int key = -1) {
        HBITMAP b = LoadBitmapW(nullptr, MAKEINTRESOURCEW(static_cast<int>(id)));
        BITMAP info{};
        GetObjectW(b, sizeof info, &info);
        HGDIOBJ old = SelectObject(source_, b);
        const int cw = info.bmWidth / cells;
        if (key < 0)
            StretchBlt(dc_, x, y, w, h, source_, cell * cw, 0, cw, info.bmHeight, SRCCOPY);
        else
            TransparentBlt(dc_, x, y, w, h, source_, cell * cw, 0, cw, info.bmHeight,
                           static_cast<UINT>(key));
        SelectObject(source_, old);
        DeleteObject(b);
    }
    void Fill(int x, int y, int w, int h, COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT r{x, y, x + w, y + h};
        FillRect(dc_, &r, brush);
        DeleteObject(brush);
    }
    uint32_t At(int x, int y) const { return bits_[y * kWidth + x] & 0xFFFFFF; }
    bool SavePng(const char* path) const {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kWidth, kHeight);
        unsigned char* data = cairo_image_surface_get_data(s);
        const int stride = cairo_image_surface_get_stride(s);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                reinterpret_cast<uint32_t*>(data + y * stride)[x] = At(x, y);
        cairo_surface_mark_dirty(s);
        const bool ok = cairo_surface_write_to_png(s, path) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(s);
        return ok;
    }

private:
    HDC dc_ = nullptr, source_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};

void DrawTopBar(Canvas& c) {
    c.Draw(IDB_TOP_BAR, 0, 0, kWidth, 83);
    const UINT tools[] = {IDB_OPEN_FILE, IDB_SEARCH_HDD, IDB_SEARCH_SD, IDB_MAP_ON_OFF,
                          IDB_SETTINGS};
    const int xs[] = {0, 65, 130, 198, 260};
    for (int i = 0; i < 5; ++i)
        c.Draw(tools[i], xs[i], 17, 60, 50, i == 1 ? 1 : 0, 2, 0);
    c.Fill(kWidth - 70, 0, 70, 22, RGB(85, 85, 85));
    const UINT boxes[] = {IDB_MINIMISE, IDB_MAXIMISE, IDB_CLOSE_HOVER};
    for (int i = 0; i < 3; ++i)
        c.Draw(boxes[i], kWidth - 62 + i * 19, 3, 16, 16);
}

void DrawVideoArea(Canvas& c) {
    const int paneWidth = kWidth / 6 * 4, backdropTop = 73,
              rowY = backdropTop + (kHeight - 73) - 110;
    c.Draw(IDB_BACKDROP, 0, backdropTop, kWidth + 5, kHeight - 73);
    c.Fill(3, backdropTop, paneWidth, (kHeight - 73) - 110, RGB(0, 0, 0));
    c.Draw(IDB_MAP_PANE_HIDE, paneWidth - 32, backdropTop, 24, 40, 0, 2, 0);
    c.Draw(IDB_INFO_PANE_HIDE, kWidth - 180, backdropTop + 300, 48, 20, 1, 2, 0);
    const int seekY = backdropTop + (kHeight - 73) - 80, seekLength = paneWidth - 3;
    c.Draw(IDB_SEEK_TRACK, 3, seekY, seekLength, 10);
    c.Draw(IDB_SEEK_THUMB, 3 + seekLength / 3, seekY, 10, 10, 0, 1, 0);
    (void)rowY;
}

void DrawPlayBar(Canvas& c) {
    const int step = (kWidth / 6 * 4 - 210) / 9;
    const UINT order[] = {IDB_STOP,     IDB_STEP_BACKWARD, IDB_FAST_BACKWARD,
                          IDB_PLAY,     IDB_FAST_FORWARD,  IDB_STEP_FORWARD,
                          IDB_SNAPSHOT, IDB_SPLIT,         IDB_EXPORT};
    for (int i = 0; i < 9; ++i)
        c.Draw(order[i], 3 + i * step, kPlayBarTop + 3, 40, 40, i == 3 ? 1 : 0, 2, 0x0A0A0A);
    const int x = 3 + 9 * step + 5;
    c.Draw(IDB_VOLUME_MIN, x, kPlayBarTop + 20, 22, 22, 0, 2, 0);
    c.Draw(IDB_VOLUME_FILLED, x + 25, kPlayBarTop + 32, 50, 15);
    c.Draw(IDB_VOLUME_EMPTY, x + 75, kPlayBarTop + 32, 35, 15);
    c.Draw(IDB_VOLUME_THUMB, x + 25 + 50 - 7, kPlayBarTop + 32, 15, 15, 0, 1, 0);
    c.Draw(IDB_VOLUME_MAX, x + 115, kPlayBarTop + 20, 22, 22, 1, 2, 0);
    c.Draw(IDB_AUDIO_CHANNEL_0, x + 160, kPlayBarTop + 13, 56, 28, 0, 2, 0x0A0A0A);
}

void DrawTelemetryPanel(Canvas& c) {
    const int left = kWidth / 6 * 4 + 5, top = static_cast<int>(kHeight / 6 * 3.5) + 5 + 83;
    const int w = kWidth / 6 * 2 - 5, h = kHeight - top, a = w / 5, s = 3 * a / 6;
    c.Draw(IDB_TELEMETRY_PANEL, left, top, w, h);
    c.Draw(IDB_SPEED_DIGITS, left + 10, top, 322 > w - 3 * a - 10 ? w - 3 * a - 10 : 322, s, 0, 1);
    for (int i = 0; i < 8; ++i)
        c.Draw(IDB_LAMP_FIRST + 2 * i + (i % 3 == 0), left + 2 * a + 10 + (i % 4) * s,
               top + (i / 4) * s, s, s, 0, 1, 0x191919);
    c.Draw(IDB_RELAY_1_ON, left + 2 * a + 10 + 4 * s, top, 2 * s - 8, s, 0, 1, 0x191919);
    c.Draw(IDB_RELAY_2_OFF, left + 2 * a + 10 + 4 * s, top + s, 2 * s - 8, s, 0, 1, 0x191919);
    c.Draw(IDB_DIAL_1, left + 10, top + 2 * s + 5, 80, 80, 0, 1, static_cast<int>(RGB(0, 0, 255)));
}

// Every skin bitmap (the small ones at twice their size), side by side in rows, on mid grey.
bool SaveSheet(const char* path) {
    constexpr int kSheetWidth = 1200, kSheetHeight = 1300;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kSheetWidth, kSheetHeight);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    auto put = [&](int x, int y, uint32_t p) {
        if (x < kSheetWidth && y < kSheetHeight)
            reinterpret_cast<uint32_t*>(data + y * stride)[x] = p;
    };
    for (int y = 0; y < kSheetHeight; ++y)
        for (int x = 0; x < kSheetWidth; ++x)
            put(x, y, 0x808080);
    int x = 4, y = 4, rowHeight = 0;
    for (UINT id = 1000; id < 1110; ++id) {
        const LoadedBitmap b = LoadSkin(id);
        const int w = std::min(b.width, 400), h = std::min(b.height, 200);
        if (w == 0)
            continue;
        const int kScale = b.width > 100 ? 1 : 2;
        if (x + w * kScale > kSheetWidth)
            x = 4, y += rowHeight + 6, rowHeight = 0;
        for (int by = 0; by < h * kScale; ++by)
            for (int bx = 0; bx < w * kScale; ++bx)
                put(x + bx, y + by, b.At(bx / kScale, by / kScale));
        x += w * kScale + 6;
        rowHeight = std::max(rowHeight, h * kScale);
    }
    cairo_surface_mark_dirty(s);
    const bool ok = cairo_surface_write_to_png(s, path) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

}  // namespace

TEST_F(Resources, TheMainWindowSkinComposesAndIsSavedForViewing) {
    Canvas canvas;
    DrawTopBar(canvas);
    DrawVideoArea(canvas);
    DrawPlayBar(canvas);
    DrawTelemetryPanel(canvas);
    canvas.Draw(IDB_BORDER_HORIZONTAL, 0, 0, kWidth, 3);
    canvas.Draw(IDB_BORDER_HORIZONTAL, 0, kHeight - 3, kWidth, 3);
    canvas.Draw(IDB_BORDER_VERTICAL, 0, 0, 3, kHeight);
    canvas.Draw(IDB_BORDER_VERTICAL, kWidth - 3, 0, 3, kHeight);
    // The keyed-out corner of the stop button shows the play bar beneath it,
    // its centre shows the button.
    const uint32_t corner = canvas.At(3, kPlayBarTop + 3),
                   centre = canvas.At(3 + 20, kPlayBarTop + 23);
    EXPECT_NE(corner, 0x0A0A0Au);
    EXPECT_EQ(corner, canvas.At(45, kPlayBarTop + 3));
    EXPECT_NE(centre, corner);
    EXPECT_TRUE(canvas.SavePng("skin_preview.png"));
    EXPECT_TRUE(SaveSheet("skin_sheet.png"));
}
