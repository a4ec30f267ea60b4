// The browser control: a child window of class kWebBrowserClass whose page an
// engine shows (WebKit on the GTK display, placed over the control's
// rectangle; the scripted fake elsewhere). The control and its document
// belong to the thread that created the window; call them there.
//
// Events reach the parent on that thread as WM_NOTIFY with a WebBrowserNotify
// whose code is the event's dispatch id: DISPID_BEFORENAVIGATE2 before every
// navigation (set `cancel` to stop it) and DISPID_DOCUMENTCOMPLETE when a
// page has loaded. They are never delivered on the engine's thread.
#pragma once

#include <memory>
#include <string>

#include "platform/user/UserTypes.h"
#include "platform/web/BrowserEngine.h"
#include "platform/web/WebDocument.h"

inline constexpr const wchar_t* kWebBrowserClass = L"WebBrowser";
inline constexpr UINT DISPID_BEFORENAVIGATE2 = 250;
inline constexpr UINT DISPID_DOCUMENTCOMPLETE = 259;

struct WebBrowserNotify {
    NMHDR hdr;
    const wchar_t* url;  // valid during the notification
    BOOL cancel;         // BeforeNavigate2: the parent sets it to cancel
};

// Registers the control's class; any thread, once or more.
BOOL RegisterWebBrowserClass();

class WebBrowser {
public:
    // The control of a window of kWebBrowserClass; null for any other window.
    static WebBrowser* FromWindow(HWND hwnd);

    // Loads an address: a web address, or an absolute file path.
    void Navigate(const std::wstring& address);
    // The page's document; null until the first navigation.
    std::shared_ptr<WebDocument> Document() const;
    BrowserEngine& Engine() { return *engine_; }

private:
    explicit WebBrowser(HWND hwnd);
    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend BOOL RegisterWebBrowserClass();
    void DeliverEvents();
    void Deliver(const BrowserEvent& event);

    HWND hwnd_;
    std::shared_ptr<BrowserEventPort> port_;
    std::shared_ptr<BrowserEngine> engine_;
    mutable std::shared_ptr<WebDocument> document_;
};
