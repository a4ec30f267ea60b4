#include "app/ui/map/Explorer1.h"

IMPLEMENT_DYNAMIC(CExplorer1, CWnd)

BOOL CExplorer1::Create(const wchar_t* windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id) {
    if (!RegisterWebBrowserClass())
        return FALSE;
    return CWnd::Create(kWebBrowserClass, windowName, style, rect, parent, id);
}

void CExplorer1::Navigate(const CString& url) {
    if (WebBrowser* browser = Browser())
        browser->Navigate(url.Std());
}

std::shared_ptr<WebDocument> CExplorer1::get_Document() const {
    WebBrowser* browser = Browser();
    return browser != nullptr ? browser->Document() : nullptr;
}
