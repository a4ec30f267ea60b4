// The export dialog over the real libraries: the bundled sample (one minute,
// four CIF channels, version 4) exported through libTrevane.so's extraction
// thread into libOskulo.so, and the files read back.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>

#include "app/WindowScreenshot.h"
#include "app/res/MarlowinResources.h"
#include "app/res/ResourceIds.h"
#include "app/shell/DailyLog.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/export/DateTimePicker.h"
#include "app/ui/export/ExportFileNames.h"
#include "app/ui/export/ExtractRun.h"
#include "platform/afx/Afx.h"
#include "platform/backend/HeadlessDisplay.h"
#include "shared/TextConvert.h"
#include "tests/export/support/AviReader.h"
#include "tests/export/support/InxFile.h"

namespace fs = std::filesystem;

namespace {

void OnMessage(int, int) {}
void OnError(int, DWORD, int) {}

class ExportEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RegisterMarlowinResources();
        SetDefaultLanguageTexts();
        ASSERT_TRUE(InitTrevaneLib(Utf8ToWideString(TREVANE_LIBRARY).c_str()));
        ASSERT_TRUE(
            Call_zInit(nullptr, OnMessage, nullptr, nullptr, nullptr, &OnExtractData, OnError));
        ASSERT_TRUE(InitzExtractLib(Utf8ToWideString(OSKULO_LIBRARY).c_str()));
        ASSERT_TRUE(
            Call_zOpen(OPENED_FILE_PAIR, DVR_SAMPLE_BASE ".dvr", DVR_SAMPLE_BASE ".inx", 0, 0));
    }

    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "export-e2e-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        fs::create_directories(dir_ / "root");
        setenv("DVR_ROOT", (dir_ / "root").c_str(), 1);
        g_dailyLog.SetLogDirectory(dir_.c_str());
        SetMessageBoxHook([this](const MessageBoxRequest& r) {
            // The last box of each case, as the user sees it.
            ::UpdateWindow(r.box);
            SaveWindowScreenshot(
                r.box, std::string(DVR_BUILD_DIR "/export_e2e_") +
                           testing::UnitTest::GetInstance()->current_test_info()->name() + ".png");
            std::lock_guard guard(lock_);
            boxes_.push_back(r.text);
            return IDOK;
        });
        dlg_ = std::make_unique<CDateTimePicker>();
        ASSERT_TRUE(dlg_->Create(IDD_EXPORT));
        ASSERT_TRUE(dlg_->PrepareForSource());
        ::SetWindowTextW(::GetDlgItem(dlg_->m_hWnd, IDC_EXPORT_DIR),
                         Utf8ToWideString((dir_ / "out").string()).c_str());
    }

    void TearDown() override {
        dlg_->DestroyWindow();
        SetMessageBoxHook(nullptr);
        g_dailyLog.SetLogDirectory(nullptr);
        unsetenv("DVR_ROOT");
        fs::remove_all(dir_);
    }

    void Click(int id) { ::SendMessage(::GetDlgItem(dlg_->m_hWnd, id), BM_CLICK, 0, 0); }

    // START, then the dialog's messages served until the result's box (a
    // reaper of 240 s real time, room for an instrumented build, keeps a broken
    // extraction from hanging; the test's own time-out is 300 s).
    std::vector<std::wstring> Export() {
        Click(IDC_EXPORT_START);
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(240);
        while (std::chrono::steady_clock::now() < limit) {
            MSG msg{};
            while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessage(&msg);
            if (!dlg_->IsExporting())
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        std::lock_guard guard(lock_);
        return std::exchange(boxes_, {});
    }

    // The result box of a completed export: the text, then each file.
    static std::wstring Completed(const std::vector<fs::path>& files) {
        std::wstring text = L"Extracting completed!";
        for (const fs::path& file : files)
            text += L"\n" + Utf8ToWideString(file.string());
        return text;
    }

    // The names the export gives, from the sample's first GOP time.
    std::string Stem() const {
        InxUnit first{};
        InxHd header{};
        Call_zTellTimeInxHd(&header);
        Call_zTellTimeInxUnit(int(header.first), &first);
        return "SAMPLE-01_" + ExportTimeText(first.time);
    }

    fs::path dir_;
    HeadlessDisplay display_{800, 600, RGB(1, 1, 1)};
    std::unique_ptr<CDateTimePicker> dlg_;
    std::mutex lock_;
    std::vector<std::wstring> boxes_;  // guarded by lock_
};

}  // namespace

TEST_F(ExportEndToEnd, AChannelAndTheMosaicAsAvi) {
    Click(IDC_EXPORT_AVI);
    Click(IDC_EXPORT_CHANNEL_FIRST);
    Click(IDC_EXPORT_MOSAIC);
    Click(IDC_EXPORT_OVERLAY_TIME);
    const fs::path channel = dir_ / "out" / ("AVI_" + Stem() + "_ch1_352X288@25fps.avi");
    const fs::path mosaic = dir_ / "out" / ("AVI_" + Stem() + "_ch_all.avi");
    EXPECT_EQ(Export(), std::vector<std::wstring>{Completed({channel, mosaic})});
    ASSERT_TRUE(fs::exists(channel)) << channel;
    ASSERT_TRUE(fs::exists(mosaic)) << mosaic;
    const AviContents ch1 = ReadAvi(channel.string());
    ASSERT_TRUE(ch1.opened);
    EXPECT_EQ(ch1.width, 352);
    EXPECT_EQ(ch1.height, 288);
    EXPECT_NEAR(ch1.videoSeconds, 60.0, 1.5);
    EXPECT_GE(ch1.pictures.size(), 59u * 25);
    EXPECT_GT(ch1.decodedAudioSamples, 0);
    const AviContents all = ReadAvi(mosaic.string());
    ASSERT_TRUE(all.opened);
    EXPECT_EQ(all.width, 1280) << "four channels compose into 1280x720";
    EXPECT_EQ(all.height, 720);
    EXPECT_NEAR(all.videoSeconds, 60.0, 1.5);
    EXPECT_FALSE(fs::exists(dir_ / "root" / "temp_1.avi")) << "renamed to its final name";
}

TEST_F(ExportEndToEnd, ARawCopyIsAPairThatCoversTheRange) {
    const fs::path dvr = dir_ / "out" / (Stem() + ".dvr");
    const fs::path inx = dir_ / "out" / (Stem() + ".inx");
    EXPECT_EQ(Export(), std::vector<std::wstring>{Completed({dvr, inx})});
    ASSERT_TRUE(fs::exists(dvr)) << dvr;
    std::vector<InxUnit> entries;
    const InxHd header = ReadInxFile(inx, &entries);
    EXPECT_EQ(header.magic, kInxMagic);
    EXPECT_EQ(header.first, 1u);
    // One entry per 120 GOPs, then the end mark with the copy's size.
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(header.last, 2u);
    EXPECT_EQ(entries[0].offset, 0u);
    EXPECT_EQ(entries[1].offset, fs::file_size(dvr));
    EXPECT_EQ(fs::file_size(dvr), fs::file_size(DVR_SAMPLE_BASE ".dvr")) << "the whole minute";

    // The same range again: the first copy stays, the second takes the next
    // free names and the box says so.
    const auto firstSize = fs::file_size(dvr);
    const fs::path dvr2 = dir_ / "out" / (Stem() + "_2.dvr");
    const fs::path inx2 = dir_ / "out" / (Stem() + "_2.inx");
    EXPECT_EQ(Export(), std::vector<std::wstring>{Completed({dvr2, inx2})});
    EXPECT_EQ(fs::file_size(dvr), firstSize);
    EXPECT_EQ(fs::file_size(dvr2), firstSize);
    EXPECT_EQ(ReadInxFile(inx2, &entries).last, 2u);
}

TEST_F(ExportEndToEnd, AChannelAsMovWithSubtitles) {
    Click(IDC_EXPORT_MOV);
    Click(IDC_EXPORT_CHANNEL_FIRST + 1);
    Click(IDC_EXPORT_OVERLAY_SPEED);
    const std::string base = (dir_ / "out" / ("MOV_" + Stem() + "_ch2_352X288@25fps")).string();
    EXPECT_EQ(Export(), std::vector<std::wstring>{Completed({base + ".mov", base + ".ssa"})});
    ASSERT_TRUE(fs::exists(base + ".mov")) << base;
    const AviContents mov = ReadAvi(base + ".mov");
    ASSERT_TRUE(mov.opened);
    EXPECT_EQ(mov.width, 352);
    EXPECT_NEAR(mov.videoSeconds, 60.0, 1.5);
    std::FILE* f = std::fopen((base + ".ssa").c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::string ssa(size_t(fs::file_size(base + ".ssa")), '\0');
    EXPECT_EQ(std::fread(ssa.data(), 1, ssa.size(), f), ssa.size());
    std::fclose(f);
    EXPECT_NE(ssa.find("Dialogue:"), std::string::npos);
    EXPECT_NE(ssa.find("km/h"), std::string::npos) << "the speed overlay";
}
