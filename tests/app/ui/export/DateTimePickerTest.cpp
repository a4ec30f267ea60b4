#include "app/ui/export/DateTimePicker.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>

#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/CalendarTime.h"
#include "app/ui/export/ExtractRun.h"
#include "shared/IndexRing.h"
#include "shared/PlayerInterface.h"
#include "shared/TextConvert.h"
#include "tests/app/ui/export/ExportDialogFixture.h"

namespace {

constexpr int64_t kBase = 1560163542;  // 2019-06-10 10:45:42
constexpr int64_t kBaseMinute = kBase - 42;

// Ten entries, 30 s apart, from entry 1.
class ExportDialog : public ExportDialogFixture {
public:
    void SetUp() override {
        ExportDialogFixture::SetUp();
        fakes::MakeTimeIndex(1, 10, uint32_t(kBase), 30);
    }
    // Prepared, with a target folder that can be made.
    bool Prepare() {
        const bool ok = dlg->PrepareForSource();
        ::SetWindowTextW(Item(IDC_EXPORT_DIR), Utf8ToWideString(logDir + "/out").c_str());
        Pump();
        return ok;
    }
};

const int kOverlayIds[] = {IDC_EXPORT_OVERLAY_TIME, IDC_EXPORT_OVERLAY_PLATE,
                           IDC_EXPORT_OVERLAY_SPEED, IDC_EXPORT_OVERLAY_TEMPERATURE,
                           IDC_EXPORT_OVERLAY_GPS};

int ChannelBox(int channel) {
    return IDC_EXPORT_CHANNEL_FIRST + channel - 1;
}

}  // namespace

TEST_F(ExportDialog, PreparationRefusesASourceItCannotExport) {
    struct Case {
        int openedType;
        bool headerReadable;
        const wchar_t* box;
    } cases[] = {
        {-1, true, L"Nothing is opened!"},
        {3, true, L"The source data type is not supported!"},
        {5, true, L"The source data type is not supported!"},
        {0, false, L"Can't get time index date!"},
    };
    const std::optional<InxHd> header = fakes::Player().timeIndex.header;
    for (const Case& c : cases) {
        fakes::Player().openedType = c.openedType;
        fakes::Player().timeIndex.header = c.headerReadable ? header : std::nullopt;
        EXPECT_FALSE(Prepare()) << c.openedType;
        EXPECT_EQ(TakeBoxes(), std::vector<std::wstring>{c.box}) << c.openedType;
    }
    fakes::Player().timeIndex.header = header;
    fakes::Player().timeIndex.units.erase(10);
    EXPECT_FALSE(Prepare()) << "the last entry cannot be read";
    EXPECT_EQ(TakeBoxes(), std::vector<std::wstring>{L"Can't get time index date!"});
}

TEST_F(ExportDialog, PreparationShowsTheWholeIndexAndSelectsTheRawCopy) {
    for (int type : {0, 1, 2}) {
        fakes::Player().openedType = type;
        EXPECT_TRUE(Prepare()) << type;
    }
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(::SendMessage(Item(IDC_EXPORT_START_TRACK), TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(::SendMessage(Item(IDC_EXPORT_START_TRACK), TBM_GETRANGEMAX, 0, 0), 10);
    EXPECT_EQ(TrackPos(IDC_EXPORT_START_TRACK), 1);
    EXPECT_EQ(TrackPos(IDC_EXPORT_END_TRACK), 10);
    EXPECT_EQ(PickerTime(IDC_EXPORT_START_PICKER), kBaseMinute) << "seconds set to 0";
    EXPECT_EQ(PickerTime(IDC_EXPORT_END_PICKER), kBaseMinute + 300) << "10:50:12 shown as 10:50";
    EXPECT_EQ(Text(IDC_EXPORT_START_PICKER), L"2019-06-10 10:45");
    dlg->PrepareForSource();
    EXPECT_EQ(Text(IDC_EXPORT_DIR), std::wstring(g_szCaptureDir));
    EXPECT_TRUE(Checked(IDC_EXPORT_RAW));
    EXPECT_FALSE(Checked(IDC_EXPORT_AVI) || Checked(IDC_EXPORT_MOV));
    for (int box = 0; box < CDateTimePicker::kOutputBoxes; ++box)
        EXPECT_FALSE(Enabled(box == 16 ? IDC_EXPORT_MOSAIC : IDC_EXPORT_CHANNEL_FIRST + box));
    for (int id : kOverlayIds)
        EXPECT_FALSE(Enabled(id) || Checked(id));
    EXPECT_TRUE(Enabled(IDC_EXPORT_START));
    EXPECT_EQ(Progress(), 0);
    EXPECT_EQ(Text(IDC_EXPORT_CHANNEL_LABEL_FIRST + 2), L"CH3");
    EXPECT_EQ(Text(IDC_EXPORT_AVI_LABEL), L"AVI");
    EXPECT_EQ(Text(IDC_EXPORT_START), L"Start");
}

TEST_F(ExportDialog, AWrappedIndexRunsToTheRingsEndAndOnFromOne) {
    // Entries 0xFFFFE, 0xFFFFF, 1, 2, 3.
    fakes::MakeTimeIndex(0xFFFFE, 5, uint32_t(kBase), 60, 1ull << 33);
    ASSERT_EQ(fakes::Player().timeIndex.header->last, 3u);
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(::SendMessage(Item(IDC_EXPORT_END_TRACK), TBM_GETRANGEMIN, 0, 0), 0xFFFFE);
    EXPECT_EQ(::SendMessage(Item(IDC_EXPORT_END_TRACK), TBM_GETRANGEMAX, 0, 0),
              3 + int(kIndexRingSize));
    EXPECT_EQ(PickerTime(IDC_EXPORT_END_PICKER), kBaseMinute + 4 * 60) << "entry 3's time";
    Slide(IDC_EXPORT_START_TRACK, int(kIndexRingSize) + 1);  // entry 1
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(PickerTime(IDC_EXPORT_START_PICKER), kBaseMinute + 2 * 60);
    Click(IDC_EXPORT_START);
    ASSERT_EQ(fakes::Player().ExtractRanges().size(), 1u);
    EXPECT_EQ(fakes::Player().ExtractRanges()[0].first, 3000 + (1ull << 33))
        << "entry 1, above 4 GiB";
    EXPECT_EQ(fakes::Player().ExtractRanges()[0].second, 5000 + (1ull << 33)) << "entry 3";
}

TEST_F(ExportDialog, OutputKindsFollowTheGopVersion) {
    struct Case {
        int version;
        int v3Out;
        bool aviBefore, movBefore;  // the boxes' state before preparing
        bool avi, mov;
    } cases[] = {
        {4, 0, false, false, true, true}, {3, 1, false, true, true, false},
        {3, 0, false, true, false, true}, {3, 0, true, false, true, false},
        {2, 1, true, true, false, false}, {0, 1, true, true, false, false},
    };
    const int saved = g_nGopV3Out;
    for (const Case& c : cases) {
        ::EnableWindow(Item(IDC_EXPORT_AVI), c.aviBefore);
        ::EnableWindow(Item(IDC_EXPORT_MOV), c.movBefore);
        fakes::Player().gopVersion = c.version;
        g_nGopV3Out = c.v3Out;
        ASSERT_TRUE(Prepare());
        EXPECT_EQ(Enabled(IDC_EXPORT_AVI), c.avi) << c.version << " " << c.v3Out;
        EXPECT_EQ(Enabled(IDC_EXPORT_MOV), c.mov) << c.version << " " << c.v3Out;
        if (c.version != 3 || c.v3Out != 0) {
            EXPECT_EQ(Enabled(IDC_EXPORT_MOV_LABEL), c.mov) << c.version;
        }
    }
    g_nGopV3Out = saved;
}

TEST_F(ExportDialog, RawAviAndMovExcludeEachOther) {
    ASSERT_TRUE(Prepare());
    Click(IDC_EXPORT_AVI);
    EXPECT_TRUE(Checked(IDC_EXPORT_AVI));
    EXPECT_FALSE(Checked(IDC_EXPORT_RAW) || Checked(IDC_EXPORT_MOV));
    for (int channel = 1; channel <= 16; ++channel)
        EXPECT_EQ(Enabled(ChannelBox(channel)), channel <= 4) << channel;
    EXPECT_TRUE(Enabled(IDC_EXPORT_MOSAIC));
    for (int id : kOverlayIds)
        EXPECT_TRUE(Enabled(id));
    Click(IDC_EXPORT_MOSAIC);
    Click(IDC_EXPORT_OVERLAY_GPS);
    Click(IDC_EXPORT_AVI);  // a second click keeps AVI
    EXPECT_TRUE(Checked(IDC_EXPORT_AVI));

    Click(IDC_EXPORT_MOV);
    EXPECT_TRUE(Checked(IDC_EXPORT_MOV));
    EXPECT_FALSE(Checked(IDC_EXPORT_AVI) || Checked(IDC_EXPORT_RAW));
    EXPECT_FALSE(Checked(IDC_EXPORT_MOSAIC) || Enabled(IDC_EXPORT_MOSAIC));
    EXPECT_FALSE(Enabled(IDC_EXPORT_MOSAIC_LABEL));
    EXPECT_TRUE(Enabled(ChannelBox(4)) && Checked(IDC_EXPORT_OVERLAY_GPS));

    Click(IDC_EXPORT_RAW);
    EXPECT_TRUE(Checked(IDC_EXPORT_RAW));
    EXPECT_FALSE(Checked(IDC_EXPORT_MOV) || Enabled(ChannelBox(1)));
    EXPECT_FALSE(Checked(IDC_EXPORT_OVERLAY_GPS) || Enabled(IDC_EXPORT_OVERLAY_GPS));
}

TEST_F(ExportDialog, ATrackbarCannotReachTheOther) {
    ASSERT_TRUE(Prepare());
    Slide(IDC_EXPORT_START_TRACK, 4);
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(PickerTime(IDC_EXPORT_START_PICKER), kBaseMinute + 120) << "entry 4, 10:47:12";
    Slide(IDC_EXPORT_END_TRACK, 4);
    EXPECT_EQ(TakeBoxes(), std::vector<std::wstring>{L"Illegal time selected!"});
    EXPECT_EQ(TrackPos(IDC_EXPORT_END_TRACK), 10) << "back to its entry";
    Slide(IDC_EXPORT_START_TRACK, 10);
    EXPECT_EQ(TakeBoxes(), std::vector<std::wstring>{L"Illegal time selected!"});
    EXPECT_EQ(TrackPos(IDC_EXPORT_START_TRACK), 4);
    EXPECT_EQ(PickerTime(IDC_EXPORT_START_PICKER), kBaseMinute + 120);
    // The end of a drag changes nothing.
    ::SendMessage(dlg->m_hWnd, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0),
                  LPARAM(Item(IDC_EXPORT_START_TRACK)));
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(ExportDialog, APickedTimeMovesItsTrackbarToTheFirstEntryFromThen) {
    // Wrapped, one entry a minute: 0xFFFFD at 10:45:42 ... entry 4 at 10:51:42.
    fakes::MakeTimeIndex(0xFFFFD, 7, uint32_t(kBase), 60);
    ASSERT_TRUE(Prepare());
    Pick(IDC_EXPORT_START_PICKER, kBaseMinute + 3 * 60);  // 10:48 -> entry 1 (10:48:42)
    EXPECT_TRUE(TakeBoxes().empty());
    EXPECT_EQ(TrackPos(IDC_EXPORT_START_TRACK), int(kIndexRingSize) + 1);
    Click(IDC_EXPORT_START);
    ASSERT_EQ(fakes::Player().ExtractRanges().size(), 1u);
    EXPECT_EQ(fakes::Player().ExtractRanges()[0].first, 4000u);

    Pick(IDC_EXPORT_END_PICKER, kBaseMinute + 3 * 60);
    EXPECT_EQ(TakeBoxes(), std::vector<std::wstring>{L"Illegal time selected!"});
    EXPECT_EQ(PickerTime(IDC_EXPORT_END_PICKER), kBaseMinute + 6 * 60) << "back to its time";
}

TEST_F(ExportDialog, StartRefusesWhatCannotBeExported) {
    struct Case {
        const char* what;
        std::function<void(ExportDialog&)> arrange;
        const wchar_t* box;
    } cases[] = {
        {"empty range",
         [](ExportDialog& t) {
             ::SendMessage(t.Item(IDC_EXPORT_START_TRACK), TBM_SETPOS, TRUE, 10);
         },
         L"Illegal time selected!"},
        {"no output", [](ExportDialog& t) { t.Click(IDC_EXPORT_AVI); },
         L"No target file is selected!"},
        {"folder blocked by a file",
         [](ExportDialog& t) {
             const std::string file = t.logDir + "/file";
             std::fclose(std::fopen(file.c_str(), "w"));
             ::SetWindowTextW(t.Item(IDC_EXPORT_DIR), Utf8ToWideString(file + "/out").c_str());
         },
         L"The target directory is not existed, try to create fail!"},
        {"folder name too long",
         [](ExportDialog& t) {
             ::SetWindowTextW(t.Item(IDC_EXPORT_DIR),
                              Utf8ToWideString(t.logDir + "/" + std::string(255, 'd')).c_str());
         },
         L"The target directory is not existed, try to create fail!"},
        {"no channel count", [](ExportDialog&) { fakes::Player().screenNum = -1; },
         L"Can not get channel number, extract fail!"},
        {"no sample bits", [](ExportDialog&) { fakes::Player().sampleBits = -1; },
         L"Can not get channel number, extract fail!"},
        {"entry unreadable", [](ExportDialog&) { fakes::Player().timeIndex.units.erase(1); },
         L"Start extract fail, please check the index data source!"},
        {"refused", [](ExportDialog&) { fakes::Player().startExtractResult = -1; },
         L"Start extract fail, please check the gop data source!"},
    };
    for (const Case& c : cases) {
        fakes::Install();
        fakes::MakeTimeIndex(1, 10, uint32_t(kBase), 30);
        ASSERT_TRUE(Prepare());
        ::SetWindowTextW(Item(IDC_EXPORT_DIR), Utf8ToWideString(logDir + "/out").c_str());
        c.arrange(*this);
        TakeBoxes();
        Click(IDC_EXPORT_START);
        EXPECT_EQ(TakeBoxes(), std::vector<std::wstring>{c.box}) << c.what;
        EXPECT_TRUE(Enabled(IDC_EXPORT_START)) << c.what;
        EXPECT_FALSE(dlg->IsExporting()) << c.what;
        EXPECT_FALSE(g_extractRun.IsActive()) << c.what;
    }
    EXPECT_NE(LogText().find("start extract fail."), std::string::npos);
}

TEST_F(ExportDialog, StartFillsTheRecordForEachOutputKind) {
    struct Case {
        const char* what;
        int kind;  // the output kind's box
        std::vector<int> boxes;
        std::vector<int> avi, mov;
        bool mosaic, raw, time, gps;
    } cases[] = {
        {"raw copy", IDC_EXPORT_RAW, {}, {}, {}, false, true, false, false},
        {"channel AVI and mosaic",
         IDC_EXPORT_AVI,
         {ChannelBox(1), ChannelBox(3), IDC_EXPORT_MOSAIC, IDC_EXPORT_OVERLAY_TIME,
          IDC_EXPORT_OVERLAY_GPS},
         {0, 2},
         {},
         true,
         false,
         true,
         true},
        {"mosaic only", IDC_EXPORT_AVI, {IDC_EXPORT_MOSAIC}, {}, {}, true, false, false, false},
        {"MOV", IDC_EXPORT_MOV, {ChannelBox(2)}, {}, {1}, false, false, false, false},
    };
    for (const Case& c : cases) {
        fakes::Install();
        fakes::MakeTimeIndex(1, 10, uint32_t(kBase), 30);
        fakes::Player().sampleRate = 22050;
        ASSERT_TRUE(Prepare());
        ::SetWindowTextW(Item(IDC_EXPORT_DIR), Utf8ToWideString(logDir + "/out/").c_str());
        Click(c.kind);
        for (int id : c.boxes)
            Click(id);
        Slide(IDC_EXPORT_START_TRACK, 2);
        Slide(IDC_EXPORT_END_TRACK, 9);
        Click(IDC_EXPORT_START);
        EXPECT_TRUE(TakeBoxes().empty()) << c.what;
        ASSERT_EQ(fakes::Player().ExtractRanges().size(), 1u) << c.what;
        EXPECT_EQ(fakes::Player().ExtractRanges()[0],
                  std::make_pair(uint64_t(2000), uint64_t(9000)));
        const ExtractParams& p = g_ExtractParams;
        EXPECT_EQ(p.numChannels, 4);
        EXPECT_EQ(p.audioRate, 22050);
        EXPECT_EQ(p.audioBits, 16);
        EXPECT_EQ(std::string(p.outputDir), logDir + "/out") << "created, without its '/'";
        for (int k = 0; k < 16; ++k) {
            const auto on = [k](const std::vector<int>& v) {
                return std::find(v.begin(), v.end(), k) != v.end();
            };
            EXPECT_EQ(p.aviOn[k] != 0, on(c.avi)) << c.what << " " << k;
            EXPECT_EQ(p.movOn[k] != 0, on(c.mov)) << c.what << " " << k;
        }
        EXPECT_EQ(p.mosaicOn != 0, c.mosaic) << c.what;
        EXPECT_EQ(p.rawOn != 0, c.raw) << c.what;
        EXPECT_EQ(p.osdDateTime != 0, c.time) << c.what;
        EXPECT_EQ(p.osdGps != 0, c.gps) << c.what;
        EXPECT_FALSE(p.osdSpeed || p.osdTemperature || p.osdVehicleId) << c.what;
        EXPECT_TRUE(dlg->IsExporting());
        EXPECT_FALSE(Enabled(IDC_EXPORT_START));
        OnExtractData(EXTRACT_STOPPED, 0, nullptr, 0, nullptr);
        Pump();
    }
    EXPECT_NE(LogText().find("start extract ok."), std::string::npos);
}

TEST_F(ExportDialog, TheFolderChooserFillsTheFolderBox) {
    ASSERT_TRUE(Prepare());
    std::wstring title;
    UINT flags = 0;
    SetFolderBrowserHook([&](const FolderBrowserRequest& r) {
        title = r.title;
        flags = r.flags;
        return FolderBrowserAnswer{FolderBrowserAnswer::Choose, Utf8ToWideString(logDir)};
    });
    Click(IDC_EXPORT_BROWSE);
    EXPECT_EQ(title, L" ");
    EXPECT_NE(flags & BIF_EDITBOX, 0u);
    EXPECT_EQ(Text(IDC_EXPORT_DIR), Utf8ToWideString(logDir));
    SetFolderBrowserHook([](const FolderBrowserRequest&) {
        return FolderBrowserAnswer{FolderBrowserAnswer::Cancel, {}};
    });
    Click(IDC_EXPORT_BROWSE);
    EXPECT_EQ(Text(IDC_EXPORT_DIR), Utf8ToWideString(logDir)) << "cancelled: unchanged";
    SetFolderBrowserHook(nullptr);
}

TEST_F(ExportDialog, EscapeClosesLikeCloseAndEnterDoesNothing) {
    ASSERT_TRUE(Prepare());
    ::SendMessage(dlg->m_hWnd, WM_COMMAND, IDOK, 0);
    Pump();
    EXPECT_TRUE(::IsWindow(dlg->m_hWnd));
    ::SendMessage(dlg->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    Pump();
    EXPECT_FALSE(::IsWindow(dlg->m_hWnd));
    EXPECT_TRUE(TakeBoxes().empty());
}
