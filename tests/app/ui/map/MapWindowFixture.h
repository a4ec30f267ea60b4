// A stand-in for the main window: a top-level window with the map browser
// (IDC_MAIN_MAP_BROWSER) that forwards the browser's notifications to a
// CMapPaneController, as the main window's message map does, and records
// the commands it receives (the floating window's close box posts one).
// The browsers run on the fake engine; the player is the scripted library.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "MapPlayer.h"
#include "app/ui/map/MapPaneController.h"
#include "platform/web/FakeBrowserEngine.h"

class MapWindowFixture : public testing::Test {
public:
    static std::vector<WPARAM> s_commands;  // WM_COMMAND wParams the main window got

protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the controller with a connection test that answers `connected`
    // and waits until the answer has been applied.
    void StartConnected(bool connected);
    // Handles the messages waiting on this thread.
    static void Pump();
    // Pumps until `done` or 5 seconds (real time) have passed.
    static bool PumpUntil(const std::function<bool()>& done);

    FakeBrowserEngine& MainEngine() { return *FakeBrowserEngine::Of(m_browser); }
    // The engine of the floating window's browser; null while it does not exist.
    FakeBrowserEngine* FloatingEngine();
    // A point of the track in the map point texts, then UM_MAP_TRACK 2.
    void AddPoint(const wchar_t* vehicle, const wchar_t* time);

    static std::string LocalPageUri();
    static std::string OfflinePageUri();

    HWND m_main = nullptr;
    HWND m_browser = nullptr;
    FakeTrevane& m_player = BindMapPlayer();
    FakeHost m_host;
    std::unique_ptr<CMapPaneController> m_pane;
};
