// The seek slider's tooltip: the recording time under the pointer, from the
// time index of the open source.
#include "MainWindowFixture.h"
#include "app/controls/PrivateMessage.h"
#include "app/controls/tooltip/ToolTipInfo.h"
#include "app/res/ResourceIds.h"

namespace maintest {
namespace {

constexpr unsigned kBase = 1700000000;  // 2023-11-14 22:13:20 UTC

class SliderTip : public MainWindowFixture {
protected:
    void SetUp() override {
        Open();
        Index(1, 151);
    }
    // Entries are numbered from 1; the first is at kBase, then 10 s apart.
    void Index(uint32_t first, uint32_t last) {
        fake->timeIndex.header = InxHd{0x1738BABE, first, last, 0};
        fake->timeIndex.units.clear();
        for (uint32_t i = first; i <= last; ++i)
            fake->timeIndex.units[i] = InxUnit{kBase + 10 * (i - first), 0, 0};
    }
    std::wstring At(int percent) { return dlg.FormatSliderTime(percent).GetString(); }
};

TEST_F(SliderTip, ShowsTheTimeOfTheEntryOrTheTwoAroundIt) {
    EXPECT_EQ(At(0), L"2023-11-14 22:13:20");
    EXPECT_EQ(At(20), L"2023-11-14 22:18:20");                              // entry 31
    EXPECT_EQ(At(45), L"2023-11-14 22:24:30 ~ 2023-11-14 22:24:40 (45%)");  // 68.5
    fake->begTime = int(kBase);
    fake->endTime = int(kBase + 3600);
    EXPECT_EQ(At(100), L"2023-11-14 23:13:20");
}

TEST_F(SliderTip, FewEntriesNarrowTheRangeToOneSliderStep) {
    Index(1, 11);
    fake->timeIndex.units[6].time = kBase;
    fake->timeIndex.units[7].time = kBase + 100;
    // 55 % is half way from entry 6 to 7; a step is a tenth of the gap.
    EXPECT_EQ(At(55), L"2023-11-14 22:14:00 ~ 2023-11-14 22:14:10 (55%)");
}

TEST_F(SliderTip, AnythingMissingGivesNoText) {
    EXPECT_EQ(At(100), L"");  // no begin and end time
    fake->timeIndex.units.erase(68);
    EXPECT_EQ(At(45), L"");
    fake->timeIndex.header.reset();
    EXPECT_EQ(At(20), L"");
}

TEST_F(SliderTip, TheTipOfTheSeekSliderTakesThePointersTime) {
    dlg.SendMessage(UM_SLIDER_MOUSEMOVE, IDC_MAIN_SEEK, 20);
    ToolTipInfo info;
    info.toolId = IDC_MAIN_SEEK;
    info.text = L"wefef";
    ToolTipDisplayNotify notify{};
    notify.hdr.code = UM_TOOLTIP_NOTIFY;
    notify.info = &info;
    dlg.SendMessage(WM_NOTIFY, 0, LPARAM(&notify));
    EXPECT_EQ(std::wstring(info.text.GetString()), L"2023-11-14 22:18:20");
    EXPECT_EQ(info.transparency, 30);
    ToolTipInfo other;
    other.toolId = 0;
    other.text = L"Open File";
    notify.info = &other;
    dlg.SendMessage(WM_NOTIFY, 0, LPARAM(&notify));
    EXPECT_EQ(std::wstring(other.text.GetString()), L"Open File");
}

}  // namespace
}  // namespace maintest
