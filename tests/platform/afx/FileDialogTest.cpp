#include "platform/afx/FileDialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "shared/TextConvert.h"

namespace {

TEST(FrameworkFileDialog, TheProgramsOpenDialog) {
    char pattern[] = "/tmp/cfiledialog-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::wstring dir = Utf8ToWideString(pattern);
    std::ofstream(std::string(pattern) + "/rec.dvr") << "x";
    std::vector<FileDialogRequest> seen;
    SetFileDialogHook([&](const FileDialogRequest& r) {
        seen.push_back(r);
        return FileDialogAnswer{FileDialogAnswer::Open, L"rec", 0};
    });
    const std::filesystem::path before = std::filesystem::current_path();
    CFileDialog dlg(TRUE, L"dvr", L"*.dvr", 0,
                    L"Dvr Files (*.dvr)|*.dvr|*.DVR|All Files (*.*)|*.*||", nullptr);
    dlg.m_ofn.lpstrInitialDir = dir.c_str();
    EXPECT_EQ(dlg.DoModal(), IDOK);
    const std::string now = std::filesystem::current_path().string();
    std::filesystem::current_path(before);
    SetFileDialogHook(nullptr);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].name, L"*.dvr");
    ASSERT_EQ(seen[0].filters.size(), 2u);
    EXPECT_EQ(seen[0].filters[0].patterns, L"*.dvr");
    EXPECT_EQ(seen[0].listed, (std::vector<std::wstring>{L"[..]", L"rec.dvr"}));
    EXPECT_EQ(std::wstring(dlg.GetPathName().GetString()), dir + L"/rec.dvr");
    EXPECT_STREQ(dlg.GetFileName().GetString(), L"rec.dvr");
    EXPECT_STREQ(dlg.GetFileExt().GetString(), L"dvr");
    EXPECT_STREQ(dlg.GetFileTitle().GetString(), L"rec");
    EXPECT_EQ(std::wstring(dlg.GetFolderPath().GetString()), dir);
    EXPECT_EQ(now, pattern) << "no flags: the folder became the current directory";
    std::filesystem::remove_all(pattern);
}

TEST(FrameworkFileDialog, SaveDialogsAreNotOffered) {
    bool asked = false;
    SetFileDialogHook([&](const FileDialogRequest&) {
        asked = true;
        return FileDialogAnswer{FileDialogAnswer::Cancel, L"", 0};
    });
    CFileDialog dlg(FALSE);
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(asked);
    SetFileDialogHook(nullptr);
}

}  // namespace
