#include "platform/web/WebBrowser.h"
#include "shared/TextConvert.h"

#include "platform/gdi/Gdi.h"
#include "platform/user/User.h"
#include "platform/web/WebText.h"

namespace {

// The control's object lives in its window's first extra slot.
constexpr int kSelfSlot = 0;
// Posted by the event port when the engine has reported something.
constexpr UINT kEventsWaiting = WM_USER + 0x0B0;

}  // namespace

BOOL RegisterWebBrowserClass() {
    WNDCLASSW wc{};
    if (GetClassInfo(nullptr, kWebBrowserClass, &wc))
        return TRUE;
    wc.lpfnWndProc = WebBrowser::Proc;
    wc.cbWndExtra = int(sizeof(LONG_PTR));
    wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kWebBrowserClass;
    return RegisterClass(&wc) != 0 || GetClassInfo(nullptr, kWebBrowserClass, &wc) ? TRUE : FALSE;
}

WebBrowser* WebBrowser::FromWindow(HWND hwnd) {
    wchar_t name[32] = {};
    if (GetClassName(hwnd, name, 32) == 0 || std::wstring(name) != kWebBrowserClass)
        return nullptr;
    return reinterpret_cast<WebBrowser*>(GetWindowLongPtr(hwnd, kSelfSlot));
}

WebBrowser::WebBrowser(HWND hwnd)
    : hwnd_(hwnd),
      port_(std::make_shared<BrowserEventPort>(hwnd, kEventsWaiting)),
      engine_(MakeBrowserEngine(port_)) {}

void WebBrowser::Navigate(const std::wstring& address) {
    engine_->Navigate(web::NavigationUri(address));
}

std::shared_ptr<WebDocument> WebBrowser::Document() const {
    if (!engine_->HasDocument())
        return nullptr;
    if (document_ == nullptr)
        document_ = std::make_shared<WebDocument>(engine_);
    return document_;
}

void WebBrowser::DeliverEvents() {
    // The parent may destroy the control (and this object) while it handles
    // an event; the events taken are local and the window is checked first.
    const HWND hwnd = hwnd_;
    for (const BrowserEvent& event : port_->Take()) {
        if (!IsWindow(hwnd))
            return;
        Deliver(event);
    }
}

void WebBrowser::Deliver(const BrowserEvent& event) {
    const std::wstring url = Utf8ToWideString(event.url);
    const bool before = event.kind == BrowserEvent::Kind::BeforeNavigate;
    WebBrowserNotify notify{};
    notify.hdr = NMHDR{hwnd_, UINT_PTR(GetDlgCtrlID(hwnd_)),
                       before ? DISPID_BEFORENAVIGATE2 : DISPID_DOCUMENTCOMPLETE};
    notify.url = url.c_str();
    const std::shared_ptr<BrowserEngine> engine = engine_;
    SendMessage(GetParent(hwnd_), WM_NOTIFY, WPARAM(notify.hdr.idFrom), LPARAM(&notify));
    if (before)
        engine->Decide(event.navigation, notify.cancel != FALSE);
}

LRESULT WebBrowser::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtr(hwnd, kSelfSlot, LONG_PTR(new WebBrowser(hwnd)));
            break;
        case kEventsWaiting:
            if (WebBrowser* self = FromWindow(hwnd))
                self->DeliverEvents();
            return 0;
        case WM_NCDESTROY:
            delete FromWindow(hwnd);
            SetWindowLongPtr(hwnd, kSelfSlot, 0);
            break;
        default:
            break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}
