#include "EndToEndWindows.h"

#include <cstdlib>
#include <thread>

#include "platform/web/WebBrowser.h"

namespace e2e {

InputLog g_input;
BrowserLog g_browser;

namespace {

void Fill(HWND hwnd, COLORREF caption, COLORREF body) {
    PAINTSTRUCT ps{};
    HDC dc = BeginPaint(hwnd, &ps);
    RECT r{};
    GetClientRect(hwnd, &r);
    FillSolidRect(dc, &r, body);
    r.bottom = kCaptionHeight;
    FillSolidRect(dc, &r, caption);
    EndPaint(hwnd, &ps);
}

LRESULT OnNotify(LPARAM lParam) {
    auto* n = reinterpret_cast<WebBrowserNotify*>(lParam);
    if (n->hdr.code == DISPID_BEFORENAVIGATE2) {
        g_browser.before.push_back(n->url);
        n->cancel = std::wstring(n->url).rfind(L"app:", 0) == 0 ? TRUE : FALSE;
    } else if (n->hdr.code == DISPID_DOCUMENTCOMPLETE) {
        g_browser.complete.push_back(n->url);
    }
    return 0;
}

// The skinned window: no frame of its own; its caption band drags it, as a
// window that hit-tests itself does.
LRESULT SkinProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Fill(hwnd, kCaption, kBody);
            return 0;
        case WM_NCHITTEST: {
            RECT r{};
            GetWindowRect(hwnd, &r);
            if (GET_X_LPARAM(lParam) >= r.right - 10 && GET_Y_LPARAM(lParam) >= r.bottom - 10)
                return HTBOTTOMRIGHT;
            return GET_Y_LPARAM(lParam) < r.top + kCaptionHeight ? HTCAPTION : HTCLIENT;
        }
        case WM_NCLBUTTONDOWN:
            if (wParam == WPARAM(HTCAPTION))
                return SendMessage(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
            if (wParam == WPARAM(HTBOTTOMRIGHT))
                return SendMessage(hwnd, WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, lParam);
            break;
        case WM_SIZE:
            // The skin's rounded shape follows the size.
            SetWindowRgn(hwnd,
                         CreateRoundRectRgn(0, 0, LOWORD(lParam) + 1, HIWORD(lParam) + 1, 40, 40),
                         TRUE);
            return 0;
        case WM_NOTIFY:
            return OnNotify(lParam);
        case WM_KEYDOWN:
            g_input.keys.push_back(UINT(wParam));
            break;
        case WM_CHAR:
            g_input.chars += wchar_t(wParam);
            break;
        case WM_MOUSEWHEEL:
            g_input.wheel.push_back(GET_WHEEL_DELTA_WPARAM(wParam));
            break;
        case WM_CLOSE:
            g_input.closeAsked = true;
            break;
        default:
            break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

LRESULT BallProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        Fill(hwnd, kBall, kBall);
        return 0;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

}  // namespace

void RegisterClasses() {
    WNDCLASSW skin{};
    skin.lpfnWndProc = SkinProc;
    skin.lpszClassName = kSkinClass;
    RegisterClass(&skin);
    WNDCLASSW ball{};
    ball.lpfnWndProc = BallProc;
    ball.lpszClassName = kBallClass;
    RegisterClass(&ball);
    RegisterWebBrowserClass();
}

void Pump() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Pump();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

bool Near(uint32_t pixel, COLORREF want) {
    const int d[3] = {int((pixel >> 16) & 0xFF) - GetRValue(want),
                      int((pixel >> 8) & 0xFF) - GetGValue(want),
                      int(pixel & 0xFF) - GetBValue(want)};
    return std::abs(d[0]) <= 4 && std::abs(d[1]) <= 4 && std::abs(d[2]) <= 4;
}

uint32_t Hex(COLORREF c) {
    return (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

}  // namespace e2e
