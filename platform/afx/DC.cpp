#include "platform/afx/DC.h"

#include <map>
#include <memory>

IMPLEMENT_DYNAMIC(CDC, CObject)

CDC::~CDC() {
    if (m_bOwned)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC dc) {
    if (dc == nullptr)
        return nullptr;
    thread_local std::map<HDC, std::unique_ptr<CDC>> temporaries;
    // Context handles are never reused, so wrappers of dead ones can go.
    std::erase_if(temporaries, [](const auto& e) { return GetObjectType(e.first) == 0; });
    auto& slot = temporaries[dc];
    if (slot == nullptr) {
        slot = std::make_unique<CDC>();
        slot->m_hDC = dc;
        slot->m_bOwned = false;
    }
    return slot.get();
}

BOOL CDC::Attach(HDC dc) {
    if (dc == nullptr)
        return FALSE;
    m_hDC = dc;
    return TRUE;
}

HDC CDC::Detach() {
    HDC dc = m_hDC;
    m_hDC = nullptr;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    m_hDC = ::CreateCompatibleDC(dc != nullptr ? dc->m_hDC : nullptr);
    m_bOwned = true;
    return m_hDC != nullptr ? TRUE : FALSE;
}

BOOL CDC::DeleteDC() {
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

CPen* CDC::SelectObject(CPen* pen) {
    return CGdiObject::FromHandle<CPen>(::SelectObject(m_hDC, pen->m_hObject));
}

CBrush* CDC::SelectObject(CBrush* brush) {
    return CGdiObject::FromHandle<CBrush>(::SelectObject(m_hDC, brush->m_hObject));
}

CFont* CDC::SelectObject(CFont* font) {
    return CGdiObject::FromHandle<CFont>(::SelectObject(m_hDC, font->m_hObject));
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
    return CGdiObject::FromHandle<CBitmap>(::SelectObject(m_hDC, bitmap->m_hObject));
}

CGdiObject* CDC::SelectObject(CGdiObject* object) {
    return CGdiObject::FromHandle<CGdiObject>(::SelectObject(m_hDC, object->m_hObject));
}

int CDC::SelectObject(CRgn* region) {
    return SelectClipRgn(region);
}

CGdiObject* CDC::SelectStockObject(int index) {
    return CGdiObject::FromHandle<CGdiObject>(::SelectObject(m_hDC, GetStockObject(index)));
}

int CDC::SelectClipRgn(CRgn* region) {
    return ::SelectClipRgn(m_hDC, region != nullptr ? static_cast<HRGN>(*region) : nullptr);
}

CPoint CDC::MoveTo(int x, int y) {
    POINT old{};
    ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF c) {
    const RECT r{x, y, x + cx, y + cy};
    ::FillSolidRect(m_hDC, &r, c);
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, w, h, src != nullptr ? src->m_hDC : nullptr, sx, sy, rop);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh,
                     DWORD rop) {
    return ::StretchBlt(m_hDC, x, y, w, h, src != nullptr ? src->m_hDC : nullptr, sx, sy, sw, sh,
                        rop);
}

BOOL CDC::TransparentBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh,
                         UINT key) {
    return ::TransparentBlt(m_hDC, x, y, w, h, src->m_hDC, sx, sy, sw, sh, key);
}

BOOL CDC::AlphaBlend(int x, int y, int w, int h, CDC* src, int sx, int sy, int sw, int sh,
                     BLENDFUNCTION blend) {
    return ::AlphaBlend(m_hDC, x, y, w, h, src->m_hDC, sx, sy, sw, sh, blend);
}

CSize CDC::GetTextExtent(const wchar_t* text, int count) const {
    SIZE s{};
    ::GetTextExtentPoint32W(m_hDC, text, count, &s);
    return CSize(s);
}
