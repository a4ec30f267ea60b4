// The find dialog on the headless display, over generated indexes that the
// scripted player library serves through the player bindings, with a test
// main window that records the seeks it is sent and a hook that answers
// message boxes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ui/find/FindLocateDlg.h"
#include "platform/afx/Afx.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/base/FakeClock.h"
#include "tests/app/ui/fake/BoundFakeTrevane.h"
#include "tests/app/ui/find/QuickUnits.h"

namespace findtest {

// Resources, English texts and the event names, there before the dialog
// loads its skin.
struct ProgramTexts {
    ProgramTexts();
};

// Stands in for the main window: keeps every UM_SEEK_TO_POSITION it gets.
class CSeekRecorder : public CDialog {
public:
    CSeekRecorder();
    struct Seek {
        WPARAM wParam;
        std::wstring position;
    };
    std::vector<Seek> seeks;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

using Table = std::vector<std::vector<std::wstring>>;

class FindDialog : public ::testing::Test {
protected:
    FindDialog();
    ~FindDialog() override;

    // Creates the dialog on first use, prepares it for the source with
    // `units` and shows it (Prepare); Show then waits for its list.
    void Prepare(const FindUnits& units = KmhCelsius());
    void Show(const FindUnits& units = KmhCelsius());
    static FindUnits KmhCelsius() { return {0, L"km/h", 0, L"\u2103"}; }
    static FindUnits MileFahrenheit() { return {1, L"mile/h", 1, L"\u2109"}; }

    void Pump();
    // Pumps until no list run is loading (bounded in real time).
    ::testing::AssertionResult WaitForList();
    void Click(int buttonId);
    void SetText(int id, const wchar_t* text);
    std::wstring Text(int id) const;
    bool Checked(int id) const;
    bool Enabled(int id) const;
    bool Visible(int id) const;
    void DoubleClickRow(int row);
    // Answers message boxes with OK and keeps their texts.
    std::vector<std::wstring> boxes;

    Table Rows() const;
    std::vector<std::wstring> Headings() const;
    std::vector<int> Widths() const;

    ScopedFakeClock clock;
    HeadlessDisplay display{1000, 700, RGB(1, 1, 1)};
    ProgramTexts texts;
    FakeTrevane* fake = &BindFakeTrevane();  // a file pair is open
    CSeekRecorder mainWnd;
    std::unique_ptr<CFindLocateDlg> dlg;
};

// Builders of index units.
InxUnit TimeUnit(uint32_t time, uint64_t offset, uint32_t event = 0);
// An event word of type T and sub-code S belonging to time-index entry e.
uint32_t EventWordOf(int type, int subCode, uint32_t entry);

}  // namespace findtest
