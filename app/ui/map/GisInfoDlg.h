// The map page of the floating map window: a child dialog (template
// IDD_MAP_PAGE) whose browser (IDC_MAP_BROWSER) covers its client area. It
// loads the local page (map type 1) or the online page, or the offline page
// while the map server cannot be reached (with the text of the user's
// language), attaches the map page's
// document once the page has loaded, and carries out the page's "app:"
// requests through the main window's playback (IMapPaneHost). With
// [IE] MapOff set it never navigates. UI thread.
#pragma once

#include "app/ui/map/Explorer1.h"
#include "app/ui/map/MapPaneHost.h"
#include "app/ui/map/WebPage.h"
#include "platform/afx/Dialog.h"

class CGisInfoDlg : public CDialog {
public:
    explicit CGisInfoDlg(IMapPaneHost& host);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // Before initialisation only records the type; afterwards loads its page.
    void SetMapType(int mapType);
    // Whether the map server is out of reach: the offline page is shown
    // instead of the map page. Before initialisation only recorded.
    void SetOffline(bool offline);
    bool IsOffline() const { return m_bOffline; }

    CExplorer1& Browser() { return m_wndBrowser; }
    CWebPage& Page() { return m_webPage; }
    bool IsInitialised() const { return m_bInitialised; }

    DECLARE_DYNAMIC(CGisInfoDlg)

protected:
    void OnSize(UINT type, int cx, int cy);
    void OnPaint();
    void OnBeforeNavigate2(NMHDR* header, LRESULT* result);
    void OnDocumentComplete(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    void NavigateToMapPage();

    IMapPaneHost& m_host;
    CExplorer1 m_wndBrowser;
    CWebPage m_webPage;
    bool m_bInitialised = false;
    bool m_bOffline = false;
    int m_nMapType;
};

// Enter and Escape key-downs, which a dialog would take as OK and Cancel.
bool IsDialogEndingKey(const MSG* msg);
