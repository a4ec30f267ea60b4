// The find dialog's quick-index searches: their inputs, the remembered
// search and the search run.
#include <cwchar>

#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/find/FindLocateDlg.h"
#include "app/ui/find/IndexLists.h"

namespace {

enum class InputKind { Integer, GForce, Position };

struct SearchInput {
    int buttonId;
    int editId;  // the value's edit; the position search has four
    InputKind kind;
};

constexpr SearchInput kSearchInputs[] = {
    {IDC_FIND_SPEED_BUTTON, IDC_FIND_SPEED_EDIT, InputKind::Integer},
    {IDC_FIND_G_BUTTON, IDC_FIND_G_EDIT, InputKind::GForce},
    {IDC_FIND_TEMPERATURE_BUTTON, IDC_FIND_TEMPERATURE_EDIT, InputKind::Integer},
    {IDC_FIND_TYRE_TEMP_BUTTON, IDC_FIND_TYRE_TEMP_EDIT, InputKind::Integer},
    {IDC_FIND_PRESSURE_ABOVE_BUTTON, IDC_FIND_PRESSURE_ABOVE_EDIT, InputKind::Integer},
    {IDC_FIND_PRESSURE_BELOW_BUTTON, IDC_FIND_PRESSURE_BELOW_EDIT, InputKind::Integer},
    {IDC_FIND_POSITION_BUTTON, 0, InputKind::Position},
};

constexpr double kMinimumG = 0.1;
constexpr double kMaximumG = 2.0;

const SearchInput* FindInput(int buttonId) {
    for (const SearchInput& input : kSearchInputs) {
        if (input.buttonId == buttonId)
            return &input;
    }
    return nullptr;
}

// A number, with nothing but blanks after it.
bool ParseDouble(const CString& text, double* value) {
    const wchar_t* begin = text.GetString();
    wchar_t* end = nullptr;
    *value = std::wcstod(begin, &end);
    if (end == begin)
        return false;
    while (*end == L' ')
        ++end;
    return *end == L'\0';
}

CString FormatDouble(double value) {
    CString text;
    text.Format(L"%f", value);
    return text;
}

}  // namespace

void CFindLocateDlg::OnSearchSpeed() {
    RunSearch(IDC_FIND_SPEED_BUTTON);
}

void CFindLocateDlg::OnSearchGSensor() {
    RunSearch(IDC_FIND_G_BUTTON);
}

void CFindLocateDlg::OnSearchTemperature() {
    RunSearch(IDC_FIND_TEMPERATURE_BUTTON);
}

void CFindLocateDlg::OnSearchTireTemperature() {
    RunSearch(IDC_FIND_TYRE_TEMP_BUTTON);
}

void CFindLocateDlg::OnSearchPressureAbove() {
    RunSearch(IDC_FIND_PRESSURE_ABOVE_BUTTON);
}

void CFindLocateDlg::OnSearchPressureBelow() {
    RunSearch(IDC_FIND_PRESSURE_BELOW_BUTTON);
}

void CFindLocateDlg::OnSearchPosition() {
    RunSearch(IDC_FIND_POSITION_BUTTON);
}

void CFindLocateDlg::RunSearch(int buttonId) {
    QuickSearch search;
    if (!ReadSearchInput(buttonId, &search)) {
        ClearStatusText();
        return;
    }
    m_search = search;
    if (IsDlgButtonChecked(IDC_FIND_QUICK_INDEX) == BST_CHECKED)
        StartQuickSearch();
}

bool CFindLocateDlg::ReadSearchInput(int buttonId, QuickSearch* search) const {
    const SearchInput* input = FindInput(buttonId);
    if (input == nullptr)
        return false;
    search->buttonId = buttonId;
    CString text;
    switch (input->kind) {
        case InputKind::Integer: {
            BOOL read = FALSE;
            search->value = int(GetDlgItemInt(input->editId, &read, TRUE));
            return read != FALSE;
        }
        case InputKind::GForce:
            GetDlgItemText(input->editId, text);
            return ParseDouble(text, &search->value) && search->value >= kMinimumG &&
                   search->value <= kMaximumG;
        case InputKind::Position: {
            const std::pair<int, double*> fields[] = {
                {IDC_FIND_LONGITUDE_EDIT, &search->longitudeCentre},
                {IDC_FIND_LONGITUDE_TOLERANCE, &search->longitudeTolerance},
                {IDC_FIND_LATITUDE_EDIT, &search->latitudeCentre},
                {IDC_FIND_LATITUDE_TOLERANCE, &search->latitudeTolerance},
            };
            for (const auto& [editId, value] : fields) {
                GetDlgItemText(editId, text);
                if (!ParseDouble(text, value))
                    return false;
            }
            return true;
        }
    }
    return false;
}

void CFindLocateDlg::WriteSearchInput(const QuickSearch& search) {
    const SearchInput* input = FindInput(search.buttonId);
    if (input == nullptr)
        return;
    switch (input->kind) {
        case InputKind::Integer:
            SetDlgItemInt(input->editId, UINT(int(search.value)), TRUE);
            break;
        case InputKind::GForce:
            SetDlgItemText(input->editId, FormatDouble(search.value));
            break;
        case InputKind::Position:
            SetDlgItemText(IDC_FIND_LATITUDE_EDIT, FormatDouble(search.latitudeCentre));
            SetDlgItemText(IDC_FIND_LONGITUDE_EDIT, FormatDouble(search.longitudeCentre));
            SetDlgItemText(IDC_FIND_LATITUDE_TOLERANCE, FormatDouble(search.latitudeTolerance));
            SetDlgItemText(IDC_FIND_LONGITUDE_TOLERANCE, FormatDouble(search.longitudeTolerance));
            break;
    }
}

// Runs on the list thread like the lists, so that a long search neither
// blocks the window nor fills the list beside another run.
void CFindLocateDlg::StartQuickSearch() {
    SetStatusText(IDS_STRING307.Get());
    m_list.DeleteAllItems();
    m_list.SetRedraw(FALSE);
    StartListRun([search = m_search, units = m_units](FindRowSink& sink) {
        ListQuickSearch(search, units, sink);
    });
}
