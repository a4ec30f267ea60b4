#include "tests/app/ui/find/FindFixture.h"

#include <chrono>
#include <thread>

#include "app/controls/PrivateMessage.h"
#include "app/res/MarlowinResources.h"
#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/find/EventTypeNames.h"

namespace findtest {

namespace {

constexpr UINT kMainTemplate = 65101;

void AddMainTemplate() {
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE;
    t.cx = 100;
    t.cy = 60;
    t.title = L"Main";
    AddDialogResource(kMainTemplate, t);
}

HWND Item(const CWnd& dlg, int id) {
    return ::GetDlgItem(dlg.m_hWnd, id);
}

std::wstring ItemText(HWND list, int row, int column) {
    wchar_t buffer[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 512;
    ::SendMessage(list, LVM_GETITEMTEXTW, WPARAM(row), LPARAM(&item));
    return buffer;
}

}  // namespace

ProgramTexts::ProgramTexts() {
    RegisterMarlowinResources();
    AddMainTemplate();
    SetDefaultLanguageTexts();
    BuildEventTypeNames();
}

CSeekRecorder::CSeekRecorder() : CDialog(kMainTemplate) {}

LRESULT CSeekRecorder::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == UM_SEEK_TO_POSITION) {
        seeks.push_back({wParam, reinterpret_cast<const wchar_t*>(lParam)});
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

FindDialog::FindDialog() {
    fake->openedType = OPENED_FILE_PAIR;
    EXPECT_TRUE(mainWnd.Create(kMainTemplate));
    AfxSetMainWnd(&mainWnd);
    SetMessageBoxHook([this](const MessageBoxRequest& box) {
        boxes.push_back(box.text);
        return IDOK;
    });
}

FindDialog::~FindDialog() {
    if (dlg && ::IsWindow(dlg->m_hWnd))
        dlg->DestroyWindow();
    dlg.reset();
    SetMessageBoxHook(nullptr);
    AfxSetMainWnd(nullptr);
    mainWnd.DestroyWindow();
}

void FindDialog::Prepare(const FindUnits& units) {
    if (!dlg) {
        dlg = std::make_unique<CFindLocateDlg>(&mainWnd);
        ASSERT_TRUE(dlg->Create(IDD_FIND, &mainWnd));
    }
    dlg->PrepareForSource(units);
    dlg->ShowWindow(SW_SHOW);
}

void FindDialog::Show(const FindUnits& units) {
    Prepare(units);
    EXPECT_TRUE(WaitForList());
}

void FindDialog::Pump() {
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

::testing::AssertionResult FindDialog::WaitForList() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
        Pump();
        if (!dlg->IsListRunning())
            return ::testing::AssertionSuccess();
        if (std::chrono::steady_clock::now() > deadline)
            return ::testing::AssertionFailure() << "the list is still loading";
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void FindDialog::Click(int buttonId) {
    ::SendMessage(Item(*dlg, buttonId), BM_CLICK, 0, 0);
}

void FindDialog::SetText(int id, const wchar_t* text) {
    ::SetWindowTextW(Item(*dlg, id), text);
}

std::wstring FindDialog::Text(int id) const {
    CString text;
    dlg->GetDlgItemText(id, text);
    return text.GetString();
}

bool FindDialog::Checked(int id) const {
    return dlg->IsDlgButtonChecked(id) == BST_CHECKED;
}

bool FindDialog::Enabled(int id) const {
    return ::IsWindowEnabled(Item(*dlg, id)) != FALSE;
}

bool FindDialog::Visible(int id) const {
    return ::IsWindowVisible(Item(*dlg, id)) != FALSE;
}

void FindDialog::DoubleClickRow(int row) {
    HWND list = Item(*dlg, IDC_FIND_LIST);
    RECT r{};
    r.left = LVIR_BOUNDS;
    ASSERT_TRUE(::SendMessage(list, LVM_GETITEMRECT, WPARAM(row), LPARAM(&r)));
    POINT p{r.left + 20, (r.top + r.bottom) / 2};
    ::ClientToScreen(list, &p);
    display.Click(p);
    display.Click(p);
    Pump();
}

Table FindDialog::Rows() const {
    HWND list = Item(*dlg, IDC_FIND_LIST);
    const int columns = int(Headings().size());
    Table rows;
    const int count = int(::SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::vector<std::wstring> cells;
        for (int column = 0; column < columns; ++column)
            cells.push_back(ItemText(list, row, column));
        rows.push_back(cells);
    }
    return rows;
}

std::vector<std::wstring> FindDialog::Headings() const {
    HWND list = Item(*dlg, IDC_FIND_LIST);
    std::vector<std::wstring> headings;
    for (int column = 0;; ++column) {
        wchar_t buffer[128] = {};
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT;
        c.pszText = buffer;
        c.cchTextMax = 128;
        if (!::SendMessage(list, LVM_GETCOLUMNW, WPARAM(column), LPARAM(&c)))
            return headings;
        headings.push_back(buffer);
    }
}

std::vector<int> FindDialog::Widths() const {
    HWND list = Item(*dlg, IDC_FIND_LIST);
    std::vector<int> widths;
    for (size_t column = 0; column < Headings().size(); ++column)
        widths.push_back(int(::SendMessage(list, LVM_GETCOLUMNWIDTH, column, 0)));
    return widths;
}

InxUnit TimeUnit(uint32_t time, uint64_t offset, uint32_t event) {
    return InxUnit{time, event, offset};
}

uint32_t EventWordOf(int type, int subCode, uint32_t entry) {
    return (entry & 0xFFFFFu) | (uint32_t(type & 0xF) << 20) | (uint32_t(subCode & 0x1F) << 24) |
           (uint32_t((type >> 4) & 0x3) << 29);
}

}  // namespace findtest
