// End to end under a real window manager (with-openbox.sh): the main window
// and its dialogs behave as desktop windows do. The window manager moves the
// window and clicks still land; windows open whole and centred; a path typed
// on the keyboard reaches the open dialog's name box as typed; the wheel
// scrolls its list; the find dialog stays above the main window. Input is
// real X input (XTest); every wait is bounded.
#include <cairo.h>

#include <atomic>
#include <chrono>
#include <cwchar>
#include <fstream>
#include <string>
#include <thread>

#include "EndToEndFixture.h"
#include "app/WindowScreenshot.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/main/PlayerCallbacks.h"
#include "app/ui/playbar/PlayState.h"
#include "platform/backend/GtkDisplay.h"
#include "platform/base/Module.h"
#include "platform/user/CommonDialogControls.h"
#include "platform/user/FileDialog.h"
#include "platform/user/Menus.h"
#include "platform/user/NonClient.h"
#include "platform/user/Placement.h"
#include "platform/user/WindowPixels.h"
#include "shared/TextConvert.h"
#include "tests/platform/backend/XTestInput.h"

namespace maine2e {
namespace {

using Clock = std::chrono::steady_clock;

// The sample's first channel, as the recording generator paints it.
constexpr Rgb kFirstChannel = {200, 40, 40};

// Handles the calling thread's messages until `done` holds, at most `ms`.
bool PumpUntil(const std::function<bool()>& done, int ms) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return done();
}

// A shown top-level window of `className`, or null.
HWND ShownTopLevelOf(const wchar_t* className) {
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassName(h, name, 64);
        if (IsWindowVisible(h) && std::wstring(name) == className)
            return h;
    }
    return nullptr;
}

CRect RectOf(HWND hwnd) {
    CRect r;
    GetWindowRect(hwnd, &r);
    return r;
}

// Wholly on the work area and centred over `around`, give or take rounding
// and what the work area's edges made it give way.
void ExpectCentredOnScreen(const CRect& r, const CRect& around) {
    const RECT area = WorkArea();
    EXPECT_GE(r.left, area.left);
    EXPECT_GE(r.top, area.top);
    EXPECT_LE(r.right, area.right);
    EXPECT_LE(r.bottom, area.bottom);
    const CRect kept = KeptOnWorkArea(CRect(around.CenterPoint().x - r.Width() / 2,
                                            around.CenterPoint().y - r.Height() / 2,
                                            around.CenterPoint().x + (r.Width() + 1) / 2,
                                            around.CenterPoint().y + (r.Height() + 1) / 2));
    EXPECT_NEAR(r.left, kept.left, 1) << "centred";
    EXPECT_NEAR(r.top, kept.top, 1) << "centred";
}

// Share of the points of `area` at which the real screen shows `window`'s own pixels.
double ShownShare(HWND window, const CRect& area) {
    GtkDisplay* display = GtkDisplay::Current();
    std::vector<uint32_t> screen =
        display != nullptr ? display->ReadScreen(area) : std::vector<uint32_t>{};
    const CRect w = RectOf(window);
    WindowPixels own(window);
    if (!own.Valid() || screen.size() != size_t(area.Width()) * size_t(area.Height()))
        return 0;
    size_t same = 0;
    for (int y = 0; y < area.Height(); ++y) {
        const uint32_t* row = own.Buffer().Row(area.top - w.top + y);
        for (int x = 0; x < area.Width(); ++x)
            same += (screen[size_t(y * area.Width() + x)] & 0xFFFFFF) ==
                            (row[area.left - w.left + x] & 0xFFFFFF)
                        ? 1
                        : 0;
    }
    return double(same) / double(screen.size());
}

class DesktopEndToEnd : public EndToEnd {
protected:
    // The main window as the program makes it: placed by the framework.
    void ShowMain() {
        ASSERT_TRUE(dlg.Create(IDD_MAIN));
        AfxSetMainWnd(&dlg);
        dlg.ShowWindow(SW_SHOW);
        Run(500);
    }
    // The parts of the window the screen shows from its backing store: all
    // but the map pane, whose page the display draws itself.
    CRect BesideTheMap() {
        const CRect w = RectOf(dlg);
        CRect map;
        dlg.m_mapPane.Browser().GetWindowRect(&map);
        return CRect(w.left + 4, w.top + 4, map.left - 4, w.bottom - 4);
    }
    // The window laid out for its client size: the video spans two thirds of
    // it and the play bar sits at its bottom.
    void ExpectLaidOutToItsSize(const char* after) {
        CRect client;
        dlg.GetClientRect(&client);
        CRect video;
        dlg.m_stVideo.GetWindowRect(&video);
        EXPECT_EQ(video.Width(), client.Width() / 6 * 4) << after;
        CRect bar;
        dlg.m_playBar.GetWindowRect(&bar);
        dlg.ScreenToClient(&bar);
        EXPECT_EQ(bar.top, client.Height() - 70) << after;
        EXPECT_GT(ShownShare(dlg, BesideTheMap()), 0.95) << after << ": the screen shows it whole";
    }
    // The middle of one of the main window's caption boxes, on the screen.
    CPoint CaptionBox(RECT NonClientLayout::*box) {
        const CRect w = RectOf(dlg);
        const NonClientLayout l =
            LayoutNonClient(DWORD(dlg.GetStyle()), DWORD(dlg.GetExStyle()), w.Width(), w.Height());
        const RECT& b = l.*box;
        return CPoint(w.left + (b.left + b.right) / 2, w.top + (b.top + b.bottom) / 2);
    }
    // The middle of the main window's first menu label, on the screen.
    CPoint FileLabel() {
        CRect label;
        dlg.m_menuLabels[0].GetWindowRect(&label);
        return CPoint(label.left + 15, label.CenterPoint().y);
    }
};

TEST_F(DesktopEndToEnd, TheMainWindowOpensCentredAndItsDialogsCentredOverIt) {
    ShowMain();
    const RECT area = WorkArea();
    ExpectCentredOnScreen(RectOf(dlg), CRect(area));
    EXPECT_TRUE(SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e_desktop.png"));

    // The about box: a dialog whose code does not place it. It is looked at
    // from another thread while the box runs modally here.
    std::atomic<bool> seen{false};
    CRect about;
    std::thread watcher([&] {
        const auto end = Clock::now() + std::chrono::seconds(10);
        HWND box = nullptr;
        while (Clock::now() < end && box == nullptr) {
            HWND front = GetForegroundWindow();
            if (front != nullptr && front != dlg.GetSafeHwnd() && IsWindowVisible(front))
                box = front;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (box == nullptr)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        about = RectOf(box);
        seen = true;
        PostMessage(box, WM_COMMAND, IDCANCEL, 0);
    });
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDM_ABOUT, 0), 0);
    watcher.join();
    ASSERT_TRUE(seen) << "the about box showed";
    ExpectCentredOnScreen(about, RectOf(dlg));

    // Maximised, the whole window fills the work area, nothing cut off.
    dlg.ShowWindow(SW_MAXIMIZE);
    Run(800);
    EXPECT_EQ(RectOf(dlg), CRect(area));
    EXPECT_TRUE(PumpUntil([&] { return ShownShare(dlg, BesideTheMap()) > 0.95; }, 5000))
        << "the screen shows the window whole";
    EXPECT_TRUE(
        SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e_maximised.png"));
}

// The window's own minimise box hands the window to the window manager,
// iconified; the task bar brings it back whole, where it was, and it answers.
TEST_F(DesktopEndToEnd, TheOwnMinimiseIconifiesAndTheTaskBarBringsTheWindowBackWhole) {
    ShowMain();
    const CRect before = RectOf(dlg);
    ASSERT_TRUE(PumpUntil([&] { return ShownShare(dlg, BesideTheMap()) > 0.95; }, 10000))
        << "the screen shows the window before its box is clicked";
    const CPoint minimise = CaptionBox(&NonClientLayout::minBox);
    ASSERT_TRUE(ClickWithXTest(minimise.x, minimise.y));
    EXPECT_TRUE(PumpUntil([&] { return dlg.IsIconic() && IconifiedByWindowManager() == 1; }, 10000))
        << "iconified: " << IconifiedByWindowManager();
    ASSERT_TRUE(ActivateIconifiedWithWindowManager());
    ASSERT_TRUE(
        PumpUntil([&] { return !dlg.IsIconic() && IconifiedByWindowManager() == 0; }, 5000));
    Run(800);
    EXPECT_EQ(RectOf(dlg), before) << "back where it was";
    ExpectLaidOutToItsSize("restored from the task bar");
    EXPECT_TRUE(
        SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e_deiconified.png"));

    std::atomic<bool> opened{false};
    std::thread watcher([&] {
        const auto end = Clock::now() + std::chrono::seconds(10);
        HWND menu = nullptr;
        while (Clock::now() < end && (menu = ShownTopLevelOf(kMenuClassName)) == nullptr)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        opened = menu != nullptr;
        const char* escape[] = {"Escape"};
        TypeWithXTest(escape, 1);
    });
    const CPoint file = FileLabel();
    ASSERT_TRUE(ClickWithXTest(file.x, file.y));
    Run(1500);
    watcher.join();
    EXPECT_TRUE(opened) << "its controls answer";
}

// The window manager's maximise and an Alt+drag resize are the window's size:
// the content is laid out to it and the screen shows it whole; the window
// manager's restore brings the size before back.
TEST_F(DesktopEndToEnd, TheWindowManagersMaximiseAndResizeLayTheContentOut) {
    ShowMain();
    const CRect before = RectOf(dlg);
    ASSERT_TRUE(MaximizeWithWindowManager(before.left + 200, before.top + 5, true));
    EXPECT_TRUE(PumpUntil([&] { return dlg.IsZoomed() && RectOf(dlg) == CRect(WorkArea()); }, 5000))
        << "maximised to " << RectOf(dlg).Width() << " x " << RectOf(dlg).Height();
    Run(800);
    ExpectLaidOutToItsSize("maximised by the window manager");
    EXPECT_TRUE(
        SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e_wm_maximised.png"));
    ASSERT_TRUE(MaximizeWithWindowManager(before.left + 200, before.top + 5, false));
    EXPECT_TRUE(PumpUntil([&] { return !dlg.IsZoomed() && RectOf(dlg) == before; }, 5000))
        << "restored to " << RectOf(dlg).Width() << " x " << RectOf(dlg).Height();
    Run(500);
    ExpectLaidOutToItsSize("restored by the window manager");

    const CPoint corner(before.right - 40, before.bottom - 40);
    ASSERT_TRUE(AltResizeWithXTest(corner.x, corner.y, corner.x + 160, corner.y + 90, 10));
    EXPECT_TRUE(PumpUntil([&] { return RectOf(dlg).Width() >= before.Width() + 150; }, 5000))
        << "resized to " << RectOf(dlg).Width() << " x " << RectOf(dlg).Height();
    Run(800);
    EXPECT_GE(RectOf(dlg).Height(), before.Height() + 80);
    ExpectLaidOutToItsSize("resized by the window manager");
    EXPECT_TRUE(
        SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e_wm_resized.png"));
}

// The pane shows the whole picture: its top rows, in the channel's colour
// above the moving block, are not hidden under the top bar. Paused, the
// picture stays through a move by the window manager and a repaint.
TEST_F(DesktopEndToEnd, ThePictureShowsWholeAndStaysThroughAMoveWhilePaused) {
    OpenSample();
    ASSERT_TRUE(WaitFor([&] { return FourChannelsShown(); }, 5000));
    CRect video;
    const auto topRowsShown = [&] {
        const std::vector<uint32_t> pane = VideoPixels(&video);
        const int w = video.Width();
        int coloured = 0;
        for (int y = 0; y < 3; ++y) {
            for (int x = 4; x < w / 2 - 4; ++x)
                coloured += Near(pane[size_t(y) * size_t(w) + size_t(x)], kFirstChannel) ? 1 : 0;
        }
        return coloured > 3 * (w / 2 - 8) * 9 / 10;
    };
    EXPECT_TRUE(WaitFor(topRowsShown, 3000)) << "the picture's top rows show";
    EXPECT_TRUE(
        SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e_top_rows.png"));

    const char* space[] = {"space"};
    ASSERT_TRUE(TypeWithXTest(space, 1));
    ASSERT_TRUE(WaitFor([&] { return dlg.GetPlayState() == PLAY_PAUSED; }, 5000));
    Run(800);
    const CRect before = RectOf(dlg);
    const CPoint to(before.left + 40, before.top + 30);
    ASSERT_TRUE(MoveWindowWithWindowManager(before.left + 200, before.top + 5, to.x, to.y));
    ASSERT_TRUE(PumpUntil([&] { return RectOf(dlg).TopLeft() == to; }, 5000));
    Run(800);
    EXPECT_TRUE(FourChannelsShown()) << "paused, after the move";
    dlg.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    Run(800);
    EXPECT_TRUE(FourChannelsShown()) << "paused, after a repaint";
    EXPECT_TRUE(
        SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e_paused_moved.png"));
}

// Boxes the player asks for are the main window's: one box for a fault
// reported again and again, centred over the window and modal to it (a click
// on the window's menu opens nothing); the window manager's close of the
// window ends the box with the program.
TEST_F(DesktopEndToEnd, ThePlayersBoxIsModalToTheWindowAndEndsWithIt) {
    ShowMain();
    ASSERT_TRUE(PumpUntil([&] { return ShownShare(dlg, BesideTheMap()) > 0.95; }, 10000));
    std::atomic<int> boxesShown{0};
    std::atomic<HWND> box{nullptr}, owner{nullptr};
    std::atomic<bool> watched{false}, photographed{false};
    CRect boxRect;
    SetMessageBoxHook([&](const MessageBoxRequest& r) {
        if (++boxesShown == 1) {
            owner = GetWindow(r.box, GW_OWNER);
            box = r.box;
            // Inside the box's own loop: the screen while it is open.
            PumpUntil([&] { return watched.load(); }, 15000);
            boxRect = RectOf(r.box);
            EXPECT_TRUE(SaveWindowScreenshot(dlg.GetSafeHwnd(),
                                             DVR_BUILD_DIR "/marlowin_e2e_modal_box.png"));
            photographed = true;
        }
        return 0;  // left to the user
    });
    std::atomic<bool> enabledWhileOpen{true}, menuOpened{false}, closeAsked{false};
    const CPoint file = FileLabel();
    const CRect main = RectOf(dlg);
    std::thread player([&] {
        for (int i = 0; i < 3; ++i)
            OnPlayerError(ERR_INDEX_UNREADABLE, 0, 0);
        const auto end = Clock::now() + std::chrono::seconds(10);
        while (Clock::now() < end && (box == nullptr || !IsWindowVisible(box)))
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::this_thread::sleep_for(std::chrono::milliseconds(800));  // mapped and drawn
        enabledWhileOpen = IsWindowEnabled(dlg.GetSafeHwnd()) != FALSE;
        ClickWithXTest(file.x, file.y);
        std::this_thread::sleep_for(std::chrono::milliseconds(800));
        menuOpened = ShownTopLevelOf(kMenuClassName) != nullptr;
        watched = true;
        const auto shot = Clock::now() + std::chrono::seconds(10);
        while (Clock::now() < shot && !photographed)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        closeAsked = CloseWithWindowManager(main.left + 30, main.bottom - 30);
    });
    const bool ended =
        PumpUntil([&] { return closeAsked && !dlg.IsWindowVisible() && !IsWindow(box); }, 30000);
    player.join();
    EXPECT_TRUE(ended) << "the close of the window ends its box";
    EXPECT_EQ(boxesShown, 1) << "one box for the fault told three times";
    EXPECT_EQ(owner.load(), dlg.GetSafeHwnd());
    EXPECT_FALSE(enabledWhileOpen);
    EXPECT_FALSE(menuOpened) << "the window takes no clicks while its box is open";
    EXPECT_NEAR(boxRect.CenterPoint().x, main.CenterPoint().x, 2) << "centred over the window";
    EXPECT_NEAR(boxRect.CenterPoint().y, main.CenterPoint().y, 2);
    dlg.DestroyWindow();
}

// A click on the map pane's page leaves the keys with the player: Space
// pauses and plays again.
TEST_F(DesktopEndToEnd, SpaceWorksAfterAClickOnTheMap) {
    OpenSample();
    ASSERT_TRUE(WaitFor([&] { return dlg.m_mapPane.m_nMapState == 0; }, 10000));
    Run(1500);  // the page has loaded
    CRect map;
    dlg.m_mapPane.Browser().GetWindowRect(&map);
    ASSERT_TRUE(ClickWithXTest(map.CenterPoint().x, map.CenterPoint().y));
    Run(500);
    const char* space[] = {"space"};
    ASSERT_TRUE(TypeWithXTest(space, 1));
    EXPECT_TRUE(WaitFor([&] { return dlg.GetPlayState() == PLAY_PAUSED; }, 5000)) << "Space paused";
    ASSERT_TRUE(TypeWithXTest(space, 1));
    EXPECT_TRUE(WaitFor([&] { return dlg.GetPlayState() == PLAY_PLAYING; }, 5000))
        << "and plays again";
}

TEST_F(DesktopEndToEnd, AfterTheWindowManagerMovesTheWindowAClickOnFileOpensTheMenu) {
    ShowMain();
    const CRect before = RectOf(dlg);
    const CPoint to(before.left - 60, before.top + 40);
    ASSERT_TRUE(MoveWindowWithWindowManager(before.left + 200, before.top + 5, to.x, to.y));
    ASSERT_TRUE(PumpUntil([&] { return RectOf(dlg).TopLeft() == to; }, 5000))
        << "the window system follows the window manager: now at " << RectOf(dlg).left << ","
        << RectOf(dlg).top;
    Run(300);

    std::atomic<bool> opened{false};
    std::thread watcher([&] {
        const auto end = Clock::now() + std::chrono::seconds(10);
        HWND menu = nullptr;
        while (Clock::now() < end && (menu = ShownTopLevelOf(kMenuClassName)) == nullptr)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        opened = menu != nullptr;
        const char* escape[] = {"Escape"};
        TypeWithXTest(escape, 1);
    });
    const CPoint file = FileLabel();
    ASSERT_TRUE(ClickWithXTest(file.x, file.y));
    Run(1500);
    watcher.join();
    EXPECT_TRUE(opened) << "File at " << file.x << "," << file.y << " opened its menu";
}

class OpenDialogEndToEnd : public DesktopEndToEnd {
protected:
    OpenDialogEndToEnd() {
        for (int i = 0; i < 40; ++i)
            std::ofstream(folder_ / ("clip" + std::to_string(100 + i) + ".dvr")) << "x";
    }
    ~OpenDialogEndToEnd() override { SetFileDialogHook(nullptr); }

    // Runs the open dialog over the main window; `look` is called on the
    // dialog's thread once it shows, and the dialog is cancelled afterwards.
    void RunOpenDialog(const std::function<void(HWND)>& look) {
        bool looked = false;
        SetFileDialogHook([&](const FileDialogRequest& request) {
            FileDialogAnswer answer;
            if (looked)
                return answer;
            looked = true;
            PumpUntil([&] { return IsWindowVisible(request.dialog) != FALSE; }, 3000);
            Run(500);
            look(request.dialog);
            answer.action = FileDialogAnswer::Cancel;
            return answer;
        });
        wchar_t file[1024] = L"";
        const std::wstring dir = folder_.wstring();
        OPENFILENAMEW ofn{};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = dlg.GetSafeHwnd();
        ofn.lpstrFilter = L"Recordings (*.dvr)\0*.dvr\0";
        ofn.lpstrFile = file;
        ofn.nMaxFile = 1024;
        ofn.lpstrInitialDir = dir.c_str();
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
        EXPECT_FALSE(GetOpenFileNameW(&ofn));
        EXPECT_TRUE(looked);
    }

    TempDir files_;
    const fs::path folder_ = files_.Path();
};

TEST_F(OpenDialogEndToEnd, APathTypedOnTheKeyboardReachesTheNameBoxAsTyped) {
    ShowMain();
    std::wstring typed;
    RunOpenDialog([&](HWND dialog) {
        ExpectCentredOnScreen(RectOf(dialog), CRect(WorkArea()));
        EXPECT_TRUE(SaveWindowScreenshot(dialog, DVR_BUILD_DIR "/marlowin_e2e_open.png"));
        HWND name = GetDlgItem(dialog, 1003);
        ASSERT_EQ(GetFocus(), name) << "the name box has the keys";
        SetWindowTextW(name, L"");
        EXPECT_TRUE(TypeTextWithXTest("/tmp/a b/\xC3\xBC.dvr"));
        const auto text = [name] {
            wchar_t buffer[256] = {};
            GetWindowTextW(name, buffer, 256);
            return std::wstring(buffer);
        };
        PumpUntil([&] { return text() == L"/tmp/a b/\u00FC.dvr"; }, 5000);
        typed = text();
    });
    EXPECT_EQ(typed, L"/tmp/a b/\u00FC.dvr");
}

TEST_F(OpenDialogEndToEnd, TheWheelScrollsTheFileList) {
    ShowMain();
    RunOpenDialog([&](HWND dialog) {
        HWND list = GetDlgItem(dialog, 1002);
        ASSERT_NE(list, nullptr);
        const auto firstRowTop = [list] {
            RECT row{};
            SendMessage(list, LB_GETITEMRECT, 0, LPARAM(&row));
            return int(row.top);
        };
        const int top = firstRowTop();
        const CRect r = RectOf(list);
        ASSERT_TRUE(WheelWithXTest(r.CenterPoint().x, r.CenterPoint().y, false));
        EXPECT_TRUE(PumpUntil([&] { return firstRowTop() < top; }, 3000)) << "scrolled down";
        const int scrolled = firstRowTop();
        ASSERT_TRUE(WheelWithXTest(r.CenterPoint().x, r.CenterPoint().y, true));
        EXPECT_TRUE(PumpUntil([&] { return firstRowTop() > scrolled; }, 3000)) << "and back up";
    });
}

TEST_F(DesktopEndToEnd, TheFindDialogStaysAboveTheMainWindowAfterASearch) {
    OpenSample();
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDM_FIND_AND_PLAY, 0), 0);
    ASSERT_NE(dlg.m_pFindLocateDlg, nullptr);
    CFindLocateDlg& find = *dlg.m_pFindLocateDlg;
    ASSERT_TRUE(WaitFor([&] { return find.IsWindowVisible() && !find.IsListRunning(); }, 5000));
    Run(500);
    // A search by speed, pressed as the user does, then a click on the main
    // window's video beside the dialog.
    CRect search;
    ::GetWindowRect(::GetDlgItem(find, IDC_FIND_SPEED_BUTTON), &search);
    ASSERT_TRUE(ClickWithXTest(search.CenterPoint().x, search.CenterPoint().y));
    Run(1000);
    CRect video;
    dlg.m_stVideo.GetWindowRect(&video);
    const CRect f = RectOf(find);
    ASSERT_TRUE(ClickWithXTest(video.left + 10, video.top + 10));
    Run(1000);
    const CRect inside(f.left + 10, f.top + 10, f.right - 10, f.bottom - 10);
    EXPECT_GT(ShownShare(find.GetSafeHwnd(), inside), 0.9) << "the screen shows the find dialog";
    EXPECT_TRUE(find.IsWindowVisible());
}

// While the sample plays, the status line, the telemetry lines and the
// channel labels keep what they say through a maximise, a panel toggle and a
// restore, and the status line speaks the language of the moment. The pointer
// rests on the video from before the sample plays and never moves: the labels
// show all the same. Screenshots of each step go to the build folder.
TEST_F(DesktopEndToEnd, TheTextLinesFollowTheStateThroughLayoutsAndLanguages) {
    ShowMainWindow();
    Run(500);
    CRect video;
    dlg.m_stVideo.GetWindowRect(&video);
    const CPoint rest(video.left + video.Width() / 3, video.top + video.Height() / 3);
    ASSERT_TRUE(MoveWithXTest(rest.x, rest.y));
    ASSERT_TRUE(PumpUntil(
        [&] {
            POINT at{};
            return GetCursorPos(&at) && at.x == rest.x && at.y == rest.y;
        },
        5000));
    Run(300);
    PlaySample();
    ASSERT_TRUE(WaitFor([&] { return !dlg.m_stCarId.GetText().IsEmpty(); }, 5000));
    EXPECT_TRUE(WaitFor([&] { return ChannelLabelsShown(); }, 3000))
        << "playback started under the resting pointer";
    const CString carId = dlg.m_stCarId.GetText();
    const auto shot = [&](const char* name) {
        Run(300);
        EXPECT_TRUE(SaveWindowScreenshot(
            dlg.GetSafeHwnd(), std::string(DVR_BUILD_DIR "/marlowin_e2e_text_") + name + ".png"));
    };
    const auto expectPlaying = [&](const char* after) {
        EXPECT_EQ(std::wstring(dlg.m_stStatus.GetText().GetString()), L"Playing") << after;
        EXPECT_EQ(dlg.m_stCarId.GetText(), carId) << after;
        EXPECT_FALSE(dlg.m_stTime.GetText().IsEmpty()) << after;
        EXPECT_TRUE(WaitFor([&] { return ChannelLabelsShown(); }, 3000)) << after;
    };
    dlg.ShowWindow(SW_MAXIMIZE);
    Run(800);
    expectPlaying("maximised");
    shot("maximised");
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAIN_INFO_PANE, BN_CLICKED),
                    LPARAM(dlg.m_btnInfoPane.GetSafeHwnd()));
    Run(300);
    expectPlaying("info pane toggled");
    shot("info_pane_toggled");

    // The language files the program ships, from its folder, as the
    // settings dialog loads them.
    const std::wstring programDir = Utf8ToWideString(ProgramDirectory());
    std::wcsncpy(g_szProgramDir, programDir.c_str(), kConfigPathSize - 1);
    ASSERT_TRUE(LoadLanguageFile(L"Chinese.lang"));
    dlg.ApplyLanguageTexts();
    Run(300);
    EXPECT_NE(std::wstring(IDS_STATE_PLAYING.GetString()), L"Playing");
    EXPECT_EQ(dlg.m_stStatus.GetText(), IDS_STATE_PLAYING.Get()) << "in Chinese";
    shot("chinese");
    ASSERT_TRUE(LoadLanguageFile(L"English.lang"));
    dlg.ApplyLanguageTexts();
    Run(300);
    expectPlaying("back in English");
    shot("english");

    dlg.ShowWindow(SW_RESTORE);
    Run(800);
    expectPlaying("restored");
    shot("restored");
}

// Whatever moves the video under the resting pointer or starts playback
// under it shows the channel labels: the window manager's maximise and
// restore, and a stop then play.
TEST_F(DesktopEndToEnd, TheLabelsFollowTheRestingPointerThroughTheWindowManagerAndAStop) {
    ShowMainWindow();
    Run(500);
    CRect video;
    dlg.m_stVideo.GetWindowRect(&video);
    const CPoint rest(video.left + video.Width() / 3, video.top + video.Height() / 3);
    ASSERT_TRUE(MoveWithXTest(rest.x, rest.y));
    ASSERT_TRUE(PumpUntil(
        [&] {
            POINT at{};
            return GetCursorPos(&at) && at.x == rest.x && at.y == rest.y;
        },
        5000));
    PlaySample();
    EXPECT_TRUE(WaitFor([&] { return ChannelLabelsShown(); }, 3000)) << "started under it";
    const CRect before = RectOf(dlg);
    ASSERT_TRUE(MaximizeWithWindowManager(before.left + 200, before.top + 5, true));
    ASSERT_TRUE(PumpUntil([&] { return dlg.IsZoomed(); }, 5000));
    EXPECT_TRUE(WaitFor([&] { return ChannelLabelsShown(); }, 3000)) << "maximised";
    ASSERT_TRUE(MaximizeWithWindowManager(rest.x, rest.y, false));
    ASSERT_TRUE(PumpUntil([&] { return !dlg.IsZoomed(); }, 5000));
    EXPECT_TRUE(WaitFor([&] { return ChannelLabelsShown(); }, 3000)) << "restored";
    const auto press = [&](int id) {
        ::SendMessage(::GetDlgItem(dlg.m_playBar.GetSafeHwnd(), id), BM_CLICK, 0, 0);
    };
    press(IDC_PLAYBAR_STOP);
    ASSERT_TRUE(WaitFor([&] { return dlg.GetPlayState() != PLAY_PLAYING; }, 5000));
    Run(500);
    press(IDC_PLAYBAR_PLAY);
    ASSERT_TRUE(WaitForStatus(L"Playing"));
    EXPECT_TRUE(WaitFor([&] { return ChannelLabelsShown(); }, 3000)) << "stopped and played";
    EXPECT_TRUE(SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e_labels.png"));
}

// Share of the points of `area` (screen coordinates, inside `window`) that
// the PNG of the window's screenshot shows in `colour`, give or take 8.
double ShareInScreenshot(const std::string& png, const CRect& window, const CRect& area,
                         Rgb colour) {
    cairo_surface_t* picture = cairo_image_surface_create_from_png(png.c_str());
    double share = 0;
    if (cairo_surface_status(picture) == CAIRO_STATUS_SUCCESS) {
        const unsigned char* data = cairo_image_surface_get_data(picture);
        const int stride = cairo_image_surface_get_stride(picture);
        int same = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            const auto* row =
                reinterpret_cast<const uint32_t*>(data + size_t(y - window.top) * size_t(stride));
            for (int x = area.left; x < area.right; ++x) {
                const uint32_t p = row[x - window.left];
                same += std::abs(int((p >> 16) & 0xFF) - colour.r) <= 8 &&
                                std::abs(int((p >> 8) & 0xFF) - colour.g) <= 8 &&
                                std::abs(int(p & 0xFF) - colour.b) <= 8
                            ? 1
                            : 0;
            }
        }
        share = double(same) / double(area.Width() * area.Height());
    }
    cairo_surface_destroy(picture);
    return share;
}

// A screenshot shows the window as the screen does, the map pane's page
// included, which the display draws itself and no backing store holds: here
// the offline page, as no map server answers on this machine.
TEST_F(DesktopEndToEnd, AScreenshotShowsTheMapPanesPage) {
    OpenSample();
    ASSERT_TRUE(WaitFor([&] { return dlg.m_mapPane.m_nMapState == 0; }, 10000))
        << "the offline page was chosen";
    CRect map;
    dlg.m_mapPane.Browser().GetWindowRect(&map);
    map.DeflateRect(4, 4);
    constexpr Rgb kOfflineBackground = {0x1e, 0x2a, 0x33};
    const std::string png = DVR_BUILD_DIR "/marlowin_e2e_offline_map.png";
    double share = 0;
    EXPECT_TRUE(WaitFor(
        [&] {
            share = SaveWindowScreenshot(dlg.GetSafeHwnd(), png)
                        ? ShareInScreenshot(png, RectOf(dlg), map, kOfflineBackground)
                        : 0;
            return share > 0.5;
        },
        10000))
        << "the page's background covers " << share << " of the pane";
}

}  // namespace
}  // namespace maine2e
