// End to end: the main window's tool dialogs on a real X server with the real
// libraries. With the bundled sample playing, its minute is exported through
// the export dialog in every output kind and the files are read back; the
// find dialog seeks the playback by a picked time, and on a recorder card
// (an image named by a drive table) to a row of its event index.
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "EndToEndFixture.h"
#include "app/WindowScreenshot.h"
#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/CalendarTime.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/export/ExportFileNames.h"
#include "platform/disk/DriveTableFile.h"
#include "platform/user/ListViewControl.h"
#include "shared/TextConvert.h"
#include "tests/export/support/AviReader.h"
#include "tests/export/support/InxFile.h"
#include "tools/diskimage/SdImage.h"

namespace maine2e {
namespace {

constexpr int kExportLimitMs = 120000;

class DialogsEndToEnd : public EndToEnd {
protected:
    DialogsEndToEnd() {
        fs::create_directories(out_ / "root");
        setenv("DVR_ROOT", (out_ / "root").c_str(), 1);
    }
    ~DialogsEndToEnd() override {
        g_nAutoReplay = 0;
        unsetenv("DVR_ROOT");
        unsetenv(kDriveTableVariable);
    }

    void Click(CWnd& dialog, int id) {
        ::SendMessage(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
        Pump();
    }
    // The play bar's export button: the dialog shows, prepared for the sample.
    void OpenExportDialog() {
        Post(UM_PLAYBAR_EXPORT);
        ASSERT_TRUE(WaitFor([&] { return dlg.m_dlgExport.IsWindowVisible() != FALSE; }, 3000));
    }
    // START with `clicks` made first, into `folder`; true when the export
    // said it completed.
    bool Export(const std::vector<int>& clicks, const fs::path& folder) {
        CDateTimePicker& exporter = dlg.m_dlgExport;
        ::SetWindowTextW(::GetDlgItem(exporter, IDC_EXPORT_DIR), folder.wstring().c_str());
        for (const int id : clicks)
            Click(exporter, id);
        const size_t boxes = Boxes().size();
        Click(exporter, IDC_EXPORT_START);
        EXPECT_TRUE(exporter.IsExporting());
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(exporter, IDC_EXPORT_START)))
            << "START waits for the end of the extraction";
        const bool ended = WaitFor([&] { return !exporter.IsExporting(); }, kExportLimitMs);
        EXPECT_TRUE(ended);
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(exporter, IDC_EXPORT_START)));
        const std::vector<std::wstring> shown = Boxes();
        return ended && shown.size() == boxes + 1 &&
               shown.back().starts_with(L"Extracting completed!");
    }
    // The names the export gives, from the sample's first GOP time.
    static std::string Stem() {
        InxHd header{};
        InxUnit first{};
        Call_zTellTimeInxHd(&header);
        Call_zTellTimeInxUnit(int(header.first), &first);
        return "SAMPLE-01_" + ExportTimeText(first.time);
    }
    static InxUnit Entry(int index) {
        InxUnit unit{};
        Call_zTellTimeInxUnit(index, &unit);
        return unit;
    }

    TempDir outDir_;
    const fs::path out_ = outDir_.Path();
};

TEST_F(DialogsEndToEnd, TheSamplesMinuteIsExportedInEveryKindWhilePlaying) {
    // The three exports can outlast the sample's minute on a slow or loaded
    // machine: played again from its start at its end, it plays through all.
    g_nAutoReplay = 1;
    OpenSample();
    struct Case {
        const char* name;
        std::vector<int> clicks;
        std::function<void(const fs::path&)> check;
    };
    const Case cases[] = {
        {"raw copy",
         {IDC_EXPORT_RAW},
         [](const fs::path& folder) {
             const fs::path dvr = folder / (Stem() + ".dvr");
             std::vector<InxUnit> entries;
             const InxHd header = ReadInxFile(folder / (Stem() + ".inx"), &entries);
             ASSERT_TRUE(fs::exists(dvr)) << dvr;
             EXPECT_EQ(header.magic, kInxMagic);
             ASSERT_FALSE(entries.empty());
             EXPECT_EQ(entries.back().offset, fs::file_size(dvr));
             EXPECT_EQ(fs::file_size(dvr), fs::file_size(DVR_SAMPLE)) << "the whole minute";
         }},
        {"a channel and the mosaic as AVI",
         {IDC_EXPORT_AVI, IDC_EXPORT_CHANNEL_FIRST, IDC_EXPORT_MOSAIC},
         [](const fs::path& folder) {
             const AviContents channel =
                 ReadAvi((folder / ("AVI_" + Stem() + "_ch1_352X288@25fps.avi")).string());
             ASSERT_TRUE(channel.opened);
             EXPECT_EQ(channel.width, 352);
             EXPECT_NEAR(channel.videoSeconds, 60.0, 1.5);
             EXPECT_GE(channel.pictures.size(), 59u * 25);
             const AviContents mosaic =
                 ReadAvi((folder / ("AVI_" + Stem() + "_ch_all.avi")).string());
             ASSERT_TRUE(mosaic.opened);
             EXPECT_EQ(mosaic.width, 1280);
             EXPECT_EQ(mosaic.height, 720);
             EXPECT_NEAR(mosaic.videoSeconds, 60.0, 1.5);
         }},
        {"a channel as MOV with subtitles",
         {IDC_EXPORT_MOV, IDC_EXPORT_CHANNEL_FIRST + 1, IDC_EXPORT_OVERLAY_SPEED},
         [](const fs::path& folder) {
             const std::string base = (folder / ("MOV_" + Stem() + "_ch2_352X288@25fps")).string();
             const AviContents mov = ReadAvi(base + ".mov");
             ASSERT_TRUE(mov.opened);
             EXPECT_EQ(mov.width, 352);
             EXPECT_NEAR(mov.videoSeconds, 60.0, 1.5);
             ASSERT_TRUE(fs::exists(base + ".ssa"));
             std::string ssa(size_t(fs::file_size(base + ".ssa")), '\0');
             std::FILE* f = std::fopen((base + ".ssa").c_str(), "rb");
             ASSERT_NE(f, nullptr);
             EXPECT_EQ(std::fread(ssa.data(), 1, ssa.size(), f), ssa.size());
             std::fclose(f);
             EXPECT_NE(ssa.find("Dialogue:"), std::string::npos);
             EXPECT_NE(ssa.find("km/h"), std::string::npos) << "the speed overlay";
         }},
    };
    bool screenshot = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OpenExportDialog();
        if (!screenshot) {
            Run(300);
            EXPECT_TRUE(
                SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e_export.png"));
            screenshot = true;
        }
        const fs::path folder = out_ / c.name;
        ASSERT_TRUE(Export(c.clicks, folder));
        c.check(folder);
        Click(dlg.m_dlgExport, IDC_EXPORT_CLOSE);
        EXPECT_FALSE(::IsWindow(dlg.m_dlgExport.m_hWnd));
    }
    // Still playing, or playing again at once after an end in between.
    EXPECT_TRUE(WaitForStatus(L"Playing"))
        << "the exports left the status at "
        << WideToUtf8String(dlg.m_stStatus.GetText().GetString());
}

TEST_F(DialogsEndToEnd, FindByTimeSeeksThePlaybackToThePickedMinute) {
    OpenSample();
    ASSERT_LT(dlg.m_sliderSeek.GetPos(), 30);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDM_FIND_AND_PLAY, 0), 0);
    ASSERT_NE(dlg.m_pFindLocateDlg, nullptr);
    CFindLocateDlg& find = *dlg.m_pFindLocateDlg;
    ASSERT_TRUE(WaitFor([&] { return find.IsWindowVisible() && !find.IsListRunning(); }, 5000));
    EXPECT_GT(::SendMessage(::GetDlgItem(find, IDC_FIND_LIST), LVM_GETITEMCOUNT, 0, 0), 0);
    Run(300);
    EXPECT_TRUE(SaveWindowScreenshot(dlg.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e_find.png"));

    // The sample's entries are a second apart from a whole minute plus
    // 20 s: the next whole minute lies 40 s in, two thirds of the way.
    InxHd header{};
    ASSERT_TRUE(Call_zTellTimeInxHd(&header));
    const InxUnit first = Entry(int(header.first));
    const int64_t minute = (int64_t(first.time) / 60 + 1) * 60;
    ASSERT_LT(minute - first.time, 60);
    const SYSTEMTIME picked = CalendarTimeOf(minute);
    ::SendMessage(::GetDlgItem(find, IDC_FIND_TIME_PICKER), DTM_SETSYSTEMTIME, GDT_VALID,
                  LPARAM(&picked));
    Click(find, IDC_FIND_TIME_BUTTON);
    EXPECT_FALSE(find.IsWindowVisible()) << "a seek hides the dialog";
    const int expected = int((minute - first.time) * 100 / 60);
    EXPECT_TRUE(WaitFor([&] { return dlg.m_sliderSeek.GetPos() >= expected - 3; }, 5000))
        << dlg.m_sliderSeek.GetPos() << " wanted about " << expected;
    EXPECT_TRUE(WaitForStatus(L"Playing"));
    EXPECT_TRUE(Boxes().empty());
}

// A card of a minute's GOPs, one a second, every tenth with an event.
class CardEndToEnd : public DialogsEndToEnd {
protected:
    void InsertCard() {
        diskimage::SdImageOptions card;
        card.imagePath = (out_ / "card.img").string();
        card.cardSize = card.indexOffset + diskimage::kSdAreasSize + 4 * diskimage::kMiB;
        card.plan.count = 60;
        card.plan.eventEvery = 10;
        recording_ = diskimage::WriteSdImage(card);
        DriveTable table;
        table.physical.push_back({kCardNumber, card.imagePath, true});
        const std::string tablePath = (out_ / "drives").string();
        ASSERT_TRUE(WriteDriveTableFile(tablePath, table));
        setenv(kDriveTableVariable, tablePath.c_str(), 1);
    }
    // A double click on `row` of the find dialog's list.
    static void DoubleClickRow(CFindLocateDlg& find, int row) {
        NMITEMACTIVATE activate{};
        activate.hdr.hwndFrom = ::GetDlgItem(find, IDC_FIND_LIST);
        activate.hdr.idFrom = IDC_FIND_LIST;
        activate.hdr.code = NM_DBLCLK;
        activate.iItem = row;
        find.SendMessage(WM_NOTIFY, IDC_FIND_LIST, LPARAM(&activate));
    }

    static constexpr DWORD kCardNumber = 5;
    diskimage::Recording recording_;
};

TEST_F(CardEndToEnd, FindByEventSeeksThePlaybackToTheEventsPosition) {
    InsertCard();
    ASSERT_TRUE(dlg.Create(IDD_MAIN));
    AfxSetMainWnd(&dlg);
    dlg.ShowWindow(SW_SHOW);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAIN_SEARCH_SD, 0), 0);
    ASSERT_TRUE(WaitForStatus(L"Opened", 10000));
    // The generated card's GOPs hold no real pictures, so playback runs
    // through them at once; the find dialog's seek starts playback itself.

    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDM_FIND_AND_PLAY, 0), 0);
    ASSERT_NE(dlg.m_pFindLocateDlg, nullptr);
    CFindLocateDlg& find = *dlg.m_pFindLocateDlg;
    ASSERT_TRUE(::IsWindowEnabled(::GetDlgItem(find, IDC_FIND_EVENT_INDEX)));
    // A choice clicked while the first list loads would be undone.
    ASSERT_TRUE(WaitFor([&] { return !find.IsListRunning(); }, 5000));
    Click(find, IDC_FIND_EVENT_INDEX);
    ASSERT_EQ(find.GetCurrentChoice(), IDC_FIND_EVENT_INDEX);
    auto* list = static_cast<CListCtrl*>(find.GetDlgItem(IDC_FIND_LIST));
    ASSERT_TRUE(WaitFor([&] { return !find.IsListRunning() && list->GetItemCount() > 0; }, 5000));
    EXPECT_EQ(list->GetItemCount(), recording_.eventCount);
    Run(300);
    EXPECT_TRUE(SaveWindowScreenshot(find.GetSafeHwnd(), DVR_BUILD_DIR "/marlowin_e2e_events.png"));

    const int row = list->GetItemCount() - 1;
    const uint64_t position = std::wcstoull(list->GetItemText(row, 1).GetString(), nullptr, 10);
    ASSERT_GT(position, 0u);
    DoubleClickRow(find, row);
    EXPECT_FALSE(find.IsWindowVisible()) << "a seek hides the dialog";
    // Playback goes on from the event's GOP.
    EXPECT_TRUE(WaitFor([&] { return uint64_t(Call_zTellp()) >= position; }, 5000))
        << Call_zTellp() << " wanted " << position;
}

}  // namespace
}  // namespace maine2e
