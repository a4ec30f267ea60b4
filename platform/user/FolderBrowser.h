// The folder browser (SHBrowseForFolderW), drawn by us: the title, the
// folder being looked in and its sub-folders ("[..]" goes up), and with
// BIF_EDITBOX a box for the folder's path. A click selects a sub-folder, a
// double click enters it; OK takes the box's path (relative to the folder
// shown) when it names an existing folder, else the selected sub-folder,
// else the folder shown. The result is an item list the caller frees through
// the shell's allocator (SHGetMalloc) or CoTaskMemFree; SHGetPathFromIDListW
// gives its path. Without a root it starts at $HOME (else "/"). Runs
// modally on the calling thread.
//
// Tests answer it through the hook: whenever the browser is ready for input
// it calls the hook with what it shows; the answer's path is typed into the
// path box (present, though hidden, without BIF_EDITBOX) and OK pressed, or
// Cancel pressed, the way the user would.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/user/UserTypes.h"

inline constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
inline constexpr UINT BIF_EDITBOX = 0x0010;
inline constexpr UINT BIF_VALIDATE = 0x0020;
inline constexpr UINT BIF_NEWDIALOGSTYLE = 0x0040;
inline constexpr int MAX_PATH = 260;

// An item list of the shell: here, one folder's path.
struct ITEMIDLIST;
using LPITEMIDLIST = ITEMIDLIST*;
using LPCITEMIDLIST = const ITEMIDLIST*;
using PIDLIST_ABSOLUTE = ITEMIDLIST*;

struct BROWSEINFOW {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;   // null: start at the home folder
    wchar_t* pszDisplayName;  // optional out: the chosen folder's name, MAX_PATH characters
    const wchar_t* lpszTitle;
    UINT ulFlags;
    void* lpfn;  // not called
    LPARAM lParam;
    int iImage;
};

// The chosen folder, or null when cancelled.
PIDLIST_ABSOLUTE SHBrowseForFolderW(BROWSEINFOW* info);
// The folder's path into `path` (MAX_PATH characters); FALSE for a null or foreign list.
BOOL SHGetPathFromIDListW(LPCITEMIDLIST list, wchar_t* path);
// A new item list for a path (for a root); free it like the browser's.
PIDLIST_ABSOLUTE ILCreateFromPathW(const wchar_t* path);

// The shell's allocator: what it allocates, Free releases.
struct IMalloc {
    virtual void* Alloc(size_t size) = 0;
    virtual void Free(void* block) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IMalloc() = default;
};
HRESULT SHGetMalloc(IMalloc** allocator);
void CoTaskMemFree(void* block);

struct FolderBrowserRequest {
    HWND dialog;
    std::wstring title;
    std::wstring folder;
    std::vector<std::wstring> listed;  // sub-folders in [brackets]
    UINT flags;
};

struct FolderBrowserAnswer {
    enum Action { Leave, Choose, Cancel } action = Leave;
    std::wstring path;  // typed into the path box (Choose)
};

// Null removes the hook. Any thread; the hook runs on the browser's thread.
using FolderBrowserHook = std::function<FolderBrowserAnswer(const FolderBrowserRequest&)>;
void SetFolderBrowserHook(FolderBrowserHook hook);
