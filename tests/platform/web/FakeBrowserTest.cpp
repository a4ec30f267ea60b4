#include <gtest/gtest.h>

#include <thread>

#include "platform/user/User.h"
#include "platform/web/FakeBrowserEngine.h"
#include "platform/web/WebBrowser.h"

namespace {

constexpr const wchar_t* kParentClass = L"FakeBrowserTestParent";
constexpr int kBrowserId = 10008;

struct Seen {
    UINT code;
    std::wstring url;
    std::thread::id thread;
};

// What the parent window saw, and whether it cancels "app:" navigations
// (or destroys the control on the first one).
std::vector<Seen> g_seen;
bool g_destroyOnEvent = false;

LRESULT ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NOTIFY)
        return DefWindowProc(hwnd, message, wParam, lParam);
    auto* n = reinterpret_cast<WebBrowserNotify*>(lParam);
    g_seen.push_back(Seen{n->hdr.code, n->url, std::this_thread::get_id()});
    if (n->hdr.code == DISPID_BEFORENAVIGATE2)
        n->cancel = std::wstring(n->url).rfind(L"app:", 0) == 0 ? TRUE : FALSE;
    if (g_destroyOnEvent)
        DestroyWindow(n->hdr.hwndFrom);
    return 0;
}

void Pump() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessage(&msg);
}

class FakeBrowser : public ::testing::Test {
protected:
    void SetUp() override {
        static const ATOM atom = [] {
            WNDCLASSW c{};
            c.lpfnWndProc = ParentProc;
            c.lpszClassName = kParentClass;
            return RegisterClass(&c);
        }();
        ASSERT_NE(atom, 0);
        ASSERT_TRUE(RegisterWebBrowserClass());
        ASSERT_TRUE(RegisterWebBrowserClass());  // again: no harm
        g_seen.clear();
        g_destroyOnEvent = false;
        parent_ = CreateWindowEx(0, kParentClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300,
                                 nullptr, nullptr, nullptr, nullptr);
        browser_ = CreateWindowEx(0, kWebBrowserClass, L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 100,
                                  parent_, HMENU(intptr_t(kBrowserId)), nullptr, nullptr);
        ASSERT_NE(browser_, nullptr);
        fake_ = FakeBrowserEngine::Of(browser_);
        ASSERT_NE(fake_, nullptr);
    }
    void TearDown() override { DestroyWindow(parent_); }

    HWND parent_ = nullptr;
    HWND browser_ = nullptr;
    FakeBrowserEngine* fake_ = nullptr;
};

TEST_F(FakeBrowser, NavigateAsksTheParentFirstOnItsOwnThread) {
    WebBrowser::FromWindow(browser_)->Navigate(L"/opt/app/utilities/dep/no_net.html");
    EXPECT_EQ(fake_->Navigations(),
              std::vector<std::string>{"file:///opt/app/utilities/dep/no_net.html"});
    EXPECT_TRUE(g_seen.empty()) << "events wait for the control's thread to handle messages";
    Pump();
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0].code, DISPID_BEFORENAVIGATE2);
    EXPECT_EQ(g_seen[0].url, L"file:///opt/app/utilities/dep/no_net.html");
    ASSERT_EQ(fake_->Decisions().size(), 1u);
    EXPECT_FALSE(fake_->Decisions()[0].cancelled);
    EXPECT_EQ(fake_->Pending(), 0u);
}

TEST_F(FakeBrowser, PageNavigationsAreCancelledOrNotByTheParent) {
    struct Case {
        const char* url;
        bool cancelled;
    };
    const Case cases[] = {
        {"app:nomal&1700000000", true},
        {"app:MapReady&", true},
        {"APP:nomal&1", false},
        {"http://example.invalid/next.html", false},
    };
    for (const Case& c : cases)
        fake_->StartNavigation(c.url);
    EXPECT_EQ(fake_->Pending(), 4u);
    Pump();
    const auto decisions = fake_->Decisions();
    ASSERT_EQ(decisions.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(decisions[i].url, cases[i].url);
        EXPECT_EQ(decisions[i].cancelled, cases[i].cancelled) << cases[i].url;
    }
}

TEST_F(FakeBrowser, EventsFromAnotherThreadArriveOnTheControlsThread) {
    std::thread page([this] {
        fake_->StartNavigation("app:GetFocus&");
        fake_->CompleteDocument("file:///tmp/map.html");
    });
    page.join();
    Pump();
    ASSERT_EQ(g_seen.size(), 2u);
    EXPECT_EQ(g_seen[0].code, DISPID_BEFORENAVIGATE2);
    EXPECT_EQ(g_seen[1].code, DISPID_DOCUMENTCOMPLETE);
    EXPECT_EQ(g_seen[1].url, L"file:///tmp/map.html");
    for (const Seen& s : g_seen)
        EXPECT_EQ(s.thread, std::this_thread::get_id());
    EXPECT_TRUE(fake_->Decisions().at(0).cancelled);
}

TEST_F(FakeBrowser, TheDocumentCallsThePagesFunctionsByName) {
    WebBrowser* browser = WebBrowser::FromWindow(browser_);
    EXPECT_EQ(browser->Document(), nullptr) << "no document before a navigation";
    browser->Navigate(L"/tmp/map.html");
    const std::shared_ptr<WebDocument> document = browser->Document();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(browser->Document(), document);
    fake_->SetPageFunctions({"ClearAll_N", "AddGLatLng_N"});
    EXPECT_TRUE(document->InvokeScriptFunction(L"ClearAll_N", {}));
    EXPECT_TRUE(document->InvokeScriptFunction(
        L"AddGLatLng_N", {L"car\u00E9", L"1700000000", L"55.750000", L"37.616667"}));
    EXPECT_FALSE(document->InvokeScriptFunction(L"clearall_n", {}));
    const auto calls = fake_->Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].name, "AddGLatLng_N");
    const std::vector<std::string> args{"car\xC3\xA9", "1700000000", "55.750000", "37.616667"};
    EXPECT_EQ(calls[1].args, args);
}

TEST_F(FakeBrowser, AGoneControlFailsHarmlessly) {
    WebBrowser::FromWindow(browser_)->Navigate(L"/tmp/map.html");
    const std::shared_ptr<WebDocument> document = WebBrowser::FromWindow(browser_)->Document();
    ASSERT_NE(document, nullptr);
    DestroyWindow(browser_);
    Pump();  // the navigation reported before is dropped with the control
    EXPECT_TRUE(g_seen.empty());
    EXPECT_FALSE(document->InvokeScriptFunction(L"ClearAll_N", {}));
    EXPECT_EQ(WebBrowser::FromWindow(browser_), nullptr);
    EXPECT_EQ(WebBrowser::FromWindow(parent_), nullptr);
}

TEST_F(FakeBrowser, AParentMayDestroyTheControlWhileHandlingAnEvent) {
    g_destroyOnEvent = true;
    fake_->StartNavigation("app:nomal&1");
    fake_->StartNavigation("app:nomal&2");
    Pump();
    EXPECT_EQ(g_seen.size(), 1u);
    EXPECT_FALSE(IsWindow(browser_));
}

}  // namespace
