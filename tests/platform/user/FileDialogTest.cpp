#include "platform/user/FileDialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "Reaper.h"
#include "TestWindows.h"
#include "platform/user/CommonDialogControls.h"
#include "platform/user/RowScrollBar.h"
#include "shared/TextConvert.h"

namespace {

// The program's filter in the framework's syntax, with '|' made nulls.
std::wstring ProgramFilter() {
    std::wstring f = L"Dvr Files (*.dvr)|*.dvr|*.DVR|All Files (*.*)|*.*||";
    for (wchar_t& c : f)
        if (c == L'|')
            c = 0;
    return f;
}

TEST(FileFilters, PairsAndPatterns) {
    const std::wstring list = ProgramFilter();
    const std::vector<FileFilter> filters = ParseFilterList(list.c_str());
    ASSERT_EQ(filters.size(), 2u) << "the last description has no patterns";
    EXPECT_EQ(filters[0].description, L"Dvr Files (*.dvr)");
    EXPECT_EQ(filters[0].patterns, L"*.dvr");
    EXPECT_EQ(filters[1].description, L"*.DVR");
    EXPECT_EQ(filters[1].patterns, L"All Files (*.*)");
    struct Case {
        const wchar_t* name;
        const wchar_t* patterns;
        bool matches;
    } cases[] = {
        {L"a.dvr", L"*.dvr", true},      {L"A.DVR", L"*.dvr", true},
        {L"a.dvr.inx", L"*.dvr", false}, {L"a.inx", L"*.jpg; *.inx", true},
        {L"noext", L"*.*", true},        {L"ab.c", L"a?.c", true},
        {L"abc.c", L"a?.c", false},      {L"x.dvr", L"All Files (*.*)", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesPatterns(c.name, c.patterns), c.matches)
            << WideToUtf8String(c.name) << " " << WideToUtf8String(c.patterns);
}

class FileDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/filedialog-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = Utf8ToWideString(pattern);
        for (const wchar_t* name : {L"a.dvr", L"B.DVR", L"c.inx", L"d\u00e9j\u00e0.dvr"})
            std::ofstream(WideToUtf8String(dir_ + L"/" + name)) << "x";
        std::filesystem::create_directory(WideToUtf8String(dir_ + L"/sub dir"));
        filter_ = ProgramFilter();
        ofn_ = OPENFILENAMEW{};
        ofn_.lStructSize = sizeof ofn_;
        ofn_.lpstrFilter = filter_.c_str();
        ofn_.lpstrFile = file_;
        ofn_.nMaxFile = 260;
        ofn_.lpstrFileTitle = title_;
        ofn_.nMaxFileTitle = 64;
        ofn_.lpstrInitialDir = dir_.c_str();
        ofn_.lpstrDefExt = L"dvr";
        ofn_.Flags = OFN_NOCHANGEDIR;
        wcscpy(file_, L"*.dvr");
    }
    void TearDown() override {
        SetFileDialogHook(nullptr);
        SetMessageBoxHook(nullptr);
        std::filesystem::remove_all(WideToUtf8String(dir_));
    }
    // Answers the dialog with `answers` in turn; records what it was shown.
    void Answer(std::vector<std::function<FileDialogAnswer(const FileDialogRequest&)>> answers) {
        answers_ = std::move(answers);
        SetFileDialogHook([this](const FileDialogRequest& r) {
            requests_.push_back(r);
            return requests_.size() <= answers_.size()
                       ? answers_[requests_.size() - 1](r)
                       : FileDialogAnswer{FileDialogAnswer::Cancel, L"", 0};
        });
    }
    static std::function<FileDialogAnswer(const FileDialogRequest&)> Open(std::wstring name,
                                                                          size_t filter = 0) {
        return [name, filter](const FileDialogRequest&) {
            return FileDialogAnswer{FileDialogAnswer::Open, name, filter};
        };
    }

    Reaper reaper_;
    TestWindows windows_;
    std::wstring dir_, filter_;
    wchar_t file_[260] = {};
    wchar_t title_[64] = {};
    OPENFILENAMEW ofn_{};
    std::vector<std::function<FileDialogAnswer(const FileDialogRequest&)>> answers_;
    std::vector<FileDialogRequest> requests_;
};

TEST_F(FileDialogs, ShowsTheFolderFilteredAndTakesANameWithTheDefaultExtension) {
    Answer({Open(L"a")});
    ASSERT_TRUE(GetOpenFileNameW(&ofn_));
    ASSERT_EQ(requests_.size(), 1u);
    const FileDialogRequest& r = requests_[0];
    EXPECT_EQ(r.title, L"Open");
    EXPECT_EQ(r.folder, dir_);
    EXPECT_EQ(r.name, L"*.dvr") << "the initial name";
    EXPECT_EQ(r.defaultExtension, L"dvr");
    EXPECT_EQ(r.filters.size(), 2u);
    const std::vector<std::wstring> listed = {L"[..]", L"[sub dir]", L"a.dvr", L"B.DVR",
                                              L"d\u00e9j\u00e0.dvr"};
    EXPECT_EQ(r.listed, listed);
    EXPECT_EQ(std::wstring(file_), dir_ + L"/a.dvr");
    EXPECT_EQ(std::wstring(title_), L"a.dvr");
    EXPECT_EQ(file_[ofn_.nFileOffset], L'a');
    EXPECT_EQ(std::wstring(file_ + ofn_.nFileExtension), L"dvr");
    EXPECT_EQ(ofn_.nFilterIndex, 1u);
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialogs, PatternsFilterFoldersAreEnteredAndFiltersChosen) {
    Answer({Open(L"*.INX"), Open(L"sub dir"), Open(L"new.dvr", 2)});
    ASSERT_TRUE(GetOpenFileNameW(&ofn_));
    ASSERT_EQ(requests_.size(), 3u);
    EXPECT_EQ(requests_[1].listed, (std::vector<std::wstring>{L"[..]", L"[sub dir]", L"c.inx"}));
    EXPECT_EQ(requests_[2].folder, dir_ + L"/sub dir");
    EXPECT_EQ(std::wstring(file_), dir_ + L"/sub dir/new.dvr") << "need not exist without flags";
    EXPECT_EQ(ofn_.nFilterIndex, 2u) << "the filter chosen on the way";
}

TEST_F(FileDialogs, TheSecondFilterOfTheProgramsListShowsOnlyFolders) {
    // Its patterns are the text "All Files (*.*)", which no file name matches.
    Answer({Open(L"*.*", 2), [](const FileDialogRequest&) {
                return FileDialogAnswer{FileDialogAnswer::Cancel, L"", 0};
            }});
    EXPECT_FALSE(GetOpenFileNameW(&ofn_));
    ASSERT_EQ(requests_.size(), 2u);
    EXPECT_EQ(requests_[1].filterIndex, 1u);
    EXPECT_EQ(requests_[1].listed,
              (std::vector<std::wstring>{L"[..]", L"[sub dir]", L"a.dvr", L"B.DVR", L"c.inx",
                                         L"d\u00e9j\u00e0.dvr"}))
        << "the pattern typed afterwards decides";
}

TEST_F(FileDialogs, AMissingFileIsReportedWhenItMustExist) {
    ofn_.Flags |= OFN_FILEMUSTEXIST;
    std::wstring reported;
    SetMessageBoxHook([&](const MessageBoxRequest& r) {
        reported = r.text;
        return IDOK;
    });
    Answer({Open(L"missing"), [](const FileDialogRequest&) {
                return FileDialogAnswer{FileDialogAnswer::Cancel, L"", 0};
            }});
    EXPECT_FALSE(GetOpenFileNameW(&ofn_));
    EXPECT_EQ(CommDlgExtendedError(), 0u) << "a cancel is no error";
    EXPECT_EQ(reported.substr(0, reported.find(L'\n')), dir_ + L"/missing.dvr");
    EXPECT_EQ(requests_.size(), 2u) << "the dialog stayed after the message";
}

TEST_F(FileDialogs, ABufferTooSmallFails) {
    ofn_.nMaxFile = 8;
    Answer({Open(L"a.dvr")});
    EXPECT_FALSE(GetOpenFileNameW(&ofn_));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
}

TEST_F(FileDialogs, WithoutNoChangeDirTheFolderBecomesCurrent) {
    const std::filesystem::path before = std::filesystem::current_path();
    ofn_.Flags = 0;
    Answer({Open(L"sub dir"), Open(L"x")});
    EXPECT_TRUE(GetOpenFileNameW(&ofn_));
    const std::filesystem::path now = std::filesystem::current_path();
    std::filesystem::current_path(before);
    EXPECT_EQ(Utf8ToWideString(now.string()), dir_ + L"/sub dir");
}

TEST_F(FileDialogs, TheUserPicksAFileWithTheMouseAndEnter) {
    Answer({[](const FileDialogRequest& r) {
        HWND list = GetWindow(r.dialog, GW_CHILD);
        while (list != nullptr && SendMessage(list, LB_GETCOUNT, 0, 0) != LRESULT(r.listed.size()))
            list = GetWindow(list, GW_HWNDNEXT);
        RECT row{};
        SendMessage(list, LB_GETITEMRECT, 3, LPARAM(&row));  // B.DVR
        POINT p{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
        ClientToScreen(list, &p);
        InjectMouseButton(MouseButton::Left, true, p);
        InjectMouseButton(MouseButton::Left, false, p);
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
        return FileDialogAnswer{FileDialogAnswer::Leave, L"", 0};
    }});
    ASSERT_TRUE(GetOpenFileNameW(&ofn_));
    EXPECT_EQ(std::wstring(file_), dir_ + L"/B.DVR");
}

TEST_F(FileDialogs, AWorkerThreadRunsItsOwnDialog) {
    HWND owner = windows_.Top(0, 0, 200, 100);
    ofn_.hwndOwner = owner;
    bool ownerEnabled = false, onWorker = false;
    std::thread::id worker;
    std::mutex started;
    SetFileDialogHook([&](const FileDialogRequest&) {
        std::lock_guard lock(started);  // `worker` is set
        ownerEnabled = IsWindowEnabled(owner) != FALSE;
        onWorker = std::this_thread::get_id() == worker;
        return FileDialogAnswer{FileDialogAnswer::Open, L"c.inx", 0};
    });
    BOOL result = FALSE;
    std::unique_lock lock(started);
    std::thread t([&] { result = GetOpenFileNameW(&ofn_); });
    worker = t.get_id();
    lock.unlock();
    t.join();
    EXPECT_TRUE(result);
    EXPECT_TRUE(onWorker);
    EXPECT_TRUE(ownerEnabled) << "an owner of another thread is left alone";
    EXPECT_EQ(std::wstring(file_), dir_ + L"/c.inx");
}

}  // namespace

// A folder longer than the list: a scroll bar on its right, which pages when
// pressed below its thumb, and the wheel scrolls three lines a notch.
TEST_F(FileDialogs, TheFileListScrollsByItsBarAndTheWheel) {
    for (int i = 0; i < 30; ++i)
        std::ofstream(WideToUtf8String(dir_ + L"/clip" + std::to_wstring(10 + i) + L".dvr")) << "x";
    std::vector<int> tops;
    RECT client{};
    Answer({[&](const FileDialogRequest& r) {
        HWND list = GetDlgItem(r.dialog, 1002);
        const auto top = [list] {
            RECT row{};
            SendMessage(list, LB_GETITEMRECT, 0, LPARAM(&row));
            return int(row.top);
        };
        GetClientRect(list, &client);
        tops.push_back(top());
        SendMessage(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
        tops.push_back(top());
        SendMessage(list, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
        tops.push_back(top());
        const LPARAM belowThumb = MAKELPARAM(client.right - 4, client.bottom - 4);
        SendMessage(list, WM_LBUTTONDOWN, MK_LBUTTON, belowThumb);
        SendMessage(list, WM_LBUTTONUP, 0, belowThumb);
        tops.push_back(top());
        RECT row{};
        SendMessage(list, LB_GETITEMRECT, 0, LPARAM(&row));
        EXPECT_LE(row.right, client.right - kRowScrollBarWidth) << "rows leave the bar free";
        return FileDialogAnswer{FileDialogAnswer::Cancel, L"", 0};
    }});
    EXPECT_FALSE(GetOpenFileNameW(&ofn_));
    const int row = 16;  // the choice list's line height
    ASSERT_EQ(tops.size(), 4u);
    EXPECT_EQ(tops[1], tops[0] - 3 * row) << "a notch down";
    EXPECT_EQ(tops[2], tops[0]) << "and back up";
    EXPECT_LT(tops[3], tops[0] - 3 * row) << "a page down";
}
