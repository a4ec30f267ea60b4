// The browser control as a framework window: a window of the browser class
// (platform/web WebBrowser) made by Create or taken over from a dialog
// template with SubclassDlgItem. Its events reach the parent as WM_NOTIFY
// with a WebBrowserNotify (DISPID_BEFORENAVIGATE2, DISPID_DOCUMENTCOMPLETE).
// UI thread, the thread that made the control.
#pragma once

#include <memory>

#include "platform/afx/Wnd.h"
#include "platform/web/WebBrowser.h"

class CExplorer1 : public CWnd {
public:
    // A browser control with the caller's name, style, rectangle, parent and id.
    BOOL Create(const wchar_t* windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Loads a web address or an absolute file path; nothing without a control.
    void Navigate(const CString& url);
    // The page's document; null before the first navigation or without a control.
    std::shared_ptr<WebDocument> get_Document() const;

    DECLARE_DYNAMIC(CExplorer1)

private:
    WebBrowser* Browser() const { return WebBrowser::FromWindow(m_hWnd); }
};
