#include "platform/user/FolderBrowser.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "Reaper.h"
#include "TestWindows.h"
#include "platform/user/CommonDialogControls.h"
#include "shared/TextConvert.h"

namespace {

class FolderBrowsers : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/folderbrowser-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = Utf8ToWideString(pattern);
        std::filesystem::create_directories(WideToUtf8String(dir_ + L"/log dir/inner"));
        std::filesystem::create_directory(WideToUtf8String(dir_ + L"/\u56fe\u7247"));
        root_ = ILCreateFromPathW(dir_.c_str());
        info_ = BROWSEINFOW{};
        info_.pidlRoot = root_;
        info_.pszDisplayName = name_;
        info_.lpszTitle = L"Choose the log folder";
        info_.ulFlags = BIF_EDITBOX;
    }
    void TearDown() override {
        SetFolderBrowserHook(nullptr);
        CoTaskMemFree(root_);
        std::filesystem::remove_all(WideToUtf8String(dir_));
    }
    void Answer(std::vector<FolderBrowserAnswer> answers) {
        answers_ = std::move(answers);
        SetFolderBrowserHook([this](const FolderBrowserRequest& r) {
            requests_.push_back(r);
            return requests_.size() <= answers_.size()
                       ? answers_[requests_.size() - 1]
                       : FolderBrowserAnswer{FolderBrowserAnswer::Cancel, L""};
        });
    }
    std::wstring PathOf(PIDLIST_ABSOLUTE list) {
        wchar_t path[MAX_PATH] = {};
        EXPECT_TRUE(SHGetPathFromIDListW(list, path));
        IMalloc* shell = nullptr;
        EXPECT_EQ(SHGetMalloc(&shell), S_OK);
        shell->Free(list);
        shell->Release();
        return path;
    }

    Reaper reaper_;
    TestWindows windows_;
    std::wstring dir_;
    PIDLIST_ABSOLUTE root_ = nullptr;
    wchar_t name_[MAX_PATH] = {};
    BROWSEINFOW info_{};
    std::vector<FolderBrowserAnswer> answers_;
    std::vector<FolderBrowserRequest> requests_;
};

TEST_F(FolderBrowsers, ATypedPathRelativeToTheFolderShown) {
    Answer({{FolderBrowserAnswer::Choose, L"log dir"}});
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info_);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(PathOf(chosen), dir_ + L"/log dir");
    EXPECT_STREQ(name_, L"log dir");
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].title, L"Choose the log folder");
    EXPECT_EQ(requests_[0].folder, dir_);
    EXPECT_EQ(requests_[0].listed, (std::vector<std::wstring>{L"[log dir]", L"[\u56fe\u7247]"}));
}

TEST_F(FolderBrowsers, ANameThatIsNoFolderKeepsTheBrowserOpen) {
    Answer({{FolderBrowserAnswer::Choose, L"no such folder"},
            {FolderBrowserAnswer::Choose, dir_ + L"/\u56fe\u7247"}});
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info_);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(requests_.size(), 2u);
    EXPECT_EQ(PathOf(chosen), dir_ + L"/\u56fe\u7247");
}

TEST_F(FolderBrowsers, CancelGivesNothing) {
    Answer({{FolderBrowserAnswer::Cancel, L""}});
    EXPECT_EQ(SHBrowseForFolderW(&info_), nullptr);
    EXPECT_EQ(requests_.size(), 1u);
}

TEST_F(FolderBrowsers, TheUserEntersAFolderByDoubleClickAndTakesIt) {
    info_.ulFlags = 0;  // no path box: the list alone
    SetFolderBrowserHook([this](const FolderBrowserRequest& r) {
        requests_.push_back(r);
        HWND list = GetWindow(r.dialog, GW_CHILD);
        while (list != nullptr && SendMessage(list, LB_GETCOUNT, 0, 0) != 3)
            list = GetWindow(list, GW_HWNDNEXT);
        RECT row{};
        SendMessage(list, LB_GETITEMRECT, 1, LPARAM(&row));  // [log dir], after [..]
        POINT p{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
        ClientToScreen(list, &p);
        for (int click = 0; click < 2; ++click) {
            InjectMouseButton(MouseButton::Left, true, p);
            InjectMouseButton(MouseButton::Left, false, p);
        }
        InjectKey(VK_RETURN, true);
        InjectKey(VK_RETURN, false);
        return FolderBrowserAnswer{FolderBrowserAnswer::Leave, L""};
    });
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info_);
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(PathOf(chosen), dir_ + L"/log dir");
}

TEST_F(FolderBrowsers, AWorkerThreadRunsItsOwnBrowser) {
    Answer({{FolderBrowserAnswer::Choose, L"log dir/inner"}});
    PIDLIST_ABSOLUTE chosen = nullptr;
    std::thread([&] { chosen = SHBrowseForFolderW(&info_); }).join();
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(PathOf(chosen), dir_ + L"/log dir/inner");
}

TEST_F(FolderBrowsers, ItemListsOfOtherOriginAreRefused) {
    wchar_t path[MAX_PATH] = {};
    EXPECT_FALSE(SHGetPathFromIDListW(nullptr, path));
    const DWORD junk[4] = {1, 2, 3, 4};
    EXPECT_FALSE(SHGetPathFromIDListW(reinterpret_cast<LPCITEMIDLIST>(junk), path));
}

}  // namespace
