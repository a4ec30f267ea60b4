#include "app/ui/find/FindLocateDlg.h"

#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/find/EventStatusText.h"
#include "app/ui/find/IndexListColumns.h"
#include "app/ui/find/IndexLists.h"

namespace {

// Posted by the list thread to the dialog: rows are waiting or the run ended.
constexpr UINT kListRowsMessage = WM_USER + 140;

}  // namespace

BEGIN_MESSAGE_MAP(CFindLocateDlg, CSubDialog)
ON_BN_CLICKED(IDC_FIND_TIME_INDEX, &CFindLocateDlg::OnListTimeIndex)
ON_BN_CLICKED(IDC_FIND_EVENT_INDEX, &CFindLocateDlg::OnListEventIndex)
ON_BN_CLICKED(IDC_FIND_QUICK_INDEX, &CFindLocateDlg::OnListQuickIndex)
ON_NOTIFY(NM_DBLCLK, IDC_FIND_LIST, &CFindLocateDlg::OnListDblClk)
ON_NOTIFY(LVN_ITEMCHANGED, IDC_FIND_LIST, &CFindLocateDlg::OnListItemChanged)
ON_BN_CLICKED(IDC_FIND_SPEED_BUTTON, &CFindLocateDlg::OnSearchSpeed)
ON_BN_CLICKED(IDC_FIND_G_BUTTON, &CFindLocateDlg::OnSearchGSensor)
ON_BN_CLICKED(IDC_FIND_TEMPERATURE_BUTTON, &CFindLocateDlg::OnSearchTemperature)
ON_BN_CLICKED(IDC_FIND_TYRE_TEMP_BUTTON, &CFindLocateDlg::OnSearchTireTemperature)
ON_BN_CLICKED(IDC_FIND_PRESSURE_ABOVE_BUTTON, &CFindLocateDlg::OnSearchPressureAbove)
ON_BN_CLICKED(IDC_FIND_PRESSURE_BELOW_BUTTON, &CFindLocateDlg::OnSearchPressureBelow)
ON_BN_CLICKED(IDC_FIND_POSITION_BUTTON, &CFindLocateDlg::OnSearchPosition)
ON_BN_CLICKED(IDC_FIND_TIME_BUTTON, &CFindLocateDlg::OnSearchTime)
ON_MESSAGE(kListRowsMessage, &CFindLocateDlg::OnListRows)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CFindLocateDlg::CFindLocateDlg(CWnd* parent)
    : CSubDialog(IDD_FIND, parent), m_nCurrentChoice(IDC_FIND_TIME_INDEX) {}

void CFindLocateDlg::DoDataExchange(CDataExchange* dx) {
    CSubDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_FIND_TIME_PICKER, m_timePicker);
    DDX_Control(dx, IDC_FIND_LIST, m_list);
}

BOOL CFindLocateDlg::OnInitDialog() {
    CSubDialog::OnInitDialog();
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_timePicker.SetFormat(L"yyyy-MM-dd HH:mm");
    ApplyLanguageTexts();
    EnableIndexChoices();
    return TRUE;
}

void CFindLocateDlg::OnCancel() {
    StopListRun();
    CSubDialog::OnCancel();
}

void CFindLocateDlg::OnDestroy() {
    m_worker.Stop();
    m_bListThreadRunning = false;
    CSubDialog::OnDestroy();
}

void CFindLocateDlg::PrepareForSource(const FindUnits& units) {
    StopListRun();
    // The units first: the quick list's headings and its search use them.
    m_units = units;
    CheckRadioButton(IDC_FIND_TIME_INDEX, IDC_FIND_QUICK_INDEX, m_nCurrentChoice);
    GetDlgItem(m_nCurrentChoice)->Invalidate();
    ApplyLanguageTexts();
    EnableIndexChoices();
    SetUnitLabels();
    StartChoiceList(m_nCurrentChoice);
}

void CFindLocateDlg::FollowSource(const FindUnits& units) {
    if (IsWindowVisible()) {
        PrepareForSource(units);
        return;
    }
    StopListRun();
    m_list.DeleteAllItems();
}

void CFindLocateDlg::SetUnitLabels() {
    CString text;
    text.Format(L"(%s)", m_units.speedUnitText.GetString());
    SetDlgItemText(IDC_FIND_SPEED_UNIT, text);
    text.Format(L"(%s)", m_units.temperatureUnitText.GetString());
    SetDlgItemText(IDC_FIND_TEMPERATURE_UNIT, text);
    SetDlgItemText(IDC_FIND_TYRE_TEMP_UNIT, text);
    SetDlgItemText(IDC_FIND_LONGITUDE_PLUS_MINUS, L"\u00b1");
    SetDlgItemText(IDC_FIND_LATITUDE_PLUS_MINUS, L"\u00b1");
}

void CFindLocateDlg::EnableIndexChoices() {
    const int type = Call_zTellOpenedType();
    m_bDeviceIndexes = type == OPENED_DISK || type == OPENED_CARD;
    GetDlgItem(IDC_FIND_EVENT_INDEX)->EnableWindow(m_bDeviceIndexes);
    GetDlgItem(IDC_FIND_QUICK_INDEX)->EnableWindow(m_bDeviceIndexes);
}

void CFindLocateDlg::SetStatusText(const CString& text) {
    SetDlgItemText(IDC_FIND_STATUS, text);
}

void CFindLocateDlg::ClearStatusText() {
    SetStatusText(m_bDeviceIndexes ? CString() : IDS_FIND_DEVICE_ONLY.Get());
}

void CFindLocateDlg::ApplyLanguageTexts() {
    SetDlgItemText(IDC_FIND_TIME_LABEL, IDC_STATIC_TIME);
    SetDlgItemText(IDC_FIND_EVENT_LABEL, IDC_STATIC_EVENT);
    SetDlgItemText(IDC_FIND_QUICK_LABEL, IDC_STATIC_QUICK);
    SetDlgItemText(IDC_FIND_SPEED_LABEL, IDC_STATIC_S + L"(>)");
    SetDlgItemText(IDC_FIND_G_RANGE, L"(0.1~2.0)");
    SetDlgItemText(IDC_FIND_TEMPERATURE_LABEL, IDC_STATIC_G3 + L"(>)");
    SetDlgItemText(IDC_FIND_TYRE_TEMP_LABEL, IDC_STATIC_T);
    SetDlgItemText(IDC_FIND_PRESSURE_ABOVE_LABEL, IDC_STATIC_P + L"(>)");
    SetDlgItemText(IDC_FIND_PRESSURE_ABOVE_UNIT, L"(PSI)");
    SetDlgItemText(IDC_FIND_PRESSURE_BELOW_LABEL, IDC_STATIC_P + L"(<)");
    SetDlgItemText(IDC_FIND_PRESSURE_BELOW_UNIT, L"(PSI)");
    SetDlgItemText(IDC_FIND_LONGITUDE_LABEL, IDC_STATIC_LO);
    SetDlgItemText(IDC_FIND_LATITUDE_LABEL, IDC_STATIC_LA);
    for (int button :
         {IDC_FIND_SPEED_BUTTON, IDC_FIND_G_BUTTON, IDC_FIND_TEMPERATURE_BUTTON,
          IDC_FIND_TYRE_TEMP_BUTTON, IDC_FIND_PRESSURE_ABOVE_BUTTON, IDC_FIND_PRESSURE_BELOW_BUTTON,
          IDC_FIND_POSITION_BUTTON, IDC_FIND_TIME_BUTTON})
        SetDlgItemText(button, IDC_BTN_SPEED_FIND);
}

void CFindLocateDlg::OnListTimeIndex() {
    OnChoiceClicked(IDC_FIND_TIME_INDEX);
}

void CFindLocateDlg::OnListEventIndex() {
    OnChoiceClicked(IDC_FIND_EVENT_INDEX);
}

void CFindLocateDlg::OnListQuickIndex() {
    OnChoiceClicked(IDC_FIND_QUICK_INDEX);
}

// While a list loads, a click on a choice is undone: the mark goes back to
// the choice whose list is loading, which stays the current one.
void CFindLocateDlg::OnChoiceClicked(int choice) {
    if (m_bListThreadRunning) {
        CheckRadioButton(IDC_FIND_TIME_INDEX, IDC_FIND_QUICK_INDEX, m_nCurrentChoice);
        return;
    }
    m_nCurrentChoice = choice;
    CheckRadioButton(IDC_FIND_TIME_INDEX, IDC_FIND_QUICK_INDEX, choice);
    StartChoiceList(choice);
}

void CFindLocateDlg::StartChoiceList(int choice) {
    if (choice == IDC_FIND_QUICK_INDEX) {
        ShowQuickList();
        return;
    }
    const EventNames names = EventNames::FromTables();
    BeginIndexList(names);
    if (choice == IDC_FIND_EVENT_INDEX)
        StartListRun([names](FindRowSink& sink) { ListEventIndex(names, sink); });
    else
        StartListRun([names](FindRowSink& sink) { ListTimeIndex(names, sink); });
}

void CFindLocateDlg::BeginIndexList(const EventNames& names) {
    HideSearchControls();
    GetDlgItem(IDC_FIND_TIME_PICKER)->ShowWindow(SW_SHOW);
    GetDlgItem(IDC_FIND_TIME_BUTTON)->ShowWindow(SW_SHOW);
    SetStatusText(IDS_STRING307.Get());
    const std::vector<CString> headings = {IDS_STRING298.Get(), IDS_STRING299.Get(),
                                           IDS_STRING300.Get()};
    ResetColumns(headings, MeasureIndexListWidths(m_list, headings, names).data());
    m_list.SetRedraw(FALSE);
}

void CFindLocateDlg::ShowQuickList() {
    const std::vector<CString> headings = QuickListHeadings(m_units);
    ResetColumns(headings, MeasureQuickListWidths(m_list, headings).data());
    ShowSearchControls();
    GetDlgItem(IDC_FIND_TIME_PICKER)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_FIND_TIME_BUTTON)->ShowWindow(SW_HIDE);
    Invalidate();
    UpdateWindow();
    if (m_search.buttonId == 0)
        return;
    WriteSearchInput(m_search);
    RunSearch(m_search.buttonId);
}

void CFindLocateDlg::ResetColumns(const std::vector<CString>& headings, const int* widths) {
    m_list.DeleteAllItems();
    while (m_list.DeleteColumn(0)) {
    }
    for (size_t i = 0; i < headings.size(); ++i)
        m_list.InsertColumn(int(i), headings[i], LVCFMT_LEFT, widths[i]);
}

void CFindLocateDlg::ShowSearchControls() {
    SetSearchControlsShown(true);
}

void CFindLocateDlg::HideSearchControls() {
    SetSearchControlsShown(false);
}

void CFindLocateDlg::SetSearchControlsShown(bool shown) {
    for (int id = IDC_FIND_SEARCH_FIRST; id <= IDC_FIND_SEARCH_LAST; ++id) {
        if (HWND control = ::GetDlgItem(m_hWnd, id))
            ::ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
    }
}

void CFindLocateDlg::StartListRun(CFindListWorker::Job job) {
    m_bListThreadRunning = true;
    if (!m_worker.Start(m_hWnd, kListRowsMessage, std::move(job)))
        EndListRun();
}

LRESULT CFindLocateDlg::OnListRows(WPARAM, LPARAM) {
    CFindListWorker::Delivery delivery = m_worker.Collect();
    for (const FindListRow& row : delivery.rows) {
        const int item = m_list.InsertItem(m_list.GetItemCount(), row[0]);
        for (size_t column = 1; column < row.size(); ++column)
            m_list.SetItemText(item, int(column), row[column]);
    }
    if (delivery.finished)
        EndListRun();
    return 0;
}

void CFindLocateDlg::StopListRun() {
    m_worker.Stop();
    if (m_bListThreadRunning)
        EndListRun();
}

void CFindLocateDlg::EndListRun() {
    m_list.SetRedraw(TRUE);
    m_list.Invalidate();
    Invalidate();
    UpdateWindow();
    ClearStatusText();
    m_bListThreadRunning = false;
}

void CFindLocateDlg::OnListItemChanged(NMHDR*, LRESULT* result) {
    *result = 0;
}
