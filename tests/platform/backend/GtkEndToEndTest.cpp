// End-to-end tests of the GTK display on a real X server (each run gets its
// own Xvfb from with-xvfb.sh): a skinned, shaped top-level window with a
// shaped child and a browser control, read back from the screen; a page
// answering a function call with an "app:" navigation; a drag on the caption
// made with real X input; keys, wheel and close; video from another thread.
// Waits on the server and on WebKit poll, bounded.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <thread>

#include "EndToEndWindows.h"
#include "XTestInput.h"
#include "platform/backend/GtkDisplay.h"
#include "platform/user/User.h"
#include "platform/web/WebBrowser.h"
#include "tests/platform/user/Reaper.h"

namespace {
using namespace e2e;

constexpr int kBrowserId = 10008;
constexpr RECT kWindow{100, 100, 500, 400};

struct Probe {
    const char* what;
    POINT at;  // screen
    COLORREF colour;
};

class GtkEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        display_ = GtkDisplay::Open().release();
        RegisterClasses();
    }

    // The display goes before the process ends, while the window system it
    // reads still exists.
    static void TearDownTestSuite() {
        delete display_;
        display_ = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(display_, nullptr) << "no X server: run under with-xvfb.sh";
        g_browser = BrowserLog{};
        g_input = InputLog{};
        // One page per test: the end-to-end cases may run side by side.
        page_ = testing::TempDir() + "e2e-page-" +
                testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                std::to_string(::getpid()) + ".html";
        std::ofstream(page_) << "<!doctype html><html><head><style>html,body{margin:0;"
                                "height:100%;background:#00ff00}</style><script>"
                                "function Ping(a,b){window.location.href='app:pong&'+"
                                "encodeURIComponent(a)+'&'+b;}</script></head><body></body></html>";
    }

    void TearDown() override {
        if (IsWindow(top_))
            DestroyWindow(top_);
        Pump();
        std::remove(page_.c_str());
    }

    // The skinned window: rounded corners, a round child, a browser on the right.
    void MakeWindow() {
        top_ = CreateWindowEx(0, kSkinClass, L"Skin", WS_POPUP, kWindow.left, kWindow.top,
                              kWindow.right - kWindow.left, kWindow.bottom - kWindow.top, nullptr,
                              nullptr, nullptr, nullptr);
        HWND ball = CreateWindowEx(0, kBallClass, L"", WS_CHILD | WS_VISIBLE, 40, 60, 100, 100,
                                   top_, nullptr, nullptr, nullptr);
        ASSERT_NE(SetWindowRgn(ball, CreateEllipticRgn(0, 0, 100, 100), FALSE), 0);
        browser_ = CreateWindowEx(0, kWebBrowserClass, L"", WS_CHILD | WS_VISIBLE, 200, 60, 180,
                                  200, top_, HMENU(intptr_t(kBrowserId)), nullptr, nullptr);
        ASSERT_NE(browser_, nullptr);
        ShowWindow(top_, SW_SHOW);
        UpdateWindow(top_);
    }

    void LoadPage() {
        WebBrowser::FromWindow(browser_)->Navigate(std::wstring(page_.begin(), page_.end()));
        ASSERT_TRUE(PumpUntil([] { return !g_browser.complete.empty(); }))
            << "the page never loaded";
    }

    // Polls the screen until every probe shows its colour; false (and the
    // screen written to the test folder) when it never does.
    bool ScreenShows(const std::vector<Probe>& probes, const char* name) {
        std::vector<uint32_t> shot;
        const RECT area{0, 0, 700, 600};
        const bool seen = PumpUntil([&] {
            shot = display_->ReadScreen(area);
            if (shot.empty())
                return false;
            for (const Probe& p : probes) {
                if (!Near(shot[size_t(p.at.y) * 700 + size_t(p.at.x)], p.colour))
                    return false;
            }
            return true;
        });
        if (!seen)
            Save(shot, name, probes);
        return seen;
    }

    static void Save(const std::vector<uint32_t>& shot, const char* name,
                     const std::vector<Probe>& probes) {
        const std::string path = testing::TempDir() + name + ".ppm";
        std::ofstream out(path, std::ios::binary);
        out << "P6\n700 600\n255\n";
        for (uint32_t p : shot)
            out << char(p >> 16) << char(p >> 8) << char(p);
        for (const Probe& p : probes) {
            const uint32_t got = shot.empty() ? 0 : shot[size_t(p.at.y) * 700 + size_t(p.at.x)];
            if (shot.empty() || !Near(got, p.colour)) {
                ADD_FAILURE() << p.what << " at " << p.at.x << "," << p.at.y << " is " << std::hex
                              << got << ", want " << Hex(p.colour) << "; screen in " << path;
            }
        }
    }

    // Waits for the window system to have the window at `want`, the drag over.
    bool PlacedAt(const RECT& want) {
        RECT now{};
        const bool placed = PumpUntil([&] {
            GetWindowRect(top_, &now);
            return EqualRect(&now, &want) != FALSE && GetCapture() == nullptr;
        });
        if (!placed)
            ADD_FAILURE() << "at " << now.left << "," << now.top << "," << now.right << ","
                          << now.bottom;
        return placed;
    }

    static GtkDisplay* display_;
    Reaper reaper_{std::chrono::seconds(60)};
    std::string page_;
    HWND top_ = nullptr;
    HWND browser_ = nullptr;
};

GtkDisplay* GtkEndToEnd::display_ = nullptr;

TEST_F(GtkEndToEnd, TheScreenShowsTheShapedWindowItsShapedChildAndThePage) {
    MakeWindow();
    LoadPage();
    const std::vector<Probe> probes = {
        {"caption", {300, 110}, kCaption},
        {"body", {150, 350}, kBody},
        {"round child's middle", {190, 210}, kBall},
        {"corner outside the round child", {142, 162}, kBody},
        {"page", {390, 260}, kPage},
        {"corner outside the window's shape", {101, 101}, kDesktop},
        {"beside the window", {520, 250}, kDesktop},
    };
    EXPECT_TRUE(ScreenShows(probes, "e2e-window"));
}

TEST_F(GtkEndToEnd, APageCallIsAnsweredByACancelledAppNavigation) {
    MakeWindow();
    LoadPage();
    const std::shared_ptr<WebDocument> document = WebBrowser::FromWindow(browser_)->Document();
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(document->InvokeScriptFunction(L"NoSuchFunction", {}));
    ASSERT_TRUE(document->InvokeScriptFunction(L"Ping", {L"a\"b\\c'd", L"1700000000"}));
    const std::wstring answer = L"app:pong&a%22b%5Cc'd&1700000000";
    auto answered = [&] {
        return std::find(g_browser.before.begin(), g_browser.before.end(), answer) !=
               g_browser.before.end();
    };
    ASSERT_TRUE(PumpUntil(answered))
        << "no app: navigation; last one seen: "
        << (g_browser.before.empty()
                ? std::string("none")
                : std::string(g_browser.before.back().begin(), g_browser.before.back().end()));
    // Cancelled: the page is still there and answers again; nothing new loaded.
    const size_t loads = g_browser.complete.size();
    g_browser.before.clear();
    ASSERT_TRUE(document->InvokeScriptFunction(L"Ping", {L"a\"b\\c'd", L"1700000000"}));
    ASSERT_TRUE(PumpUntil(answered));
    EXPECT_EQ(g_browser.complete.size(), loads);
}

TEST_F(GtkEndToEnd, ADragOnTheCaptionMovesTheWindow) {
    MakeWindow();
    ASSERT_TRUE(ScreenShows({{"caption", {300, 110}, kCaption}}, "e2e-before-drag"));
    ASSERT_TRUE(DragWithXTest(300, 110, 380, 174, 8));
    EXPECT_TRUE(PlacedAt(RECT{180, 164, 580, 464}));
    EXPECT_TRUE(ScreenShows(
        {{"moved caption", {300, 180}, kCaption}, {"where the caption was", {200, 110}, kDesktop}},
        "e2e-after-drag"));

    // The bottom-right corner (inside the rounded shape) sizes it.
    ASSERT_TRUE(DragWithXTest(571, 455, 611, 485, 4));
    EXPECT_TRUE(PlacedAt(RECT{180, 164, 620, 494}));
    EXPECT_TRUE(ScreenShows({{"the grown body", {600, 470}, kBody},
                             {"the grown right side", {615, 300}, kBody},
                             {"beyond the new corner", {625, 500}, kDesktop}},
                            "e2e-after-size"));
}

TEST_F(GtkEndToEnd, VideoWrittenFromAnotherThreadReachesTheScreen) {
    MakeWindow();
    HWND pane = CreateWindowEx(0, kBallClass, L"", WS_CHILD | WS_VISIBLE, 40, 200, 100, 60, top_,
                               nullptr, nullptr, nullptr);
    UpdateWindow(pane);
    ASSERT_TRUE(ScreenShows({{"pane", {190, 330}, kBall}}, "e2e-pane"));
    constexpr COLORREF kVideo = RGB(0xE0, 0x10, 0xE0);
    // A renderer's thread: writes the pane's pixels and asks for presentation
    // without the window's thread taking part, over and over as video does.
    std::atomic<bool> playing{true};
    std::thread renderer([pane, &playing] {
        while (playing) {
            WindowPixels px(pane);
            if (!px.Valid())
                return;
            const RECT a = px.Area();
            for (LONG y = a.top; y < a.bottom; ++y) {
                uint32_t* row = px.Buffer().Row(int(y));
                std::fill(row + a.left, row + a.right, Hex(kVideo));
            }
            px.Unlock();
            RequestWindowPresentation(pane);
        }
    });
    const bool shown =
        ScreenShows({{"video", {190, 330}, kVideo}, {"beside it", {130, 330}, kBody}}, "e2e-video");
    playing = false;
    renderer.join();
    EXPECT_TRUE(shown);
}

TEST_F(GtkEndToEnd, KeysTheWheelAndTheCloseRequestArriveAsMessages) {
    MakeWindow();
    ASSERT_TRUE(ScreenShows({{"body", {150, 350}, kBody}}, "e2e-before-keys"));
    // The pointer rests on the window: without a window manager the keyboard
    // follows it.
    ASSERT_TRUE(WheelWithXTest(150, 350, true));
    ASSERT_TRUE(WheelWithXTest(150, 350, false));
    const char* const keys[] = {"h", "i", "Return", "F5"};
    ASSERT_TRUE(TypeWithXTest(keys, 4));
    const std::vector<UINT> typed{'H', 'I', VK_RETURN, VK_F1 + 4};
    EXPECT_TRUE(PumpUntil([&] { return g_input.keys.size() >= typed.size(); }));
    EXPECT_EQ(g_input.keys, typed);
    EXPECT_EQ(g_input.chars, L"hi\r");
    EXPECT_EQ(g_input.wheel, (std::vector<int>{WHEEL_DELTA, -WHEEL_DELTA}));

    ASSERT_TRUE(CloseWindowAt(150, 350));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(top_); })) << "the window was not closed";
    EXPECT_TRUE(g_input.closeAsked);
    EXPECT_TRUE(ScreenShows({{"where the window was", {150, 350}, kDesktop}}, "e2e-closed"));
}

}  // namespace
