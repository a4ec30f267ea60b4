#include <functional>
#include <string>
#include <vector>

#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/settings/DialogRebuildIndex.h"
#include "app/ui/settings/RebuildHddIndex.h"
#include "tests/app/ui/settings/DialogFixture.h"

namespace {

using settingstest::DialogFixture;

// The main window as the rebuild sees it: every call logged; the stop and
// close of an open source either reported at once or held until Release.
class FakeHost : public RebuildIndexHost {
public:
    void SetStatusText(const wchar_t* text) override {
        calls.push_back(L"status:" + std::wstring(text));
    }
    void StopThenOpen(std::function<void()> next) override {
        calls.push_back(L"stop+close");
        if (holding)
            waiting.push_back(std::move(next));
        else if (next)
            next();
    }
    void SetRebuildSourceOpen(bool open) override { calls.push_back(open ? L"opened" : L"idle"); }
    // The held close results arrive.
    void Release() {
        holding = false;
        for (auto& next : waiting)
            if (next)
                next();
        waiting.clear();
    }

    std::vector<std::wstring> calls;
    bool holding = false;
    std::vector<std::function<void()>> waiting;
};

struct OpenCall {
    int type;
    const char* dataPath;
    const char* indexPath;
};
std::vector<OpenCall> g_opens;
bool g_openResult = true;

bool FakeOpen(int type, const char* dataPath, const char* indexPath, int, int) {
    g_opens.push_back({type, dataPath, indexPath});
    return g_openResult;
}

class RebuildIndex : public DialogFixture {
protected:
    RebuildIndex() {
        g_opens.clear();
        g_openResult = true;
        pfn_zOpen = &FakeOpen;
    }
    ~RebuildIndex() override { pfn_zOpen = nullptr; }

    FakeHost host;
};

// The dialog run modeless, as its progress handler sees it.
class RebuildDialog : public RebuildIndex {
protected:
    RebuildDialog() : dlg(host) {}
    ~RebuildDialog() override {
        if (::IsWindow(dlg))
            dlg.DestroyWindow();
    }
    void Open() {
        ASSERT_TRUE(dlg.Create(IDD_REBUILD_INDEX));
        Pump();
    }
    void Start() {
        Open();
        Click(dlg, IDC_REBUILD_START);
    }
    int Position() const {
        return int(dlg.GetDlgItem(IDC_REBUILD_PROGRESS)->SendMessage(PBM_GETPOS));
    }
    bool StartEnabled() const {
        return dlg.GetDlgItem(IDC_REBUILD_START)->IsWindowEnabled() != FALSE;
    }

    CDialogRebuildIndex dlg;
};

TEST_F(RebuildDialog, OpensWithItsTitleAndTexts) {
    ApplyLanguageLine(L"IDC_BTN_START=Los");
    dlg.SetTitleText(L"Index neu aufbauen");
    Open();
    CString title;
    dlg.GetWindowText(title);
    EXPECT_EQ(title, L"Index neu aufbauen");
    EXPECT_EQ(TextOf(dlg, IDC_REBUILD_START), L"Los");
    EXPECT_EQ(TextOf(dlg, IDC_REBUILD_CLOSE), L"Close");
    EXPECT_EQ(TextOf(dlg, IDC_REBUILD_TEXT), L"Rebuild Time Index HDD");
    EXPECT_TRUE(StartEnabled());
    int low = -1, high = -1;
    static_cast<CProgressCtrl*>(dlg.GetDlgItem(IDC_REBUILD_PROGRESS))->GetRange(low, high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 10000);
}

TEST_F(RebuildDialog, ShowsTheProgressOfTheRebuild) {
    struct Case {
        const char* name;
        std::vector<int> values;
        const wchar_t* text;
        int position;
        bool running;  // CLOSE then asks before it ends the dialog
    };
    const Case cases[] = {
        {"a quarter", {2500}, L"25.00 %", 2500, true},
        {"hundredths", {1, 5}, L" 0.05 %", 5, true},
        {"all of it", {10000}, L"100.00 %", 10000, true},
        {"more than all of it", {12345}, L"100.00 %", 10000, true},
        {"0 at first is no change", {0}, L"Rebuild Time Index HDD", 0, true},
        {"a repeated value changes nothing", {300, 300}, L" 3.00 %", 300, true},
        {"a failure",
         {300, -3},
         L"Rebuild Time Index Fail, the old time index is unchanged.",
         300,
         false},
        {"broken off by a close",
         {-5},
         L"Rebuild Time Index Fail, the old time index is unchanged.",
         0,
         false},
        {"refused while another runs",
         {-4},
         L"Another time index rebuild is still running, try again later.",
         0,
         false},
        {"done", {5000, -1}, L"Rebuild Time Index Success.", 5000, false},
        {"no recorder disk", {-2}, L"open hdd fail!", 0, false},
        {"progress after the end is not shown",
         {-1, 700},
         L"Rebuild Time Index Success.",
         0,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        for (int v : c.values)
            dlg.SetProgress(v);
        EXPECT_EQ(TextOf(dlg, IDC_REBUILD_TEXT), c.text);
        EXPECT_EQ(Position(), c.position);
        EXPECT_FALSE(StartEnabled());
        answers_ = {IDNO};
        boxes_.clear();
        Click(dlg, IDC_REBUILD_CLOSE);
        intptr_t result = 0;
        EXPECT_EQ(Ended(dlg, &result), !c.running);
        EXPECT_EQ(boxes_.size(), c.running ? 1u : 0u);
        dlg.DestroyWindow();
    }
}

TEST_F(RebuildDialog, TheEndsAreShownInTheLanguageTexts) {
    struct Case {
        int status;
        const wchar_t* line;
        const wchar_t* text;
    };
    const Case cases[] = {
        {-1, L"IDS_STRING612=Neuer Index steht", L"Neuer Index steht"},
        {-2, L"IDS_STRING231=Keine Platte", L"Keine Platte"},
        {-3, L"IDS_STRING_REBUILD_FAIL=Fehlgeschlagen, alter Index bleibt",
         L"Fehlgeschlagen, alter Index bleibt"},
        {-4, L"IDS_STRING_REBUILD_BUSY=Es laeuft schon einer", L"Es laeuft schon einer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        ApplyLanguageLine(c.line);
        Start();
        dlg.SetProgress(c.status);
        EXPECT_EQ(TextOf(dlg, IDC_REBUILD_TEXT), c.text);
        dlg.DestroyWindow();
    }
}

TEST_F(RebuildDialog, ProgressBeforeStartOrAfterTheEndShowsNothing) {
    Open();
    dlg.SetProgress(2500);
    EXPECT_EQ(TextOf(dlg, IDC_REBUILD_TEXT), L"Rebuild Time Index HDD");
    EXPECT_EQ(Position(), 0);
    dlg.DestroyWindow();
    dlg.SetProgress(5000);  // a report that arrives after the dialog ended
    dlg.SetProgress(-1);
    EXPECT_FALSE(::IsWindow(dlg));
}

TEST_F(RebuildDialog, StartOpensTheRebuildOnceTheOpenSourceIsClosed) {
    host.holding = true;
    Start();
    EXPECT_FALSE(StartEnabled());
    EXPECT_TRUE(g_opens.empty()) << "not before the close is reported";
    host.Release();
    ASSERT_EQ(g_opens.size(), 1u);
    EXPECT_EQ(g_opens[0].type, OPENED_REBUILD);
    EXPECT_EQ(g_opens[0].dataPath, nullptr);
    EXPECT_EQ(g_opens[0].indexPath, nullptr);
    EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"stop+close", L"opened"}));
}

TEST_F(RebuildDialog, BreakingOffWhileTheHostClosesOpensNothing) {
    host.holding = true;
    Start();
    answers_ = {IDYES};
    Click(dlg, IDC_REBUILD_CLOSE);
    intptr_t result = 0;
    EXPECT_TRUE(Ended(dlg, &result));
    EXPECT_EQ(result, kRebuildBroken);
    host.Release();
    EXPECT_TRUE(g_opens.empty());
}

TEST_F(RebuildDialog, ARefusedOpenEndsTheRebuild) {
    g_openResult = false;
    Start();
    EXPECT_EQ(TextOf(dlg, IDC_REBUILD_TEXT), L"open hdd fail!");
    EXPECT_FALSE(StartEnabled());
    EXPECT_EQ(host.calls, std::vector<std::wstring>{L"stop+close"}) << "not opened";
    Click(dlg, IDC_REBUILD_CLOSE);
    intptr_t result = 0;
    EXPECT_TRUE(Ended(dlg, &result));
    EXPECT_EQ(result, kRebuildFinished);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(RebuildDialog, EnterKeepsItOpenEscapeAndTheCloseBoxAreClose) {
    struct Case {
        const char* name;
        UINT message;
        WPARAM wParam;
        bool ends;
    };
    const Case cases[] = {
        {"Enter", WM_COMMAND, IDOK, false},
        {"Escape", WM_COMMAND, IDCANCEL, true},
        {"close box", WM_CLOSE, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Start();
        answers_ = {IDNO};
        boxes_.clear();
        dlg.SendMessage(c.message, c.wParam);
        Pump();
        intptr_t result = 0;
        EXPECT_FALSE(Ended(dlg, &result)) << "a running rebuild is not left without asking";
        EXPECT_EQ(boxes_.size(), c.ends ? 1u : 0u);
        dlg.SetProgress(-1);
        dlg.SendMessage(c.message, c.wParam);
        Pump();
        EXPECT_EQ(Ended(dlg, &result), c.ends);
        EXPECT_EQ(result, c.ends ? kRebuildFinished : 0);
        dlg.DestroyWindow();
    }
}

// The dialog run modally by the command, with a script run once it shows.
constexpr UINT kRunScript = WM_APP + 1;

class CScriptedRebuild : public CDialogRebuildIndex {
public:
    using CDialogRebuildIndex::CDialogRebuildIndex;
    std::function<void(CScriptedRebuild&)> script;
    std::wstring title;  // as shown

    BOOL OnInitDialog() override {
        CDialogRebuildIndex::OnInitDialog();
        PostMessage(kRunScript);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != kRunScript)
            return CDialogRebuildIndex::WindowProc(message, wParam, lParam);
        CString text;
        GetWindowText(text);
        title = text.Std();
        script(*this);
        return 0;
    }
};

TEST_F(RebuildIndex, TheCommandRunsTheDialogAndClosesTheRebuildSourceAfter) {
    using Calls = std::vector<std::wstring>;
    using Boxes = std::vector<std::wstring>;
    struct Case {
        const char* name;
        std::function<void(CScriptedRebuild&)> script;
        std::vector<int> answers;
        Calls calls;
        Boxes boxes;
        size_t opens;
    };
    const std::wstring busy = L"status:rebuild hdd time index..";
    const Case cases[] = {
        {"CLOSE before START",
         [](CScriptedRebuild& d) { Click(d, IDC_REBUILD_CLOSE); },
         {},
         {busy, L"stop+close", L"stop+close", L"idle", L"status:"},
         {},
         0},
        {"a finished rebuild",
         [](CScriptedRebuild& d) {
             Click(d, IDC_REBUILD_START);
             d.SetProgress(10000);
             d.SetProgress(-1);
             Click(d, IDC_REBUILD_CLOSE);
         },
         {},
         {busy, L"stop+close", L"stop+close", L"opened", L"stop+close", L"idle", L"status:"},
         {},
         1},
        {"no recorder disk",
         [](CScriptedRebuild& d) {
             Click(d, IDC_REBUILD_START);
             d.SetProgress(-2);
             Click(d, IDC_REBUILD_CLOSE);
         },
         {},
         {busy, L"stop+close", L"stop+close", L"opened", L"stop+close", L"idle", L"status:"},
         {},
         1},
        {"a break while running, the first question answered No",
         [](CScriptedRebuild& d) {
             Click(d, IDC_REBUILD_START);
             d.SetProgress(2500);
             Click(d, IDC_REBUILD_CLOSE);
             Click(d, IDC_REBUILD_CLOSE);
         },
         {IDNO, IDYES},
         {busy, L"stop+close", L"stop+close", L"opened", L"stop+close", L"idle"},
         {L"Are you sure to break rebuild index file", L"Are you sure to break rebuild index file",
          L"Stop extracting by user!"},
         1},
    };
    // One dialog for every run, as the main window keeps one.
    CScriptedRebuild dlg(host);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.calls.clear();
        g_opens.clear();
        boxes_.clear();
        answers_ = c.answers;
        dlg.script = c.script;
        RunRebuildHddIndex(host, dlg);
        EXPECT_EQ(dlg.title, L"Rebuild Time Index HDD");
        EXPECT_EQ(host.calls, c.calls);
        EXPECT_EQ(boxes_, c.boxes);
        EXPECT_EQ(g_opens.size(), c.opens);
        EXPECT_FALSE(::IsWindow(dlg));
    }
}

}  // namespace
