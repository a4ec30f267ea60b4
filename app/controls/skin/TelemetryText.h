// What the telemetry controls share: the per-paint "Arial" font, the double
// buffer they paint into, and the program-wide speed unit text.
#pragma once

#include "app/controls/draw/MemoryDc.h"
#include "app/res/ResourceIds.h"
// g_strSpeedUnitText: the speed unit shown after the speed digits.
#include "app/shell/AppConfig.h"
#include "platform/afx/Afx.h"

namespace telemetry {

// The dial skins CSkinSpeedPic loads into its first slots.
inline constexpr UINT kSpeedDialSkins[] = {IDB_DIAL_0, IDB_DIAL_1, IDB_DIAL_2};

// An "Arial" font of normal weight, ANSI, FF_SWISS, selected into a context
// for one paint; deselected and deleted on exit.
class PaintFont {
public:
    PaintFont(HDC dc, int height, int width);
    ~PaintFont();
    PaintFont(const PaintFont&) = delete;
    PaintFont& operator=(const PaintFont&) = delete;

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ old_ = nullptr;
};

// A memory bitmap of the client's size to paint into; copied onto the
// target from its top-left corner with BitBlt at Present().
class DoubleBuffer {
public:
    DoubleBuffer(HDC target, int width, int height);
    ~DoubleBuffer();
    DoubleBuffer(const DoubleBuffer&) = delete;
    DoubleBuffer& operator=(const DoubleBuffer&) = delete;

    HDC Dc() const { return dc_.Dc(); }
    void Present() const;

private:
    HDC target_;
    int width_;
    int height_;
    HBITMAP bitmap_;
    MemoryDc dc_;
};

// "%d %s" in white, left-aligned and vertically centred on one line in the
// client narrowed by 2 on each side, with a font of height H - 2 and width
// (W - 4) / 10.
void DrawValueText(HDC dc, int width, int height, int value, const CString& unit);

}  // namespace telemetry
