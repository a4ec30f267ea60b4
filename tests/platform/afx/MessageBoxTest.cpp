#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/afx/Afx.h"

namespace {

constexpr UINT kPrompt = 5201;

struct Seen {
    std::wstring caption;
    std::wstring text;
    HWND parent = nullptr;
    bool mainEnabled = true;
};

class FrameworkMessageBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        appName_ = AfxGetAppName();
        main_.CreateEx(0, L"#32770", L"main", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                       nullptr);
        AfxSetMainWnd(&main_);
        SetMessageBoxHook([this](const MessageBoxRequest& r) {
            seen_.caption = r.caption;
            seen_.text = r.text;
            seen_.parent = GetParent(r.box);
            seen_.mainEnabled = main_.IsWindowEnabled() != FALSE;
            return IDNO;
        });
    }
    void TearDown() override {
        AfxSetAppName(appName_.c_str());
        SetMessageBoxHook(nullptr);
        AfxSetMainWnd(nullptr);
        main_.DestroyWindow();
    }

    CWnd main_;
    Seen seen_;
    std::wstring appName_;
};

TEST_F(FrameworkMessageBoxes, TheCaptionIsTheApplicationsName) {
    EXPECT_STREQ(AfxGetAppName(), L"platform_afx_shell_ui_tests") << "the program's file name";
    EXPECT_EQ(AfxMessageBox(L"Open registry fail", MB_YESNO), IDNO);
    EXPECT_EQ(seen_.caption, L"platform_afx_shell_ui_tests");
    EXPECT_EQ(seen_.parent, main_.m_hWnd);
    EXPECT_FALSE(seen_.mainEnabled) << "the main window waits for the box";
    EXPECT_TRUE(main_.IsWindowEnabled());

    AfxSetAppName(L"Marlowin");
    AddStringResource(kPrompt, L"Rebuild Time Index Success.");
    EXPECT_EQ(AfxMessageBox(kPrompt, MB_YESNO), IDNO);
    EXPECT_EQ(seen_.caption, L"Marlowin");
    EXPECT_EQ(seen_.text, L"Rebuild Time Index Success.");
    EXPECT_EQ(main_.MessageBox(L"own", nullptr, MB_YESNO), IDNO);
    EXPECT_EQ(seen_.caption, L"Marlowin");
    EXPECT_EQ(main_.MessageBox(L"own", L"Given", MB_YESNO), IDNO);
    EXPECT_EQ(seen_.caption, L"Given");
}

TEST_F(FrameworkMessageBoxes, ALibraryThreadsBoxHasNoOwner) {
    std::atomic<int> result{0};
    std::thread([&] { result = AfxMessageBox(L"open hdd fail!", MB_YESNO); }).join();
    EXPECT_EQ(result, IDNO);
    EXPECT_EQ(seen_.parent, nullptr);
    EXPECT_TRUE(seen_.mainEnabled);
}

}  // namespace
