// The find dialog's seeks: from a row of its list and by a picked time.
#include <cwchar>

#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/find/FindLocateDlg.h"
#include "app/ui/find/FindTexts.h"
#include "app/ui/find/TimeIndexLookup.h"

namespace {

// Columns holding a row's time-index entry (quick list) and its data
// position (time and event lists).
constexpr int kEntryColumn = 0;
constexpr int kPositionColumn = 1;

}  // namespace

void CFindLocateDlg::OnListDblClk(NMHDR* header, LRESULT* result) {
    *result = 0;
    const auto* activate = reinterpret_cast<const NMITEMACTIVATE*>(header);
    CString position;
    if (activate->iItem < 0 || !RowPosition(activate->iItem, &position))
        return;
    SeekTo(position);
}

bool CFindLocateDlg::RowPosition(int row, CString* position) const {
    if (IsDlgButtonChecked(IDC_FIND_QUICK_INDEX) != BST_CHECKED) {
        *position = m_list.GetItemText(row, kPositionColumn);
        return true;
    }
    const CString entry = m_list.GetItemText(row, kEntryColumn);
    uint64_t offset = 0;
    if (!TimeEntryPosition(uint32_t(std::wcstol(entry.GetString(), nullptr, 10)), &offset))
        return false;
    *position = FormatDataPosition(offset);
    return true;
}

void CFindLocateDlg::OnSearchTime() {
    SYSTEMTIME picked{};
    m_timePicker.GetTime(&picked);
    uint64_t offset = 0;
    if (TimeSearchPosition(PickedTimeToSeconds(picked), &offset))
        SeekTo(FormatDataPosition(offset));
    else
        MessageBox(IDS_STRING301, nullptr, MB_OK);
}

// The main window reads the text during the call; the dialog then hides.
void CFindLocateDlg::SeekTo(const CString& position) {
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && main->m_hWnd != nullptr)
        ::SendMessage(main->m_hWnd, UM_SEEK_TO_POSITION, 0, LPARAM(position.GetString()));
    OnCancel();
}
