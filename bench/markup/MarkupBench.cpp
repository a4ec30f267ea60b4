// Layout time of the tooltip's markup for crafted tables: 20000 cells in one
// row, in 64 rows and one to a row, and a 1 x 1 background bitmap tiled over a
// 2048 x 2048 table. Prints milliseconds per Measure + Draw.
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "app/controls/markup/QoHtmlDrawer.h"
#include "platform/gdi/Gdi.h"

namespace {

// A memory context over a 32-bit bitmap.
struct Target {
    Target(int w, int h) {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateCompatibleBitmap(dc, w, h);
        old = SelectObject(dc, bitmap);
    }
    ~Target() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

CString Repeat(const std::wstring& piece, int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return CString(text.c_str());
}

// Runs `work` for about half a second after one warm-up run.
void Time(const char* name, const std::function<void()>& work) {
    using Clock = std::chrono::steady_clock;
    work();
    int runs = 0;
    const auto start = Clock::now();
    double seconds = 0;
    while (seconds < 0.5) {
        work();
        ++runs;
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
    std::printf("%-52s %9.2f ms per layout\n", name, seconds * 1e3 / runs);
}

void Layout(const char* name, const CString& text, HDC dc) {
    Time(name, [&] {
        CQoHtmlDrawer drawer;
        SIZE size{0, 0};
        drawer.Measure(dc, text, &size);
        RECT area{0, 0, 300, 200};
        drawer.Draw(dc, &area);
    });
}

}  // namespace

int main() {
    Target target(300, 200);
    const std::wstring cell = L"<td>x</td>";
    Layout("20000 cells in one row", L"<table><tr>" + Repeat(cell, 20000) + L"</tr></table>",
           target.dc);
    Layout("20000 cells in 64 rows",
           L"<table>" + Repeat(L"<tr>" + Repeat(cell, 312).Std() + L"</tr>", 64) + L"</table>",
           target.dc);
    Layout("20000 rows of one cell",
           L"<table>" + Repeat(L"<tr>" + cell + L"</tr>", 20000) + L"</table>", target.dc);
    Target large(2048, 2048);
    Target tile(1, 1);
    SetPixel(tile.dc, 0, 0, RGB(200, 10, 10));
    CQoDrawManager draw;
    Time("1 x 1 tile over 2048 x 2048 pixels",
         [&] { draw.TileBlt(large.dc, 0, 0, 2048, 2048, tile.dc, 0, 0, 1, 1); });
    return 0;
}
