// The windows of the end-to-end tests: a skinned top-level window that
// hit-tests itself (caption band moves it, bottom-right corner sizes it, its
// rounded shape follows its size) and logs its input and its browser
// control's events; a plain coloured child. Test thread only.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/user/User.h"

namespace e2e {

inline constexpr const wchar_t* kSkinClass = L"EndToEndSkin";
inline constexpr const wchar_t* kBallClass = L"EndToEndBall";
inline constexpr COLORREF kCaption = RGB(0x30, 0x40, 0xC0);
inline constexpr COLORREF kBody = RGB(0xC8, 0x64, 0x14);
inline constexpr COLORREF kBall = RGB(0xF0, 0xE0, 0x10);
inline constexpr COLORREF kPage = RGB(0x00, 0xFF, 0x00);
inline constexpr COLORREF kDesktop = RGB(0, 0, 0);  // Xvfb -br
inline constexpr int kCaptionHeight = 30;

// What the skinned window received.
struct InputLog {
    std::vector<UINT> keys;   // WM_KEYDOWN virtual keys
    std::wstring chars;       // WM_CHAR
    std::vector<int> wheel;   // WM_MOUSEWHEEL deltas
    bool closeAsked = false;  // WM_CLOSE
};
// What it heard from its browser control; it cancels every "app:" navigation.
struct BrowserLog {
    std::vector<std::wstring> before;  // BeforeNavigate2 urls
    std::vector<std::wstring> complete;
};
extern InputLog g_input;
extern BrowserLog g_browser;

void RegisterClasses();

// Handles this thread's messages until `done` holds, at most `limit`.
void Pump();
bool PumpUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(15));

// A screen pixel (0xRRGGBB) close to a colour; a COLORREF as 0xRRGGBB.
bool Near(uint32_t pixel, COLORREF want);
uint32_t Hex(COLORREF c);

}  // namespace e2e
