#include "export/avi/TextOverlay.h"

#include <cwchar>

namespace oskulo {

int CTextOverlay::FontHeightFor(int width, int height) {
    const long pixels = long(width) * height;
    if (pixels >= 552961)
        return 40;
    return pixels >= 101377 ? 25 : 14;
}

bool CTextOverlay::Create(int width, int height) {
    Destroy();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows, as the picture's
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    m_screen = CreateDisplayDC();
    m_memory = CreateCompatibleDC(m_screen);
    void* bits = nullptr;
    m_section = CreateDIBSection(m_memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_screen == nullptr || m_memory == nullptr || m_section == nullptr || bits == nullptr ||
        !SelectFont(FontHeightFor(width, height))) {
        Destroy();
        return false;
    }
    m_oldBitmap = SelectObject(m_memory, m_section);
    m_pBits = static_cast<uint8_t*>(bits);
    m_width = width;
    m_height = height;
    m_pitch = (width * 3 + 3) & ~3;
    return true;
}

// Selects a new overlay font of `height` in place of the one selected now.
bool CTextOverlay::SelectFont(int height) {
    HFONT font = CreateFontW(height, 0, 0, 0, 100, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    if (font == nullptr)
        return false;
    HGDIOBJ previous = SelectObject(m_memory, font);
    if (m_font != nullptr)
        DeleteObject(m_font);
    else
        m_oldFont = previous;
    m_font = font;
    m_fontHeight = height;
    return true;
}

void CTextOverlay::FitLine(const wchar_t* widest, int x) {
    if (!IsReady() || widest == nullptr || (widest == m_fittedLine && x == m_fittedX))
        return;
    m_fittedLine = widest;
    m_fittedX = x;
    // The shadow reaches one pixel further right than the text.
    const auto fits = [&] { return x + LineWidth(widest) + 1 <= m_width; };
    int height = FontHeightFor(m_width, m_height);
    if (height != m_fontHeight && !SelectFont(height))
        return;
    while (!fits() && height > kSmallestFontHeight && SelectFont(height - 1))
        --height;
}

int CTextOverlay::LineWidth(const wchar_t* text) const {
    SIZE size{};
    if (m_memory == nullptr || text == nullptr ||
        !GetTextExtentPoint32W(m_memory, text, int(std::wcslen(text)), &size))
        return 0;
    return size.cx;
}

void CTextOverlay::Destroy() {
    if (m_memory != nullptr) {
        if (m_oldBitmap != nullptr)
            SelectObject(m_memory, m_oldBitmap);
        if (m_oldFont != nullptr)
            SelectObject(m_memory, m_oldFont);
        DeleteDC(m_memory);
    }
    if (m_section != nullptr)
        DeleteObject(m_section);
    if (m_font != nullptr)
        DeleteObject(m_font);
    if (m_screen != nullptr)
        DeleteDC(m_screen);
    m_screen = m_memory = nullptr;
    m_section = nullptr;
    m_oldBitmap = m_oldFont = nullptr;
    m_font = nullptr;
    m_pBits = nullptr;
    m_width = m_height = m_pitch = m_fontHeight = 0;
    m_fittedLine.clear();
    m_fittedX = 0;
}

void CTextOverlay::Draw(const wchar_t* text, int x, int y, int bottom) {
    if (!IsReady() || text == nullptr)
        return;
    RECT rect{x, y, m_width, bottom};
    DrawShadowText(m_memory, text, UINT(std::wcslen(text)), &rect, 0, RGB(255, 255, 255),
                   RGB(0, 0, 0), 1, 1);
}

}  // namespace oskulo
