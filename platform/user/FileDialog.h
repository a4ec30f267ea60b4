// The file-open dialog (GetOpenFileNameW), drawn by us: the folder being
// looked in, its folders and the files that match the chosen filter (or a
// pattern typed as the name), the name box and the filter choice.
//
// Open takes the name box's text: a pattern (* or ?) filters the list, a
// folder is entered, anything else is the file, relative to the folder shown,
// with the default extension added when the name has none. With
// OFN_FILEMUSTEXIST (or OFN_PATHMUSTEXIST) a missing file (or folder) is
// reported in a message box and the dialog stays. On success the path and
// its parts go into the OPENFILENAMEW and, unless OFN_NOCHANGEDIR, the
// folder becomes the process's current directory. Runs modally on the
// calling thread, like a dialog.
//
// Tests answer it through the hook: whenever the dialog is ready for input
// it calls the hook, on its own thread, with what it shows; the answer's
// filter is then chosen in the filter list and its name typed into the name
// box and Open pressed, or Cancel pressed, each the way the user would.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/user/FileFilter.h"
#include "platform/user/UserTypes.h"

inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
inline constexpr DWORD OFN_EXPLORER = 0x00080000;
inline constexpr DWORD OFN_ENABLESIZING = 0x00800000;

inline constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;

struct OPENFILENAMEW {
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    const wchar_t* lpstrFilter;  // pairs, see FileFilter.h
    wchar_t* lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;  // 1-based; 0 takes the first
    wchar_t* lpstrFile;  // in: the initial name or pattern; out: the path
    DWORD nMaxFile;
    wchar_t* lpstrFileTitle;  // optional out: the file name alone
    DWORD nMaxFileTitle;
    const wchar_t* lpstrInitialDir;  // null: the current directory
    const wchar_t* lpstrTitle;       // null: "Open"
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    const wchar_t* lpstrDefExt;
    LPARAM lCustData;
    void* lpfnHook;
    const wchar_t* lpTemplateName;
    void* pvReserved;
    DWORD dwReserved;
    DWORD FlagsEx;
};

// TRUE with a file chosen; FALSE when cancelled or failed (CommDlgExtendedError).
BOOL GetOpenFileNameW(OPENFILENAMEW* ofn);
// 0 after a cancel or a success, else the error of the last dialog of the thread.
DWORD CommDlgExtendedError();

struct FileDialogRequest {
    HWND dialog;
    std::wstring title;
    std::wstring folder;
    std::vector<FileFilter> filters;
    size_t filterIndex;  // 0-based
    std::wstring name;   // in the name box
    std::wstring defaultExtension;
    DWORD flags;
    std::vector<std::wstring> listed;  // what the list shows; folders in [brackets]
};

struct FileDialogAnswer {
    enum Action { Leave, Open, Cancel } action = Leave;
    std::wstring name;       // typed into the name box (Open)
    size_t filterIndex = 0;  // 1-based filter to choose first; 0 keeps it
};

// Null removes the hook. Any thread; the hook runs on the dialog's thread.
using FileDialogHook = std::function<FileDialogAnswer(const FileDialogRequest&)>;
void SetFileDialogHook(FileDialogHook hook);
