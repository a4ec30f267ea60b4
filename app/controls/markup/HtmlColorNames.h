// The colour keywords a markup text may name (the X11 set of CSS colours).
#pragma once

#include <span>

#include "platform/gdi/GdiTypes.h"

struct HtmlColorName {
    const wchar_t* name;
    COLORREF color;
};

std::span<const HtmlColorName> HtmlColorNames();
