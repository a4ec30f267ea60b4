// Message boxes shown on the main window's behalf: owned by it and modal to
// it on its own thread, whichever thread asked; a text already open or
// waiting is not shown again; the window's close ends the box left open.
#include <thread>

#include "MainWindowFixture.h"
#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/main/PlayerCallbacks.h"
#include "platform/user/MessageBox.h"
#include "shared/PlayerInterface.h"

namespace maintest {
namespace {

struct ShownBox {
    std::wstring text;
    HWND owner;
    bool ownerEnabled;
    std::thread::id thread;
};

class MainWindowBoxes : public OpenWindowFixture {
protected:
    // Records each box and answers it with `answer` (0 leaves it open).
    void Record(int answer, std::function<void(HWND)> whileOpen = nullptr) {
        SetMessageBoxHook([this, answer, whileOpen](const MessageBoxRequest& r) {
            shown.push_back({r.text, GetWindow(r.box, GW_OWNER),
                             IsWindowEnabled(dlg.GetSafeHwnd()) != FALSE,
                             std::this_thread::get_id()});
            if (whileOpen)
                whileOpen(r.box);
            return answer;
        });
    }
    std::vector<ShownBox> shown;  // on the UI thread only
};

TEST_F(MainWindowBoxes, APlayersRepeatedFaultGivesOneBoxOwnedByTheWindow) {
    Record(IDOK);
    std::thread player([] {
        for (int i = 0; i < 3; ++i)
            OnPlayerError(ERR_INDEX_UNREADABLE, 0, 0);
        OnSourceResult(OPENED_DISK, nullptr, SOURCE_OPEN_FAILED);
    });
    player.join();
    Settle();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, std::wstring(IDS_STRING_INDEX_DAMAGE.GetString()));
    EXPECT_EQ(shown[1].text, std::wstring(IDS_STRING231.GetString()));
    for (const ShownBox& box : shown) {
        EXPECT_EQ(box.owner, dlg.GetSafeHwnd()) << "owned by the main window";
        EXPECT_FALSE(box.ownerEnabled) << "modal to it";
        EXPECT_EQ(box.thread, std::this_thread::get_id()) << "on the window's thread";
    }
    EXPECT_TRUE(dlg.IsWindowEnabled()) << "the window back once answered";

    shown.clear();
    OnPlayerError(ERR_INDEX_UNREADABLE, 0, 0);
    Settle();
    EXPECT_EQ(shown.size(), 1u) << "once answered, the same fault is told again";
}

TEST_F(MainWindowBoxes, TheWindowsCloseEndsTheBoxLeftOpen) {
    HWND box = nullptr;
    bool stillOpenAfterTheClose = false;
    // Were the box left open, its loop would run this next and end it.
    dlg.onScript = [&] {
        stillOpenAfterTheClose = IsWindow(box) != FALSE;
        EndDialog(box, IDOK);
    };
    Record(0, [&](HWND open) {
        box = open;
        CloseWithClockRunning();
        dlg.PostMessage(CTestMainDlg::kScriptMessage);
    });
    dlg.ShowBox(L"error2");
    Pump();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_FALSE(stillOpenAfterTheClose) << "the box ends with the window";
    EXPECT_FALSE(IsWindow(box));
    EXPECT_FALSE(dlg.IsWindowVisible());
}

}  // namespace
}  // namespace maintest
