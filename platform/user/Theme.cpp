#include "platform/user/Theme.h"

#include <map>
#include <mutex>

#include "platform/gdi/Gdi.h"

HBRUSH ThemeBrush(COLORREF colour) {
    static std::mutex lock;
    static auto* brushes = new std::map<COLORREF, HBRUSH>;  // outlives static destructors
    std::lock_guard hold(lock);
    HBRUSH& brush = (*brushes)[colour];
    if (brush == nullptr)
        brush = CreateSolidBrush(colour);
    return brush;
}
