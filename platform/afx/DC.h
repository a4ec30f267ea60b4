// The framework's device context: a thin owner of an HDC with the drawing
// operations of platform/gdi as members. A CDC made by CreateCompatibleDC owns
// its context; the window contexts (CPaintDC, CClientDC, CWindowDC) give
// theirs back to the window system; FromHandle wraps one it does not own.
#pragma once

#include "platform/afx/Bitmap.h"
#include "platform/afx/Brush.h"
#include "platform/afx/Font.h"
#include "platform/afx/Pen.h"
#include "platform/afx/Point.h"
#include "platform/afx/Rgn.h"
#include "platform/afx/Size.h"
#include "platform/afx/String.h"

class CDC : public CObject {
public:
    CDC() = default;
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    // The wrapper is kept per thread while the context lives.
    static CDC* FromHandle(HDC dc);
    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();

    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);
    CBitmap* SelectObject(CBitmap* bitmap);
    CGdiObject* SelectObject(CGdiObject* object);
    // A region becomes the clip region; returns its kind.
    int SelectObject(CRgn* region);
    CGdiObject* SelectStockObject(int index);
    int SelectClipRgn(CRgn* region);
    int IntersectClipRect(const RECT* r) {
        return ::IntersectClipRect(m_hDC, r->left, r->top, r->right, r->bottom);
    }
    int ExcludeClipRect(const RECT* r) {
        return ::ExcludeClipRect(m_hDC, r->left, r->top, r->right, r->bottom);
    }
    int GetClipBox(RECT* r) const { return ::GetClipBox(m_hDC, r); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int level) { return ::RestoreDC(m_hDC, level); }

    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
    int GetStretchBltMode() const { return ::GetStretchBltMode(m_hDC); }
    int SetPolyFillMode(int mode) { return ::SetPolyFillMode(m_hDC, mode); }

    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT p) { return ::LineTo(m_hDC, p.x, p.y); }
    BOOL Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
    BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(const RECT* r) {
        return ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom);
    }
    BOOL RoundRect(int l, int t, int r, int b, int w, int h) {
        return ::RoundRect(m_hDC, l, t, r, b, w, h);
    }
    BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
    BOOL Ellipse(const RECT* r) { return ::Ellipse(m_hDC, r->left, r->top, r->right, r->bottom); }
    void FillRect(const RECT* r, CBrush* brush) { ::FillRect(m_hDC, r, *brush); }
    void FillSolidRect(const RECT* r, COLORREF c) { ::FillSolidRect(m_hDC, r, c); }
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF c);
    void FrameRect(const RECT* r, CBrush* brush) { ::FrameRect(m_hDC, r, *brush); }
    BOOL FillRgn(CRgn* region, CBrush* brush) { return ::FillRgn(m_hDC, *region, *brush); }
    BOOL FrameRgn(CRgn* region, CBrush* brush, int w, int h) {
        return ::FrameRgn(m_hDC, *region, *brush, w, h);
    }
    BOOL PaintRgn(CRgn* region) { return ::PaintRgn(m_hDC, *region); }
    BOOL InvertRect(const RECT* r) { return ::InvertRect(m_hDC, r); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }

    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop);
    BOOL StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh,
                    DWORD rop);
    BOOL TransparentBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh,
                        UINT key);
    BOOL AlphaBlend(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh,
                    BLENDFUNCTION blend);
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }

    BOOL TextOut(int x, int y, const wchar_t* text, int count) {
        return ::TextOutW(m_hDC, x, y, text, count);
    }
    BOOL TextOut(int x, int y, const CString& text) {
        return TextOut(x, y, text, text.GetLength());
    }
    int DrawText(const wchar_t* text, int count, RECT* r, UINT format) {
        return ::DrawTextW(m_hDC, text, count, r, format);
    }
    int DrawText(const CString& text, RECT* r, UINT format) {
        return DrawText(text, text.GetLength(), r, format);
    }
    CSize GetTextExtent(const wchar_t* text, int count) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    BOOL GetTextMetrics(TEXTMETRICW* tm) const { return ::GetTextMetricsW(m_hDC, tm); }
    BOOL SetTextJustification(int extra, int breaks) {
        return ::SetTextJustification(m_hDC, extra, breaks);
    }

    DECLARE_DYNAMIC(CDC)

protected:
    bool m_bOwned = true;  // DeleteDC on destruction
};
