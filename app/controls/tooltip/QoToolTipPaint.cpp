// Preparing a tip (defaults, notification, layout, region, fill) and
// composing it over what lies beneath.
#include <algorithm>
#include <vector>

#include "app/controls/tooltip/QoToolTip.h"
#include "app/controls/tooltip/TipPlacement.h"
#include "platform/user/Screen.h"

namespace {

int Width(const RECT& r) {
    return r.right - r.left;
}

int Height(const RECT& r) {
    return r.bottom - r.top;
}

// A top-down 32-bit DIB section; `bits` receives its pixels.
HBITMAP CreateSection(int width, int height, uint32_t** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = static_cast<uint32_t*>(pixels);
    return bitmap;
}

}  // namespace

void CQoToolTip::ApplyDefaults(ToolTipInfo& info) const {
    if (!(info.overrideMask & TOOLTIP_OVERRIDE_STYLE))
        info.style = m_defaultStyle;
    if (!(info.overrideMask & TOOLTIP_OVERRIDE_EFFECT)) {
        info.effect = m_defaultEffect;
        info.granularity = m_defaultGranularity;
    }
    if (!(info.overrideMask & TOOLTIP_OVERRIDE_COLORS)) {
        info.colorBegin = m_colorBegin;
        info.colorMid = m_colorMid;
        info.colorEnd = m_colorEnd;
    }
    if (!(info.overrideMask & TOOLTIP_OVERRIDE_DIRECTION))
        info.direction = m_defaultDirection;
    if (!(info.overrideMask & TOOLTIP_OVERRIDE_BEHAVIOUR))
        info.behaviour = m_defaultBehaviour;
    if (!(info.overrideMask & TOOLTIP_OVERRIDE_TRANSPARENCY))
        info.transparency = m_defaultTransparency;
}

void CQoToolTip::SendDisplayNotify(POINT* cursor) {
    if (m_hWnd == nullptr || m_notify == nullptr)
        return;
    ToolTipDisplayNotify notify{};
    notify.hdr.hwndFrom = m_hWnd;
    notify.hdr.idFrom = UINT_PTR(GetDlgCtrlID());
    notify.hdr.code = UM_TOOLTIP_NOTIFY;
    notify.toolWindow = m_nextWindow;
    notify.cursor = cursor;
    notify.info = &m_next;
    ::SendMessage(m_notify, WM_NOTIFY, WPARAM(notify.hdr.idFrom), LPARAM(&notify));
}

void CQoToolTip::PrepareTip(POINT cursor) {
    ApplyDefaults(m_next);
    SendDisplayNotify(&cursor);
    if (m_next.text.IsEmpty())
        return;
    // A popup that was never shown has no surface for a context yet; the
    // layout is the same on a memory context, and the tip bitmap is then
    // one of the screen's format.
    HDC windowDc = ::GetDC(m_hWnd);
    HDC dc = windowDc != nullptr ? windowDc : CreateCompatibleDC(nullptr);
    SIZE text{0, 0};
    m_drawer.Measure(dc, m_next.text, &text);
    text.cx = std::min<LONG>(text.cx, kMaxTextExtent);
    text.cy = std::min<LONG>(text.cy, kMaxTextExtent);
    FreeTip();
    LayoutTip(text, cursor);
    m_tipRegion =
        CreateTipRegion(m_placedDirection, m_anchor, Width(m_windowRect), Height(m_windowRect));
    MakeTipBitmap(windowDc);
    if (windowDc != nullptr)
        ::ReleaseDC(m_hWnd, windowDc);
    else
        DeleteDC(dc);
    const POINT position{cursor.x - m_anchor.x, cursor.y - m_anchor.y};
    m_transparency = m_fadeIn != 0 ? 100 : m_next.transparency;
    HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(windowRegion, m_tipRegion, nullptr, RGN_COPY);
    if (m_shadowX != 0 || m_shadowY != 0) {
        HRGN shadow = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(shadow, m_tipRegion, nullptr, RGN_COPY);
        OffsetRgn(shadow, m_shadowX, m_shadowY);
        CombineRgn(windowRegion, windowRegion, shadow, RGN_OR);
        DeleteObject(shadow);
        m_windowRect.right += m_shadowX;
        m_windowRect.bottom += m_shadowY;
    }
    CaptureBackground(position, Width(m_windowRect), Height(m_windowRect));
    ::SetWindowRgn(m_hWnd, windowRegion, FALSE);  // the window owns the region now
    ::SetWindowPos(m_hWnd, HWND_TOP, position.x, position.y, Width(m_windowRect),
                   Height(m_windowRect), SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void CQoToolTip::LayoutTip(SIZE text, POINT cursor) {
    const int marginX = m_sizes[2], marginY = m_sizes[3], anchorHeight = m_sizes[5];
    m_textRect = RECT{marginX, marginY, marginX + text.cx, marginY + text.cy};
    m_bodyRect = RECT{0, 0, text.cx + 2 * marginX, text.cy + 2 * marginY};
    const bool vertical = (m_next.direction & 0x30) <= 0x10;
    SIZE size{Width(m_bodyRect) + (vertical ? 0 : anchorHeight),
              Height(m_bodyRect) + (vertical ? anchorHeight : 0)};
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN), top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const TipPlacement placement =
        PlaceTip(int(m_next.direction), cursor, screen, size, m_sizes[6]);
    m_placedDirection = placement.direction;
    m_anchor = placement.anchor;
    m_windowRect = RECT{0, 0, size.cx, size.cy};
    const int group = m_placedDirection & 0x30;
    if (group == 0x00) {
        OffsetRect(&m_textRect, 0, anchorHeight);
        OffsetRect(&m_bodyRect, 0, anchorHeight);
    } else if (group == 0x20) {
        OffsetRect(&m_textRect, anchorHeight, 0);
        OffsetRect(&m_bodyRect, anchorHeight, 0);
    }
}

HRGN CQoToolTip::CreateTipRegion(int direction, POINT anchor, int width, int height) const {
    const int anchorWidth = m_sizes[4], anchorHeight = m_sizes[5], margin = m_sizes[6];
    const int group = direction & 0x30, alignment = direction & 3;
    RECT body{0, 0, width, height};
    if (group == 0x00)
        body.top += anchorHeight;
    else if (group == 0x10)
        body.bottom -= anchorHeight;
    else if (group == 0x20)
        body.left += anchorHeight;
    else
        body.right -= anchorHeight;
    HRGN region = CreateRoundRectRgn(body.left, body.top, body.right + 1, body.bottom + 1,
                                     m_sizes[0], m_sizes[1]);
    if (anchorWidth == 0 || anchorHeight == 0)
        return region;
    const bool alongX = group <= 0x10;
    const int start = alongX ? body.left : body.top, end = alongX ? body.right : body.bottom;
    const int apex = alongX ? anchor.x : anchor.y;
    int from = alignment == 0   ? start + margin
               : alignment == 1 ? end - margin - anchorWidth
                                : apex - anchorWidth / 2;
    const int edge = group == 0x00   ? body.top
                     : group == 0x10 ? body.bottom - 1
                     : group == 0x20 ? body.left
                                     : body.right - 1;
    POINT triangle[3] = {anchor, {from, edge}, {from + anchorWidth, edge}};
    if (!alongX) {
        triangle[1] = POINT{edge, from};
        triangle[2] = POINT{edge, from + anchorWidth};
    }
    HRGN anchorRegion = CreatePolygonRgn(triangle, 3, ALTERNATE);
    CombineRgn(region, region, anchorRegion, RGN_OR);
    DeleteObject(anchorRegion);
    return region;
}

void CQoToolTip::MakeTipBitmap(HDC dc) {
    const int width = Width(m_windowRect), height = Height(m_windowRect);
    m_tipBitmap = CreateCompatibleBitmap(dc, width, height);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, m_tipBitmap);
    CQoDrawManager& draw = m_drawer.GetDrawManager();
    draw.FillBackground(memory, int(m_next.effect), &m_bodyRect, m_next.colorBegin, m_next.colorMid,
                        m_next.colorEnd, m_next.granularity, 5);
    const RECT& b = m_bodyRect;
    switch (m_placedDirection & 0x30) {
        case 0x00:
            draw.TileBlt(memory, 0, 0, width, b.top, memory, 0, b.top + 1, width, 1);
            break;
        case 0x10:
            draw.TileBlt(memory, 0, b.bottom, width, height - b.bottom, memory, 0, b.bottom - 1,
                         width, 1);
            break;
        case 0x20:
            draw.TileBlt(memory, 0, 0, b.left, height, memory, b.left + 1, 0, 1, height);
            break;
        default:
            draw.TileBlt(memory, b.right, 0, width - b.right, height, memory, b.right - 1, 0, 1,
                         height);
            break;
    }
    SelectObject(memory, old);
    DeleteDC(memory);
}

void CQoToolTip::CaptureBackground(POINT position, int width, int height) {
    // What lies beneath comes from the screen composition before the tip is
    // shown, so the tip never blends over itself. Only the screen is composed:
    // what lies beyond its edges is black.
    const int screenRight =
        GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int screenBottom =
        GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN);
    const int right = std::clamp(position.x + width, 0, std::max(0, screenRight));
    const int bottom = std::clamp(position.y + height, 0, std::max(0, screenBottom));
    std::vector<uint32_t> screen(size_t(right) * size_t(bottom));
    ComposeScreen(PixelBuffer{screen.data(), right, right, bottom}, GetSysColor(COLOR_BACKGROUND));
    uint32_t* bits = nullptr;
    m_background = CreateSection(width, height, &bits);
    if (m_background == nullptr)
        return;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int sx = position.x + x, sy = position.y + y;
            bits[size_t(y) * size_t(width) + size_t(x)] =
                sx >= 0 && sy >= 0 && sx < right && sy < bottom
                    ? screen[size_t(sy) * size_t(right) + size_t(sx)]
                    : 0;
        }
    }
}

void CQoToolTip::FreeTip() {
    for (HGDIOBJ* object :
         {reinterpret_cast<HGDIOBJ*>(&m_tipBitmap), reinterpret_cast<HGDIOBJ*>(&m_background),
          reinterpret_cast<HGDIOBJ*>(&m_tipRegion)}) {
        if (*object != nullptr)
            DeleteObject(*object);
        *object = nullptr;
    }
}

void CQoToolTip::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    m_currentWindow = m_nextWindow;
    m_current = m_next;
    OnDraw(dc, m_transparency);
    ::EndPaint(m_hWnd, &paint);
}

LRESULT CQoToolTip::OnRepaintTip(WPARAM, LPARAM) {
    OnDraw(nullptr, 0);
    return 1;
}

void CQoToolTip::DrawBorder(HDC dc, HRGN region) {
    FrameRgn(dc, region, m_borderBrush, m_borderWidth, m_borderHeight);
}

void CQoToolTip::OnDraw(HDC target, int transparency) {
    if (m_tipBitmap == nullptr)
        return;
    transparency = std::clamp(transparency, 0, 100);
    HDC dc = target != nullptr ? target : ::GetDC(m_hWnd);
    const int width = Width(m_windowRect), height = Height(m_windowRect);
    const int bodyWidth = width - m_shadowX, bodyHeight = height - m_shadowY;
    HDC tip = CreateCompatibleDC(dc), source = CreateCompatibleDC(dc),
        output = CreateCompatibleDC(dc);
    HBITMAP tipBitmap = CreateCompatibleBitmap(dc, width, height);
    HBITMAP outputBitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldTip = SelectObject(tip, tipBitmap);
    HGDIOBJ oldOutput = SelectObject(output, outputBitmap);
    HGDIOBJ oldSource = SelectObject(source, m_tipBitmap);
    BitBlt(tip, 0, 0, bodyWidth, bodyHeight, source, 0, 0, SRCCOPY);
    m_drawer.Draw(tip, &m_textRect);
    if (m_borderBrush != nullptr && m_borderWidth != 0 && m_borderHeight != 0)
        DrawBorder(tip, m_tipRegion);
    SelectObject(source, m_background);
    BitBlt(output, 0, 0, width, height, source, 0, 0, SRCCOPY);
    CQoDrawManager& draw = m_drawer.GetDrawManager();
    if (m_shadowX != 0 || m_shadowY != 0) {
        HBITMAP mask = CreateCompatibleBitmap(dc, bodyWidth, bodyHeight);
        SelectObject(source, mask);
        RECT all{0, 0, bodyWidth, bodyHeight};
        FillRect(source, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
        const int c = MulDiv(255, 100 - m_darkness, 100);
        const BYTE grey = BYTE(c + (255 - c) * transparency / 100);
        HBRUSH brush = CreateSolidBrush(RGB(grey, grey, grey));
        FillRgn(source, m_tipRegion, brush);
        DeleteObject(brush);
        SelectObject(source, m_tipBitmap);
        draw.DrawShadow(output, m_shadowX, m_shadowY, DWORD(bodyWidth), DWORD(bodyHeight), mask,
                        m_shadowGradient, DWORD(m_depthX), DWORD(m_depthY));
        DeleteObject(mask);
    }
    SelectClipRgn(output, m_tipRegion);
    draw.AlphaBitBlt(output, 0, 0, DWORD(bodyWidth), DWORD(bodyHeight), tip, 0, 0,
                     100 - transparency);
    SelectClipRgn(output, nullptr);
    BitBlt(dc, 0, 0, width, height, output, 0, 0, SRCCOPY);
    SelectObject(source, oldSource);
    SelectObject(tip, oldTip);
    SelectObject(output, oldOutput);
    DeleteObject(tipBitmap);
    DeleteObject(outputBitmap);
    DeleteDC(tip);
    DeleteDC(source);
    DeleteDC(output);
    if (target == nullptr)
        ::ReleaseDC(m_hWnd, dc);
}
