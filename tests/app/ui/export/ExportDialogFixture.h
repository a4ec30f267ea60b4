// The export dialog on the headless display over the fake libraries: every
// message box it shows is answered with OK and its text kept; the daily log
// goes to a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "app/res/ResourceIds.h"
#include "app/ui/export/DateTimePicker.h"
#include "platform/afx/Afx.h"
#include "platform/backend/HeadlessDisplay.h"
#include "platform/base/FakeClock.h"
#include "tests/app/ui/export/FakeExporter.h"

// The helpers are public so that tables of cases can call them.
class ExportDialogFixture : public ::testing::Test {
public:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // A fresh dialog window (the old one destroyed first).
    void CreateDialog();
    void Pump();

    HWND Item(int id) const { return ::GetDlgItem(dlg->m_hWnd, id); }
    bool Checked(int id) const { return ::IsDlgButtonChecked(dlg->m_hWnd, id) == BST_CHECKED; }
    bool Enabled(int id) const { return ::IsWindowEnabled(Item(id)) != FALSE; }
    std::wstring Text(int id) const;
    // A click on a check box or button, as the user makes it.
    void Click(int id);
    void Check(int id) {
        if (!Checked(id))
            Click(id);
    }
    // The trackbar moved to `pos` and the dialog told, as a drag tells it.
    void Slide(int trackId, int pos);
    int TrackPos(int trackId) const { return int(::SendMessage(Item(trackId), TBM_GETPOS, 0, 0)); }
    // The picker set to the time and the change reported as the user's.
    void Pick(int pickerId, int64_t seconds);
    int64_t PickerTime(int pickerId) const;
    int Progress() const { return int(::SendMessage(Item(IDC_EXPORT_PROGRESS), PBM_GETPOS, 0, 0)); }

    // The boxes shown since the last call.
    std::vector<std::wstring> TakeBoxes();
    // Today's daily log.
    std::string LogText() const;

    ScopedFakeClock clock;
    HeadlessDisplay display{800, 600, RGB(1, 1, 1)};
    std::unique_ptr<CDateTimePicker> dlg;
    std::string logDir;

private:
    std::mutex boxLock_;
    std::vector<std::wstring> boxes_;  // guarded by boxLock_
};
