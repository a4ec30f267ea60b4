#include "platform/gdi/StockObjects.h"

#include <cwchar>
#include <mutex>

#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SystemMetrics.h"

namespace {

constexpr int kStockCount = 18;
constexpr int kSysColourCount = 31;

LOGFONTW StockLogFont(int height, int weight, BYTE pitchAndFamily, const wchar_t* face) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = pitchAndFamily;
    std::wcsncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

std::shared_ptr<GdiObject> MakeStock(int index) {
    auto brush = [](UINT style, COLORREF c) {
        return std::make_shared<BrushObject>(LOGBRUSH{style, c, 0});
    };
    auto pen = [](UINT style, COLORREF c) {
        return std::make_shared<PenObject>(LOGPEN{style, {1, 0}, c});
    };
    auto font = [](const LOGFONTW& lf) { return std::make_shared<FontObject>(lf); };
    switch (index) {
        case WHITE_BRUSH:
            return brush(BS_SOLID, RGB(255, 255, 255));
        case LTGRAY_BRUSH:
            return brush(BS_SOLID, RGB(192, 192, 192));
        case GRAY_BRUSH:
            return brush(BS_SOLID, RGB(128, 128, 128));
        case DKGRAY_BRUSH:
            return brush(BS_SOLID, RGB(64, 64, 64));
        case BLACK_BRUSH:
            return brush(BS_SOLID, RGB(0, 0, 0));
        case NULL_BRUSH:
            return brush(BS_NULL, 0);
        case WHITE_PEN:
            return pen(PS_SOLID, RGB(255, 255, 255));
        case BLACK_PEN:
            return pen(PS_SOLID, RGB(0, 0, 0));
        case NULL_PEN:
            return pen(PS_NULL, 0);
        case OEM_FIXED_FONT:
        case ANSI_FIXED_FONT:
        case SYSTEM_FIXED_FONT:
            return font(StockLogFont(12, FW_NORMAL, FIXED_PITCH | FF_MODERN, L"Courier"));
        case SYSTEM_FONT:
        case DEVICE_DEFAULT_FONT:
            return font(StockLogFont(16, FW_BOLD, VARIABLE_PITCH | FF_SWISS, L"MS Shell Dlg"));
        case ANSI_VAR_FONT:
        case DEFAULT_GUI_FONT:
            return font(StockLogFont(-11, FW_NORMAL, VARIABLE_PITCH | FF_SWISS, L"MS Shell Dlg"));
        default:
            return nullptr;
    }
}

// Stock handles and the system colour brushes, made once on first use.
struct Stock {
    HGDIOBJ handles[kStockCount] = {};
    HGDIOBJ sysBrushes[kSysColourCount] = {};
};

const Stock& TheStock() {
    static const Stock* stock = [] {
        auto* s = new Stock;
        for (int i = 0; i < kStockCount; ++i) {
            if (std::shared_ptr<GdiObject> object = MakeStock(i)) {
                s->handles[i] = RegisterStockObject(std::move(object));
            }
        }
        for (int i = 0; i < kSysColourCount; ++i) {
            s->sysBrushes[i] = RegisterStockObject(
                std::make_shared<BrushObject>(LOGBRUSH{BS_SOLID, GetSysColor(i), 0}));
        }
        return s;
    }();
    return *stock;
}

}  // namespace

HGDIOBJ GetStockObject(int index) {
    if (index < 0 || index >= kStockCount)
        return nullptr;
    return TheStock().handles[index];
}

HBRUSH GetSysColorBrush(int index) {
    if (index < 0 || index >= kSysColourCount)
        return nullptr;
    return static_cast<HBRUSH>(TheStock().sysBrushes[index]);
}

BOOL DeleteObject(HGDIOBJ object) {
    DWORD type = GetObjectType(object);
    if (type == 0 || type == OBJ_DC || type == OBJ_MEMDC)
        return FALSE;
    return ForgetGdiObject(object);
}

std::shared_ptr<PenObject> StockPen(int index) {
    return LookUpGdiObjectAs<PenObject>(GetStockObject(index));
}

std::shared_ptr<BrushObject> StockBrush(int index) {
    return LookUpGdiObjectAs<BrushObject>(GetStockObject(index));
}

std::shared_ptr<FontObject> StockFont(int index) {
    return LookUpGdiObjectAs<FontObject>(GetStockObject(index));
}
