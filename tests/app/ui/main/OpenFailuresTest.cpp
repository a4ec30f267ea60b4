// What the user is told when an open or a play does not lead where it should:
// names the library would refuse (checked before anything that plays is
// stopped), opens the library refuses, plays that fail and read errors.
#include <fstream>

#include "MainWindowFixture.h"
#include "app/controls/PrivateMessage.h"
#include "app/res/ResourceIds.h"
#include "app/ui/main/PlaybackGlobals.h"

namespace maintest {
namespace {

using Lines = std::vector<std::string>;

class OpenFailures : public OpenWindowFixture {
protected:
    std::wstring Title() {
        CString title;
        dlg.GetWindowText(title);
        return title.GetString();
    }
    // A pair whose data path takes `bytes` bytes in UTF-8.
    std::filesystem::path LongPair(std::size_t bytes) {
        const std::filesystem::path deep = folder / std::string(100, 'd');
        std::filesystem::create_directories(deep);
        const std::size_t used = deep.string().size() + 1;
        EXPECT_LT(used + 4, bytes);
        const std::string name = std::string(bytes - used - 4, 'n') + ".dvr";
        const std::filesystem::path data = deep / name;
        std::ofstream(data).put('d');
        std::filesystem::path index = data;
        std::ofstream(index.replace_extension(".inx")).put('i');
        EXPECT_EQ(data.string().size(), bytes);
        return data;
    }
};

TEST_F(OpenFailures, ANameTheOpenWouldRefuseLeavesTheRecordingPlaying) {
    StartPlaying();
    struct Case {
        std::string label;
        std::filesystem::path path;
        std::wstring box;
    } cases[] = {
        {"no index", MakeRecording("missing.dvr", ""), L"Error3"},
        {"other extension", MakeRecording("movie.avi", ".inx"), L"error2"},
        {"path of 260 bytes", LongPair(260),
         L"The path of the recording or of its index is too long (259 bytes at most)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fake->ClearLog();
        const std::size_t before = Boxes().size();
        OpenFile(c.path);
        ASSERT_EQ(Boxes().size(), before + 1);
        EXPECT_EQ(Boxes().back(), c.box);
        EXPECT_TRUE(Calls().empty()) << "nothing stopped";
        EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
        EXPECT_EQ(Status(), L"Playing");
        EXPECT_FALSE(g_bUserStop);
    }
}

TEST_F(OpenFailures, APathOf259BytesIsOpened) {
    const auto data = LongPair(259);
    OpenFile(data);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
}

TEST_F(OpenFailures, AnOpenTheLibraryRefusesSaysSo) {
    StartPlaying();
    fake->openResult = false;
    OpenFile(MakeRecording("unreadable.dvr", ".inx"));
    EXPECT_EQ(Calls().size(), 3u);  // stop, close, the refused open
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().back(), L"The recording could not be opened.");
    EXPECT_EQ(dlg.GetPlayState(), PLAY_IDLE);
    EXPECT_EQ(Status(), L"Ready");
    EXPECT_EQ(Title(), L"Marlowin");
}

TEST_F(OpenFailures, ARefusedDeviceSearchSaysSo) {
    fake->openResult = false;
    for (const auto& [command, box] : {std::pair{IDC_MAIN_SEARCH_HDD, L"open hdd fail!"},
                                       std::pair{IDC_MAIN_SEARCH_SD, L"open sd fail!"}}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(box)));
        Command(command);
        ASSERT_FALSE(Boxes().empty());
        EXPECT_EQ(Boxes().back(), box);
        EXPECT_EQ(dlg.GetPlayState(), PLAY_IDLE);
    }
}

TEST_F(OpenFailures, APlayRefusedAfterTheOpenSaysSoAndCanBeTriedAgain) {
    fake->Script(PLAY_CMD_PLAY, MSG_PLAY_FAILED);
    OpenFile(MakeRecording("first.dvr", ".inx"));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_OPENED);
    EXPECT_EQ(Status(), L"Playback could not start.");
    fake->ClearLog();
    Post(UM_PLAYBAR_PLAY);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 1 0"}));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_PLAYING);
    EXPECT_EQ(Status(), L"Playing");
}

TEST_F(OpenFailures, AReadErrorStopsPlaybackOnceAndSaysSo) {
    StartPlaying();
    for (int i = 0; i < 3; ++i)
        fake->Fire(MSG_READ_ERROR);  // the read thread tries again and again
    Settle();
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 8 0"}));
    EXPECT_EQ(dlg.GetPlayState(), PLAY_OPENED);
    EXPECT_EQ(Status(), L"Read error: playback stopped.");
    EXPECT_FALSE(g_bUserStop) << "the source stays open";
    fake->ClearLog();
    Post(UM_PLAYBAR_PLAY);
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 1 0"}));
    EXPECT_EQ(Status(), L"Playing");
    fake->Fire(MSG_READ_ERROR);
    Settle();
    EXPECT_EQ(Calls(), (Lines{"zPlayMSG 1 0", "zPlayMSG 8 0"})) << "a later error stops again";
}

}  // namespace
}  // namespace maintest
