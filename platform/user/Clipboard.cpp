#include "platform/user/Clipboard.h"

#include "platform/user/DisplayBackend.h"

BOOL SetClipboardText(const std::wstring& text) {
    DisplayBackend* display = CurrentDisplayBackend();
    if (display == nullptr)
        return FALSE;
    display->SetClipboardText(text);
    return TRUE;
}

std::wstring GetClipboardText() {
    DisplayBackend* display = CurrentDisplayBackend();
    return display != nullptr ? display->ClipboardText() : std::wstring();
}
