// The main window's map: its browser (IDC_MAIN_MAP_BROWSER) with the page
// document, the choice of the page after the connection test, the track
// calls of UM_MAP_TRACK, the page's "app:" requests and the floating map
// window of the double-screen layout. The main window owns one, starts it
// in OnInitDialog, forwards the browser's notifications and UM_MAP_TRACK to
// it, and stops it in OnClose.
//
// The connection test runs on MapRetryThread, never on the UI thread: its
// results come back to the controller's own hidden window, and the state
// change and navigation that follow happen on the UI thread.
//
// m_nMapState: -1 undecided, 0 offline page shown, 1 map page navigated (final).
// UI thread, except where said.
#pragma once

#include "app/ui/map/Explorer1.h"
#include "app/ui/map/MapRetryThread.h"
#include "app/ui/map/VehmapInfoDlg.h"
#include "app/ui/map/WebPage.h"

class CMapPaneController : public CWnd {
public:
    explicit CMapPaneController(IMapPaneHost& host);
    ~CMapPaneController() override;

    // Takes over the browser control of `mainWindow` and sets the state to
    // -1. FALSE when the main window has no browser control.
    BOOL Attach(CWnd* mainWindow);
    // Starts the connection tests (the first at once) once the main window
    // is up. With [IE] MapOff set no test is made: nothing would be shown.
    BOOL StartConnectionTests();
    bool ConnectionTestsRunning() const { return m_retry.IsRunning(); }
    // Ends the tests (waiting briefly for the thread) and the floating window.
    void Stop();

    // What a connection test found (Algorithms of the map state above).
    void CheckMapConnection(bool connected);
    // Loads the local page (kLocalMapType) or the online page; nothing with
    // [IE] MapOff set.
    void NavigateMap(int mapType);
    // A new map type: both pages load it, the main one only once the map
    // page is shown (not the offline page).
    void SetMapType(int mapType);

    // UM_MAP_TRACK: wParam 1 clears the main page's track, 2 adds the point
    // of the map point texts to both pages. Returns 0.
    LRESULT OnMapTrack(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY of the browser control: DISPID_BEFORENAVIGATE2 and
    // DISPID_DOCUMENTCOMPLETE (a WebBrowserNotify).
    void OnBeforeNavigate2(NMHDR* header, LRESULT* result);
    void OnDocumentComplete(NMHDR* header, LRESULT* result);

    // The double-screen command: creates the floating map window (parent
    // `mainWindow`) when it does not exist. The single-screen command
    // destroys it.
    BOOL ShowFloatingMap(CWnd* mainWindow);
    void CloseFloatingMap();
    // A new language: the offline pages shown take its text.
    void ApplyLanguageTexts();
    CVehmapInfoDlg& FloatingMap() { return m_dlgVehmap; }

    CExplorer1& Browser() { return m_wndBrowser; }
    CWebPage& Page() { return m_webPage; }
    // The connection test the retry thread runs (the map server's unless
    // set); tests set it before Start.
    void SetConnectionCheck(MapRetryThread::Check check) { m_check = std::move(check); }

    int m_nMapState = -1;

protected:
    LRESULT OnConnectionTested(WPARAM connected, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateResultWindow(CWnd* mainWindow);
    bool FloatingMapExists() const { return m_dlgVehmap.Exists(); }

    IMapPaneHost& m_host;
    CWnd* m_pMainWindow = nullptr;
    CExplorer1 m_wndBrowser;
    CWebPage m_webPage;
    CVehmapInfoDlg m_dlgVehmap;
    MapRetryThread m_retry;
    MapRetryThread::Check m_check;
};
