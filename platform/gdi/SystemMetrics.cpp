#include "platform/gdi/SystemMetrics.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <iterator>

namespace {

constexpr COLORREF kSysColours[] = {
    RGB(200, 200, 200),  // COLOR_SCROLLBAR
    RGB(0, 0, 0),        // COLOR_BACKGROUND
    RGB(153, 180, 209),  // COLOR_ACTIVECAPTION
    RGB(191, 205, 219),  // COLOR_INACTIVECAPTION
    RGB(240, 240, 240),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(100, 100, 100),  // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(0, 0, 0),        // COLOR_CAPTIONTEXT
    RGB(180, 180, 180),  // COLOR_ACTIVEBORDER
    RGB(244, 247, 252),  // COLOR_INACTIVEBORDER
    RGB(171, 171, 171),  // COLOR_APPWORKSPACE
    RGB(0, 120, 215),    // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(240, 240, 240),  // COLOR_BTNFACE
    RGB(160, 160, 160),  // COLOR_BTNSHADOW
    RGB(109, 109, 109),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(0, 0, 0),        // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(105, 105, 105),  // COLOR_3DDKSHADOW
    RGB(227, 227, 227),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(0, 0, 0),        // 25, unused
    RGB(0, 102, 204),    // COLOR_HOTLIGHT
    RGB(185, 209, 234),  // COLOR_GRADIENTACTIVECAPTION
    RGB(215, 228, 242),  // COLOR_GRADIENTINACTIVECAPTION
    RGB(0, 120, 215),    // COLOR_MENUHILIGHT
    RGB(240, 240, 240),  // COLOR_MENUBAR
};

std::atomic<int> g_screenWidth{1920};
std::atomic<int> g_screenHeight{1080};

// Metrics that follow the screen's size; -1 for the others. A maximised
// window's frame (8 pixels a side) lies beyond the screen.
int MetricOfScreen(int index) {
    switch (index) {
        case SM_CXSCREEN:
        case SM_CXFULLSCREEN:
        case SM_CXVIRTUALSCREEN:
            return g_screenWidth;
        case SM_CYSCREEN:
        case SM_CYVIRTUALSCREEN:
            return g_screenHeight;
        case SM_CYFULLSCREEN:
            return g_screenHeight - 23;  // less the caption
        case SM_CXMAXIMIZED:
            return g_screenWidth + 16;
        case SM_CYMAXIMIZED:
            return g_screenHeight + 16;
        default:
            return -1;
    }
}

// Fixed metrics of a 96-dpi desktop.
int FixedMetric(int index) {
    switch (index) {
        case SM_CXVSCROLL:
        case SM_CYHSCROLL:
        case SM_CYVSCROLL:
        case SM_CXHSCROLL:
        case SM_CYVTHUMB:
        case SM_CXHTHUMB:
            return 17;
        case SM_CYCAPTION:
            return 23;
        case SM_CXBORDER:
        case SM_CYBORDER:
        case SM_CMONITORS:
            return 1;
        case SM_CXDLGFRAME:
        case SM_CYDLGFRAME:
            return 3;
        case SM_CXICON:
        case SM_CYICON:
        case SM_CXCURSOR:
        case SM_CYCURSOR:
            return 32;
        case SM_CYMENU:
            return 20;
        case SM_CXMIN:
            return 136;
        case SM_CYMIN:
            return 39;
        case SM_CXSIZE:
        case SM_CYSIZE:
            return 22;
        case SM_CXFRAME:
        case SM_CYFRAME:
            return 8;
        case SM_CXMINTRACK:
            return 136;
        case SM_CYMINTRACK:
            return 39;
        case SM_CXDOUBLECLK:
        case SM_CYDOUBLECLK:
            return 4;
        case SM_CXEDGE:
        case SM_CYEDGE:
            return 2;
        case SM_CXSMICON:
        case SM_CYSMICON:
            return 16;
        default:
            return 0;
    }
}

}  // namespace

DWORD GetSysColor(int index) {
    if (index < 0 || index >= int(std::size(kSysColours)))
        return 0;
    return kSysColours[index];
}

int GetSystemMetrics(int index) {
    int screen = MetricOfScreen(index);
    return screen >= 0 ? screen : FixedMetric(index);
}

void SetScreenSize(int width, int height) {
    g_screenWidth = width;
    g_screenHeight = height;
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0)
        return -1;
    int64_t product = int64_t(number) * numerator;
    int64_t magnitude = (std::llabs(product) + std::llabs(int64_t(denominator)) / 2) /
                        std::llabs(int64_t(denominator));
    bool negative = (product < 0) != (denominator < 0);
    int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return int(result);
}
