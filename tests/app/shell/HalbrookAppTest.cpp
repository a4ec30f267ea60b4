#include "app/shell/HalbrookApp.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "platform/afx/MessageBox.h"
#include "platform/base/Module.h"
#include "platform/user/Messages.h"
#include "shared/TextConvert.h"

namespace {

namespace fs = std::filesystem;

// What start-up had done by the time the main window ran.
struct SeenAtMainWindow {
    bool ran = false;
    bool isMainWindow = false;
    std::wstring programDir;
    std::wstring iniPath;
    std::wstring ready;
    bool logDirExists = false;
    bool destroyed = false;
};

// Stands in for the main window: records, and closes at once.
class RecordingDialog : public CDialog {
public:
    explicit RecordingDialog(SeenAtMainWindow* seen) : seen_(seen) {}
    ~RecordingDialog() override { seen_->destroyed = true; }
    intptr_t DoModal() override {
        seen_->ran = true;
        seen_->isMainWindow = AfxGetMainWnd() == this && theApp.m_pMainWnd == this;
        seen_->programDir = g_szProgramDir;
        seen_->iniPath = g_strIniPath.GetString();
        seen_->ready = IDS_STATE_READY.GetString();
        seen_->logDirExists = fs::is_directory(WideToUtf8String(g_szLogDir));
        return IDOK;
    }

private:
    SeenAtMainWindow* seen_;
};

class StartUp : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("startup-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        setenv("DVR_ROOT", (dir_ / "DVR").c_str(), 1);
        setenv("DVR_REGISTRY_FILE", (dir_ / "registry").c_str(), 1);
        SetMessageBoxHook([this](const MessageBoxRequest&) {
            ++boxes_;
            return IDOK;
        });
    }
    void TearDown() override {
        SetMessageBoxHook(nullptr);
        theApp.SetMainWindowFactory(nullptr);
        unsetenv("DVR_ROOT");
        unsetenv("DVR_REGISTRY_FILE");
        fs::remove_all(dir_);
    }

    fs::path dir_;
    int boxes_ = 0;
};

TEST_F(StartUp, RunsUpToTheMainWindowAndEndsWhenItCloses) {
    SeenAtMainWindow seen;
    theApp.SetMainWindowFactory([&] { return std::make_unique<RecordingDialog>(&seen); });
    EXPECT_FALSE(theApp.InitInstance());
    const std::wstring programDir = Utf8ToWideString(ProgramDirectory());
    EXPECT_TRUE(seen.ran);
    EXPECT_TRUE(seen.isMainWindow);
    EXPECT_EQ(seen.programDir, programDir);
    EXPECT_EQ(seen.iniPath, programDir + L"/config/AppConfig.ini");
    EXPECT_EQ(seen.ready, L"Ready") << "the shipped configuration names English";
    EXPECT_TRUE(seen.logDirExists);
    EXPECT_TRUE(seen.destroyed);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_FALSE(theApp.MainWindowMissing());
    EXPECT_EQ(boxes_, 0);
    EXPECT_STREQ(theApp.RegistryKey(), L"Marlowin");
    EXPECT_EQ(AfxGetApp(), &theApp);
}

TEST_F(StartUp, WithoutAMainWindowItEndsAfterTheTexts) {
    IDS_STATE_READY.Set(L"stale");
    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_TRUE(theApp.MainWindowMissing());
    EXPECT_STREQ(IDS_STATE_READY, L"Ready");
    EXPECT_TRUE(fs::is_directory(dir_ / "DVR" / "capture"));
}

// The application's one message-map entry: the framework's help command
// reaches its handler, whose box carries the program's name.
TEST_F(StartUp, TheHelpCommandReachesTheApplication) {
    std::vector<MessageBoxRequest> boxes;
    SetMessageBoxHook([&](const MessageBoxRequest& r) {
        boxes.push_back(r);
        return IDOK;
    });
    EXPECT_TRUE(theApp.OnCmdMsg(ID_HELP, int(CN_COMMAND), nullptr, nullptr));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Failed to launch help.");
    EXPECT_EQ(boxes[0].caption, L"Marlowin");
    EXPECT_FALSE(theApp.OnCmdMsg(ID_HELP + 1, int(CN_COMMAND), nullptr, nullptr));
    EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
