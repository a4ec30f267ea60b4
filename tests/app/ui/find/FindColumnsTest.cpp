// The time and event lists' columns show their texts whole, in the dialog's
// font, inside the list beside its scroll bar: the widest time, the data
// position and every status text an event word can give, in each shipped
// language.
#include <cwchar>
#include <numeric>

#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/ui/find/EventStatusText.h"
#include "app/ui/find/EventTypeNames.h"
#include "platform/afx/ClientDC.h"
#include "platform/base/Module.h"
#include "platform/gdi/SystemMetrics.h"
#include "shared/TextConvert.h"
#include "tests/app/ui/find/FindFixture.h"

namespace {

using namespace findtest;

constexpr uint32_t H = 1699999200;                    // 2023/11/14 22:00:00
constexpr uint64_t kDiskPosition = 1999999999999ull;  // near the end of a 2 TB disk

class FindColumns : public FindDialog {
protected:
    ~FindColumns() override {
        SetDefaultLanguageTexts();
        BuildEventTypeNames();
    }
    // As the settings dialog loads a language: its file, then the name tables.
    static void UseLanguage(const wchar_t* file) {
        SetDefaultLanguageTexts();
        if (file != nullptr) {
            const std::wstring dir = Utf8ToWideString(ProgramDirectory());
            std::wcsncpy(g_szProgramDir, dir.c_str(), kConfigPathSize - 1);
            ASSERT_TRUE(LoadLanguageFile(file)) << file;
        }
        BuildEventTypeNames();
    }
    // The width of `text` in the list's font, as a device context measures it.
    int TextWidth(const CString& text) {
        CWnd* list = dlg->GetDlgItem(IDC_FIND_LIST);
        CClientDC dc(list);
        CFont* old = dc.SelectObject(list->GetFont());
        const int width = dc.GetTextExtent(text).cx;
        dc.SelectObject(old);
        return width;
    }
    bool Fits(const CString& text, int column) {
        return TextWidth(text) + 2 * kListViewCellMargin <= column;
    }
};

TEST_F(FindColumns, EveryStatusTextFitsItsColumnInsideTheList) {
    fake->openedType = OPENED_DISK;
    fake->timeIndex.Place(1, {TimeUnit(H, kDiskPosition)});
    for (const wchar_t* language : {static_cast<const wchar_t*>(nullptr), L"Chinese.lang"}) {
        SCOPED_TRACE(language == nullptr ? L"English" : language);
        UseLanguage(language);
        Show();
        const std::vector<int> widths = Widths();
        ASSERT_EQ(widths.size(), 3u);
        CRect list;
        dlg->GetDlgItem(IDC_FIND_LIST)->GetClientRect(&list);
        EXPECT_LE(std::accumulate(widths.begin(), widths.end(), 0),
                  list.Width() - GetSystemMetrics(SM_CXVSCROLL))
            << "the status column ends in sight";
        const Table rows = Rows();
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_TRUE(Fits(rows[0][0].c_str(), widths[0])) << rows[0][0];
        EXPECT_TRUE(Fits(rows[0][1].c_str(), widths[1])) << rows[0][1];
        const std::vector<std::wstring> headings = Headings();
        for (size_t c = 0; c < headings.size(); ++c)
            EXPECT_TRUE(Fits(headings[c].c_str(), widths[c])) << headings[c];
        const EventNames names = EventNames::FromTables();
        for (int type = 0; type < 64; ++type) {
            for (int subCode = 0; subCode < 32; ++subCode) {
                const CString text = EventStatusText(names, EventWordOf(type, subCode, 0));
                EXPECT_TRUE(Fits(text, widths[2]))
                    << "type " << type << " sub-code " << subCode << ": " << text.GetString();
            }
        }
    }
}

}  // namespace
