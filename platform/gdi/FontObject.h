// Inside platform/gdi: a font object, its LOGFONT fixed at creation and the
// face realised from it at first use (from any thread; realised once).
#pragma once

#include <memory>
#include <mutex>

#include "platform/gdi/Font.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiObjectTable.h"
#include "platform/gdi/RealizedFont.h"

class FontObject : public GdiObject {
public:
    explicit FontObject(const LOGFONTW& font) : font_(font) {}

    DWORD Type() const override { return OBJ_FONT; }
    int Describe(int size, void* out) const override;

    const LOGFONTW& logFont() const { return font_; }
    RealizedFont& Realized() const;

private:
    LOGFONTW font_;
    mutable std::once_flag once_;
    mutable std::shared_ptr<RealizedFont> realized_;
};
