#include <gtest/gtest.h>

#include <vector>

#include "platform/afx/Afx.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/base/FakeClock.h"

namespace {

constexpr UINT kTemplate = 5107;
constexpr int kStartTrack = 19001;
constexpr int kFolder = 19004;
constexpr int kAvi = 19007;
constexpr int kProgress = 19043;
constexpr int kStartTime = 19063;
constexpr int kLanguage = 17001;
constexpr int kList = 14009;
constexpr int kTimeChoice = 14002;
constexpr int kEventChoice = 14003;
constexpr COLORREF kBody = RGB(70, 70, 70);

void AddTemplate() {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    t.cx = 300;
    t.cy = 200;
    t.title = L"Controls";
    t.items = {
        {L"msctls_trackbar32", L"", kStartTrack, WS_VISIBLE | WS_TABSTOP, 0, 4, 4, 140, 16},
        {L"Edit", L"", kFolder, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, 4, 24, 140,
         12},
        {L"Button", L"AVI", kAvi, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 4, 40, 60, 10},
        {L"msctls_progress32", L"", kProgress, WS_VISIBLE, 0, 4, 54, 140, 8},
        {L"SysDateTimePick32", L"", kStartTime, WS_VISIBLE | WS_TABSTOP, 0, 150, 4, 100, 14},
        {L"ComboBox", L"", kLanguage, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, 0, 150, 24, 100,
         80},
        {L"Button", L"time", kTimeChoice, WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, 0, 150, 40,
         50, 10},
        {L"Button", L"event", kEventChoice, WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 200, 40, 50, 10},
        {L"SysListView32", L"", kList, WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT, 0, 4, 70,
         290, 120},
    };
    AddDialogResource(kTemplate, t);
}

class CControlsDlg : public CDialog {
public:
    CControlsDlg() : CDialog(kTemplate) {}

    CSliderCtrl m_startTrack;
    CEdit m_folder;
    CButton m_avi;
    CProgressCtrl m_progress;
    CDateTimeCtrl m_startTime;
    CComboBox m_language;
    CListCtrl m_list;
    CToolTipCtrl m_tip;

    std::vector<std::pair<UINT, UINT>> scrolls;  // (code, position)
    bool scrollFromTrack = true;
    int releasedCaptures = 0;
    int timeChanges = 0;
    SYSTEMTIME lastTime{};
    std::vector<int> doubleClicked;
    int languageChanges = 0;
    int folderChanges = 0;
    int aviClicks = 0;
    HBRUSH body = CreateSolidBrush(kBody);

    ~CControlsDlg() override { DeleteObject(body); }

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, kStartTrack, m_startTrack);
        DDX_Control(dx, kFolder, m_folder);
        DDX_Control(dx, kAvi, m_avi);
        DDX_Control(dx, kProgress, m_progress);
        DDX_Control(dx, kStartTime, m_startTime);
        DDX_Control(dx, kLanguage, m_language);
        DDX_Control(dx, kList, m_list);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_tip.Create(this, TTS_ALWAYSTIP);
        m_tip.Activate(TRUE);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (m_tip.m_hWnd != nullptr)
            m_tip.RelayEvent(msg);
        return CDialog::PreTranslateMessage(msg);
    }
    void OnHScroll(UINT code, UINT pos, CWnd* control) {
        scrollFromTrack = scrollFromTrack && control == &m_startTrack;
        scrolls.emplace_back(code, pos);
    }
    void OnReleasedCapture(NMHDR*, LRESULT* result) {
        ++releasedCaptures;
        *result = 0;
    }
    void OnStartTimeChanged(NMHDR* header, LRESULT*) {
        ++timeChanges;
        lastTime = reinterpret_cast<NMDATETIMECHANGE*>(header)->st;
    }
    void OnListDblClk(NMHDR* header, LRESULT*) {
        doubleClicked.push_back(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
    }
    void OnLanguageChange() { ++languageChanges; }
    void OnFolderChange() { ++folderChanges; }
    void OnAvi() { ++aviClicks; }
    HBRUSH OnCtlColor(CDC* dc, CWnd*, UINT kind) {
        if (kind == CTLCOLOR_EDIT || kind == CTLCOLOR_LISTBOX)
            return HBRUSH(Default());
        dc->SetTextColor(RGB(255, 255, 255));
        dc->SetBkMode(TRANSPARENT);
        return body;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CControlsDlg, CDialog)
ON_WM_HSCROLL()
ON_WM_CTLCOLOR()
ON_NOTIFY(NM_RELEASEDCAPTURE, kStartTrack, &CControlsDlg::OnReleasedCapture)
ON_NOTIFY(DTN_DATETIMECHANGE, kStartTime, &CControlsDlg::OnStartTimeChanged)
ON_NOTIFY(NM_DBLCLK, kList, &CControlsDlg::OnListDblClk)
ON_CBN_SELCHANGE(kLanguage, &CControlsDlg::OnLanguageChange)
ON_EN_CHANGE(kFolder, &CControlsDlg::OnFolderChange)
ON_BN_CLICKED(kAvi, &CControlsDlg::OnAvi)
END_MESSAGE_MAP()

class ControlClasses : public ::testing::Test {
protected:
    ControlClasses() {
        AddTemplate();
        EXPECT_TRUE(dlg.Create(kTemplate));
        dlg.ShowWindow(SW_SHOW);
        Pump();
    }
    ~ControlClasses() override { dlg.DestroyWindow(); }

    void Pump() {
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!CWnd::WalkPreTranslateTree(dlg.m_hWnd, &msg)) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
    }
    static POINT Inside(const CWnd& w, int x, int y) {
        POINT p{x, y};
        w.ClientToScreen(&p);
        return p;
    }
    void Key(UINT vk) {
        display.Key(vk);
        Pump();
    }

    ScopedFakeClock clock;
    HeadlessDisplay display{800, 600, RGB(0, 0, 0)};
    CControlsDlg dlg;
};

TEST_F(ControlClasses, TheSliderReportsThroughOnHScrollAndItsReleasedCapture) {
    dlg.m_startTrack.SetRange(0, 1000);
    dlg.m_startTrack.SetPageSize(1);
    dlg.m_startTrack.SetPos(10);
    EXPECT_EQ(dlg.m_startTrack.GetRangeMax(), 1000) << "beyond the 16 bits of a packed range";
    CRect client;
    dlg.m_startTrack.GetClientRect(&client);
    display.Click(Inside(dlg.m_startTrack, client.right - 6, client.bottom / 2));
    Pump();
    EXPECT_EQ(dlg.m_startTrack.GetPos(), 11);
    ASSERT_EQ(dlg.scrolls.size(), 2u);
    EXPECT_EQ(dlg.scrolls[0].first, TB_PAGEDOWN);
    EXPECT_EQ(dlg.scrolls[1].first, TB_ENDTRACK);
    EXPECT_TRUE(dlg.scrollFromTrack) << "the handler receives the slider's own object";
    EXPECT_EQ(dlg.releasedCaptures, 1);
}

TEST_F(ControlClasses, TheDatePickerTakesFormatRangeAndReportsChanges) {
    const SYSTEMTIME first{2019, 6, 0, 10, 10, 45, 0, 0};
    const SYSTEMTIME last{2019, 6, 0, 10, 18, 0, 0, 0};
    dlg.m_startTime.SetFormat(L"yyyy-MM-dd HH:mm");
    EXPECT_TRUE(dlg.m_startTime.SetRange(&first, &last));
    EXPECT_TRUE(dlg.m_startTime.SetTime(&first));
    CString shown;
    dlg.m_startTime.GetWindowText(shown);
    EXPECT_EQ(CString(shown), CString(L"2019-06-10 10:45"));
    dlg.m_startTime.SetFocus();
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);  // the hour
    Key(VK_UP);
    EXPECT_EQ(dlg.timeChanges, 1);
    EXPECT_EQ(dlg.lastTime.wHour, 11);
    SYSTEMTIME now{};
    EXPECT_EQ(dlg.m_startTime.GetTime(&now), DWORD(GDT_VALID));
    EXPECT_EQ(now.wHour, 11);
    SYSTEMTIME min{}, max{};
    EXPECT_EQ(dlg.m_startTime.GetRange(&min, &max), DWORD(GDTR_MIN | GDTR_MAX));
    EXPECT_EQ(max.wHour, 18);
}

TEST_F(ControlClasses, TheListTakesColumnsAndRowsAndReportsDoubleClicks) {
    dlg.m_list.SetExtendedStyle(dlg.m_list.GetExtendedStyle() | LVS_EX_GRIDLINES |
                                LVS_EX_FULLROWSELECT);
    EXPECT_EQ(dlg.m_list.InsertColumn(0, L"Time", LVCFMT_LEFT, 150), 0);
    EXPECT_EQ(dlg.m_list.InsertColumn(1, L"Position", LVCFMT_LEFT, 150), 1);
    dlg.m_list.SetRedraw(FALSE);
    for (int i = 0; i < 3; ++i) {
        const int row = dlg.m_list.InsertItem(dlg.m_list.GetItemCount(), L"2019/06/10 10:45:42");
        CString offset;
        offset.Format(L"%d", 1024 * i);
        dlg.m_list.SetItemText(row, 1, offset);
    }
    dlg.m_list.SetRedraw(TRUE);
    EXPECT_EQ(dlg.m_list.GetItemText(2, 1), CString(L"2048"));
    CRect row;
    ASSERT_TRUE(dlg.m_list.GetItemRect(1, &row, LVIR_BOUNDS));
    const POINT p = Inside(dlg.m_list, 200, row.CenterPoint().y);
    display.Click(p);
    display.Click(p);
    Pump();
    EXPECT_EQ(dlg.doubleClicked, std::vector<int>{1});
    EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(dlg.m_list.HitTest(CPoint(10, row.CenterPoint().y)), 1);
}

TEST_F(ControlClasses, ComboEditAndButtonsReachTheirHandlers) {
    for (const wchar_t* text : {L"English", L"Deutsch"})
        dlg.m_language.AddString(text);
    dlg.m_language.SetCurSel(0);
    dlg.m_language.SetFocus();
    Key(VK_DOWN);
    EXPECT_EQ(dlg.m_language.GetCurSel(), 1);
    CString text;
    dlg.m_language.GetLBText(1, text);
    EXPECT_EQ(text, CString(L"Deutsch"));
    EXPECT_EQ(dlg.languageChanges, 1);

    dlg.m_folder.SetFocus();
    display.Key('A');
    display.Key('B');
    Pump();
    EXPECT_EQ(dlg.folderChanges, 2);
    dlg.m_folder.SetSel(0, -1);
    dlg.m_folder.Copy();
    EXPECT_EQ(display.ClipboardText(), L"ab");
    dlg.m_folder.ReplaceSel(L"/tmp/out");
    CString folder;
    dlg.m_folder.GetWindowText(folder);
    EXPECT_EQ(folder, CString(L"/tmp/out"));

    display.Click(Inside(dlg.m_avi, 5, 5));
    Pump();
    EXPECT_EQ(dlg.m_avi.GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.aviClicks, 1);
    CWnd* time = dlg.GetDlgItem(kTimeChoice);
    CWnd* event = dlg.GetDlgItem(kEventChoice);
    display.Click(Inside(*time, 5, 5));
    display.Click(Inside(*event, 5, 5));
    Pump();
    EXPECT_EQ(time->SendMessage(BM_GETCHECK), BST_UNCHECKED);
    EXPECT_EQ(event->SendMessage(BM_GETCHECK), BST_CHECKED);
    dlg.CheckRadioButton(kTimeChoice, kEventChoice, kTimeChoice);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kTimeChoice), BST_CHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(kEventChoice), BST_UNCHECKED);
    CRect box;
    dlg.m_avi.GetWindowRect(&box);
    EXPECT_EQ(display.PixelAt(box.right - 2, box.top + 1), kBody)
        << "the check box takes the dialog's colours";
}

TEST_F(ControlClasses, TheProgressBarAndTheToolTipCtrl) {
    dlg.m_progress.SetRange32(0, 10000);
    dlg.m_progress.SetPos(2500);
    int low = -1, high = -1;
    dlg.m_progress.GetRange(low, high);
    EXPECT_EQ(high, 10000);
    EXPECT_EQ(dlg.m_progress.OffsetPos(100), 2500);
    EXPECT_EQ(dlg.m_progress.GetPos(), 2600);

    ASSERT_TRUE(dlg.m_tip.AddTool(&dlg.m_startTrack));  // a callback text nobody answers
    EXPECT_EQ(dlg.m_tip.GetToolCount(), 1);
    display.MoveMouse(Inside(dlg.m_startTrack, 5, 5));
    Pump();
    clock->Advance(600);
    Pump();
    EXPECT_FALSE(dlg.m_tip.IsWindowVisible());
    dlg.m_tip.UpdateTipText(L"start", &dlg.m_startTrack);
    display.MoveMouse(Inside(dlg, 405, 97));  // off the tool, over the dialog
    display.MoveMouse(Inside(dlg.m_startTrack, 6, 5));
    Pump();
    clock->Advance(600);
    Pump();
    EXPECT_TRUE(dlg.m_tip.IsWindowVisible());
    dlg.m_tip.DelTool(&dlg.m_startTrack);
    EXPECT_EQ(dlg.m_tip.GetToolCount(), 0);
    EXPECT_FALSE(dlg.m_tip.IsWindowVisible());
}

}  // namespace
