#include "tests/app/ui/export/ExportDialogFixture.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/res/MarlowinResources.h"
#include "app/res/ResourceIds.h"
#include "app/shell/CalendarTime.h"
#include "app/shell/DailyLog.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/export/ExtractRun.h"

void ExportDialogFixture::SetUpTestSuite() {
    RegisterMarlowinResources();
}

void ExportDialogFixture::SetUp() {
    SetDefaultLanguageTexts();
    fakes::Install();
    std::string pattern = ::testing::TempDir() + "exportdlg-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    logDir = pattern;
    g_dailyLog.SetLogDirectory(logDir.c_str());
    SetMessageBoxHook([this](const MessageBoxRequest& r) {
        std::lock_guard guard(boxLock_);
        boxes_.push_back(r.text);
        return IDOK;
    });
    CreateDialog();
}

void ExportDialogFixture::TearDown() {
    if (dlg != nullptr && ::IsWindow(dlg->m_hWnd))
        dlg->DestroyWindow();
    dlg.reset();
    // A run a case left open must not reach the next case.
    if (g_extractRun.IsActive())
        g_extractRun.Abandon();
    SetMessageBoxHook(nullptr);
    g_dailyLog.SetLogDirectory(nullptr);
    std::system(("rm -rf '" + logDir + "'").c_str());
}

void ExportDialogFixture::CreateDialog() {
    if (dlg != nullptr && ::IsWindow(dlg->m_hWnd))
        dlg->DestroyWindow();
    dlg = std::make_unique<CDateTimePicker>();
    ASSERT_TRUE(dlg->Create(IDD_EXPORT));
    Pump();
}

void ExportDialogFixture::Pump() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

std::wstring ExportDialogFixture::Text(int id) const {
    wchar_t text[512] = {};
    ::GetWindowTextW(Item(id), text, 512);
    return text;
}

void ExportDialogFixture::Click(int id) {
    ::SendMessage(Item(id), BM_CLICK, 0, 0);
    Pump();
}

void ExportDialogFixture::Slide(int trackId, int pos) {
    ::SendMessage(Item(trackId), TBM_SETPOS, TRUE, pos);
    ::SendMessage(dlg->m_hWnd, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, pos), LPARAM(Item(trackId)));
    Pump();
}

void ExportDialogFixture::Pick(int pickerId, int64_t seconds) {
    const SYSTEMTIME time = CalendarTimeOf(seconds);
    ASSERT_TRUE(::SendMessage(Item(pickerId), DTM_SETSYSTEMTIME, GDT_VALID, LPARAM(&time)));
    NMDATETIMECHANGE change{};
    change.nmhdr = NMHDR{Item(pickerId), UINT_PTR(pickerId), DTN_DATETIMECHANGE};
    change.dwFlags = DWORD(GDT_VALID);
    change.st = time;
    ::SendMessage(dlg->m_hWnd, WM_NOTIFY, WPARAM(pickerId), LPARAM(&change));
    Pump();
}

int64_t ExportDialogFixture::PickerTime(int pickerId) const {
    SYSTEMTIME time{};
    ::SendMessage(Item(pickerId), DTM_GETSYSTEMTIME, 0, LPARAM(&time));
    return SecondsOfCalendarTime(time);
}

std::vector<std::wstring> ExportDialogFixture::TakeBoxes() {
    std::lock_guard guard(boxLock_);
    return std::exchange(boxes_, {});
}

std::string ExportDialogFixture::LogText() const {
    char path[kLogPathSize] = {};
    if (!BuildLogFileName(logDir.c_str(), path))
        return {};
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}
