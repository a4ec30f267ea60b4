// Images in the text: bitmaps, icons, cells of image strips (animated or not)
// and string resources.
//
// A text names its images by resource id, by a bitmap file (read by the
// bounded, checked reader of BitmapFile.h), or by a handle of our own bitmap
// or icon tables, which is checked to be live before it is used; a text that
// names a library to load an image or string from gets nothing: a tip's text
// never makes the program load code.
#include <algorithm>
#include <cwchar>
#include <functional>

#include "app/controls/draw/BitmapFile.h"
#include "app/controls/markup/QoHtmlDrawer.h"
#include "platform/user/Resources.h"

namespace {

struct ImageInfo {
    int index = 0, idres = 0;
    intptr_t handle = 0;
    int cx = 0, cy = 0, width = 100, height = 100, speed = 0;
    UINT style = 0, hotStyle = 0;
    BOOL mask = FALSE, widthPercent = TRUE, heightPercent = TRUE;
    COLORREF maskColor = RGB(255, 0, 255);
    CString file;
};

int Number(const CString& value) {
    return int(std::clamp<long long>(std::wcstoll(value, nullptr, 0), -CQoHtmlDrawer::kMaxSize,
                                     CQoHtmlDrawer::kMaxSize));
}

// Resource ids are 16 bits; anything else names no resource.
int ResourceId(const CString& value) {
    const long long id = std::wcstoll(value, nullptr, 0);
    return id > 0 && id <= 0xFFFF ? int(id) : 0;
}

// A size value and whether it is a percentage.
void ReadExtent(const CString& value, int& size, BOOL& percent) {
    percent = value.Right(1) == L"%";
    size = std::clamp(Number(percent ? value.Left(value.GetLength() - 1) : value), 0,
                      CQoHtmlDrawer::kMaxSize);
}

bool HasShadow(UINT style) {
    return (style & (IMAGE_EFFECT_SHADOW | IMAGE_EFFECT_SOFT_SHADOW)) != 0;
}

int Scale(int size, int value, BOOL percent) {
    return percent ? MulDiv(size, value, 100) : value;
}

}  // namespace

void CQoHtmlDrawer::SetImageShadow(int offsetX, int offsetY, BYTE darkness, BOOL gradient,
                                   int depthX, int depthY) {
    m_shadowX = offsetX;
    m_shadowY = offsetY;
    m_shadowDarkness = std::min<BYTE>(darkness, 100);
    m_shadowGradient = gradient;
    m_shadowDepthX = depthX;
    m_shadowDepthY = depthY;
    const BYTE grey = BYTE(MulDiv(255, 100 - m_shadowDarkness, 100));
    m_shadowColor = RGB(grey, grey, grey);
}

UINT CQoHtmlDrawer::ParseImageStyle(const CString& value) const {
    UINT style = 0;
    for (int i = 0; i < value.GetLength(); ++i) {
        if (value[i] == L'g')
            style |= IMAGE_EFFECT_GREY;
        else if (value[i] == L'd')
            style |= IMAGE_EFFECT_DARKEN;
        else if (value[i] == L'l')
            style |= IMAGE_EFFECT_LIGHTEN;
        else if (value[i] == L's' && (m_shadowX != 0 || m_shadowY != 0))
            style |= m_shadowGradient ? IMAGE_EFFECT_SOFT_SHADOW : IMAGE_EFFECT_SHADOW;
    }
    return style;
}

static ImageInfo ParseImageAttributes(const CQoHtmlDrawer& drawer, const CString& attributes) {
    ImageInfo image;
    CString name, value;
    for (int pos = 0; CQoHtmlDrawer::GetNextAttribute(attributes, pos, name, value);) {
        if (name == L"index")
            image.index = Number(value);
        else if (name == L"idres")
            image.idres = ResourceId(value);
        else if (name == L"handle")
            image.handle = intptr_t(std::wcstoull(value, nullptr, 0));
        else if (name == L"cx")
            image.cx = std::max(0, Number(value));
        else if (name == L"cy")
            image.cy = std::max(0, Number(value));
        else if (name == L"speed")
            image.speed = std::max(0, Number(value));
        else if (name == L"width")
            ReadExtent(value, image.width, image.widthPercent);
        else if (name == L"height")
            ReadExtent(value, image.height, image.heightPercent);
        else if (name == L"file") {
            if (!value.IsEmpty())
                image.file = value;
        } else if (name == L"mask") {
            image.maskColor = drawer.ParseColor(value, image.maskColor);
            image.mask = TRUE;
        } else if (name == L"style")
            image.style = image.hotStyle = drawer.ParseImageStyle(value);
        else if (name == L"hotstyle")
            image.hotStyle = drawer.ParseImageStyle(value);
    }
    return image;
}

// The bitmap an image tag names, owned by the caller when `owned` is set:
// the resource, else the file, else a live handle ("iddll" and "srcdll"
// load nothing).
static HBITMAP LoadTagBitmap(const ImageInfo& image, bool& owned) {
    owned = true;
    if (image.idres != 0)
        return LoadBitmap(nullptr, reinterpret_cast<const wchar_t*>(uintptr_t(UINT(image.idres))));
    if (!image.file.IsEmpty())
        return LoadBitmapFile(image.file);
    owned = false;
    HBITMAP handle = reinterpret_cast<HBITMAP>(image.handle);
    if (image.handle != 0 && GetObjectType(handle) == OBJ_BITMAP)
        return handle;
    return nullptr;
}

// The icon an icon tag names, owned by the caller when `owned` is set: the
// program's icon resource, else a live handle of the icon table. Icon files
// and libraries load nothing.
static HICON LoadTagIcon(const CQoDrawManager& draw, const ImageInfo& image, bool& owned) {
    owned = image.idres != 0;
    if (owned)
        return static_cast<HICON>(
            LoadImageW(nullptr, reinterpret_cast<const wchar_t*>(uintptr_t(UINT(image.idres))),
                       IMAGE_ICON, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    HICON handle = reinterpret_cast<HICON>(image.handle);
    SIZE extent{0, 0};
    if (image.handle != 0)
        draw.GetIconExtent(handle, &extent);  // (0, 0) for anything but a live icon
    return extent.cx > 0 && extent.cy > 0 ? handle : nullptr;
}

int CQoHtmlDrawer::VAlignImage(int top, int height) {
    if (m_measuring) {
        m_line.height = std::max(m_line.height, height);
        return top;
    }
    switch (m_style.vAlign) {
        case 1:
            return top + (m_line.height - height) / 2;
        case 2:
            return top + m_line.height - height;
        case 3:
            return top + m_line.height - m_line.descent - height;
        default:
            return top;
    }
}

// Breaks the line for an image that does not fit, positions it and moves
// the pen past it; the top of the image, or -1 when nothing is drawn.
int CQoHtmlDrawer::PlaceImage(int width, int height, UINT style, int& layoutWidth) {
    const bool shadow = HasShadow(style);
    layoutWidth = Saturated(width + int64_t(shadow && width && height ? m_shadowX : 0));
    const int layoutHeight = Saturated(height + int64_t(shadow && width && height ? m_shadowY : 0));
    const int available = m_pen.lineWidth + m_area.left - m_pen.pos.x;
    if (m_maxWidth != 0 && m_pen.lineWidth != 0 && layoutWidth > available &&
        m_pen.pos.x != m_pen.lineStartX) {
        m_line.wrapped = 1;
        NewLine(1);
    }
    m_pen.remaining -= layoutWidth;
    if (m_measuring)
        m_line.align = m_style.hAlign;
    const int y = VAlignImage(m_pen.pos.y, layoutHeight);
    if (m_measuring || width == 0 || height == 0)
        return -1;
    if (m_style.linkType != 0)
        AddHotArea(m_pen.pos.x, y, m_pen.pos.x + layoutWidth, y + layoutHeight);
    return y;
}

UINT CQoHtmlDrawer::ImageStyle(UINT style, UINT hotStyle) const {
    return m_style.linkType != 0 && m_linkIndex == m_hotLink ? hotStyle : style;
}

void CQoHtmlDrawer::DrawPlacedImage(SIZE size, UINT style, UINT hotStyle,
                                    const std::function<void(int y, UINT style)>& draw) {
    int layoutWidth = 0;
    const int y = PlaceImage(int(size.cx), int(size.cy), style | hotStyle, layoutWidth);
    if (y >= 0)
        draw(y, ImageStyle(style, hotStyle));
    m_pen.pos.x = Saturated(int64_t(m_pen.pos.x) + layoutWidth);
}

// The size an image of `extent` takes by the tag's width and height.
static SIZE TagSize(const ImageInfo& image, SIZE extent) {
    return SIZE{Scale(int(extent.cx), image.width, image.widthPercent),
                Scale(int(extent.cy), image.height, image.heightPercent)};
}

void CQoHtmlDrawer::TagBitmap(const CString& attributes) {
    const ImageInfo image = ParseImageAttributes(*this, attributes);
    bool owned = false;
    HBITMAP bitmap = LoadTagBitmap(image, owned);
    if (bitmap == nullptr)
        return;
    SIZE extent{0, 0};
    m_drawManager.GetBitmapExtent(bitmap, &extent);
    const SIZE size = TagSize(image, extent);
    DrawPlacedImage(size, image.style, image.hotStyle, [&](int y, UINT style) {
        m_drawManager.DrawBitmap(m_dc, m_pen.pos.x, y, DWORD(size.cx), DWORD(size.cy), bitmap,
                                 image.mask, image.maskColor, style, HasShadow(style), m_shadowX,
                                 m_shadowY, DWORD(m_shadowDepthX), DWORD(m_shadowDepthY),
                                 m_shadowColor);
    });
    if (owned)
        DeleteObject(bitmap);
}

// Icons are laid out as bitmaps: the program's icons at the system's icon
// size, a handle at its own, either scaled by the width and height given.
void CQoHtmlDrawer::TagIcon(const CString& attributes) {
    const ImageInfo image = ParseImageAttributes(*this, attributes);
    bool owned = false;
    HICON icon = LoadTagIcon(m_drawManager, image, owned);
    if (icon == nullptr)
        return;
    SIZE extent{GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)};
    if (!owned)
        m_drawManager.GetIconExtent(icon, &extent);
    const SIZE size = TagSize(image, extent);
    DrawPlacedImage(size, image.style, image.hotStyle, [&](int y, UINT style) {
        m_drawManager.DrawIcon(m_dc, m_pen.pos.x, y, DWORD(size.cx), DWORD(size.cy), icon, style,
                               HasShadow(style), m_shadowX, m_shadowY, DWORD(m_shadowDepthX),
                               DWORD(m_shadowDepthY), m_shadowColor);
    });
    if (owned)
        DestroyIcon(icon);
}

void CQoHtmlDrawer::TagImageList(const CString& attributes) {
    const ImageInfo image = ParseImageAttributes(*this, attributes);
    bool owned = false;
    HBITMAP strip = LoadTagBitmap(image, owned);
    if (strip == nullptr)
        return;
    SIZE extent{0, 0};
    m_drawManager.GetBitmapExtent(strip, &extent);
    int cx = image.cx, cy = image.cy;
    if (cx == 0 && cy == 0)
        cx = cy = std::min(extent.cx, extent.cy);
    else if (cx == 0)
        cx = cy;
    else if (cy == 0)
        cy = cx;
    const int columns = cx > 0 ? extent.cx / cx : 0, rows = cy > 0 ? extent.cy / cy : 0;
    int index = image.index;
    if (image.speed != 0) {
        if (m_measuring)
            m_animations.push_back(AnimationInfo{image.index, columns * rows, 0, image.speed});
        const size_t record = size_t(++m_animationCounter);
        if (!m_measuring && record < m_animations.size())
            index = m_animations[record].frame;
    }
    if (columns > 0 && rows > 0 && index >= 0 && index < columns * rows) {
        const SIZE size = TagSize(image, SIZE{cx, cy});
        DrawPlacedImage(size, image.style, image.hotStyle, [&](int y, UINT style) {
            m_drawManager.DrawImageList(
                m_dc, m_pen.pos.x, y, DWORD(size.cx), DWORD(size.cy), strip, index, cx, cy,
                image.mask, image.maskColor, style, HasShadow(style), m_shadowX, m_shadowY,
                DWORD(m_shadowDepthX), DWORD(m_shadowDepthY), m_shadowColor);
        });
    }
    if (owned)
        DeleteObject(strip);
}

void CQoHtmlDrawer::TagString(const CString& attributes) {
    int id = 0;
    CString name, value;
    for (int pos = 0; GetNextAttribute(attributes, pos, name, value);) {
        if (name == L"idres")
            id = ResourceId(value);
    }
    if (id == 0)
        return;
    const wchar_t* stored = nullptr;
    const int length = LoadString(nullptr, UINT(id), reinterpret_cast<wchar_t*>(&stored), 0);
    if (length <= 0 || stored == nullptr)
        return;
    const CString text(stored, length);
    SIZE extent{0, 0};
    GetTextExtentPoint32(m_dc, text, text.GetLength(), &extent);
    const int y = VAlignText(m_pen.pos.y, extent.cy);
    if (m_measuring) {
        m_line.align = m_style.hAlign;
    } else {
        if (m_style.linkType != 0)
            AddHotArea(m_pen.pos.x, y, m_pen.pos.x + extent.cx, y + extent.cy);
        TextOut(m_dc, m_pen.pos.x, y, text, text.GetLength());
    }
    m_pen.pos.x = Saturated(int64_t(m_pen.pos.x) + extent.cx);
}
