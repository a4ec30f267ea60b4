#include "platform/user/FileDialog.h"

#include <unistd.h>

#include <algorithm>
#include <mutex>

#include "platform/user/CommonDialogControls.h"
#include "platform/user/Dialogs.h"
#include "platform/user/EditControl.h"
#include "platform/user/Focus.h"
#include "platform/user/FolderListing.h"
#include "platform/user/MessageBox.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messaging.h"
#include "platform/user/WindowApi.h"
#include "shared/TextConvert.h"

namespace {

constexpr UINT kAskHook = WM_USER + 0x51;
constexpr int kFolderText = 1001, kFileList = 1002, kNameBox = 1003, kFilterList = 1004;
constexpr int kMaxHookCalls = 8;

std::mutex g_hookMutex;
FileDialogHook g_hook;  // guarded by g_hookMutex
thread_local DWORD t_lastError = 0;

struct FileDialogState {
    OPENFILENAMEW* ofn = nullptr;
    std::vector<FileFilter> filters;
    size_t filter = 0;
    std::wstring folder;
    std::wstring pattern;
    std::vector<FolderEntry> entries;  // in list order, after the ".." line when there is one
    bool hasParentLine = false;
    int hookCalls = 0;
};

FileDialogState& StateOf(HWND dialog) {
    return *reinterpret_cast<FileDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
}

std::wstring TitleOf(const OPENFILENAMEW& ofn) {
    return ofn.lpstrTitle != nullptr ? ofn.lpstrTitle : L"Open";
}

std::wstring NameBoxText(HWND dialog) {
    wchar_t buffer[1024] = {};
    GetDlgItemTextW(dialog, kNameBox, buffer, 1024);
    return buffer;
}

DialogTemplate DialogLayout(const std::wstring& title) {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.cx = 280;
    t.cy = 178;
    t.title = title;
    const DWORD child = WS_VISIBLE;
    t.items = {
        {L"Static", L"Look in:", 0, child, 0, 7, 7, 45, 10},
        {L"Static", L"", kFolderText, child | SS_NOPREFIX, 0, 55, 7, 218, 10},
        {kChoiceListClass, L"", kFileList, child | WS_TABSTOP, 0, 7, 20, 266, 98},
        {L"Static", L"File &name:", 0, child, 0, 7, 126, 50, 10},
        {L"Edit", L"", kNameBox, child | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 0, 60, 124, 150,
         13},
        {L"Button", L"&Open", IDOK, child | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 216, 124, 57, 14},
        {L"Static", L"Files of &type:", 0, child, 0, 7, 142, 50, 10},
        {kChoiceListClass, L"", kFilterList, child | WS_TABSTOP, 0, 60, 141, 150, 30},
        {L"Button", L"Cancel", IDCANCEL, child | WS_TABSTOP, 0, 216, 141, 57, 14},
    };
    return t;
}

void FillList(HWND dialog, FileDialogState& s) {
    HWND list = GetDlgItem(dialog, kFileList);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    s.entries.clear();
    s.hasParentLine = s.folder != L"/";
    if (s.hasParentLine)
        SendMessage(list, LB_ADDSTRING, 0, LPARAM(L"[..]"));
    for (FolderEntry& e : ListFolder(s.folder)) {
        if (!e.isFolder && !MatchesPatterns(e.name, s.pattern))
            continue;
        SendMessage(list, LB_ADDSTRING, 0, LPARAM(ListLine(e).c_str()));
        s.entries.push_back(std::move(e));
    }
    SetDlgItemTextW(dialog, kFolderText, s.folder.c_str());
}

// The entry behind a list line; null for the ".." line or none.
const FolderEntry* EntryAt(const FileDialogState& s, LRESULT line) {
    const LRESULT index = line - (s.hasParentLine ? 1 : 0);
    return index >= 0 && size_t(index) < s.entries.size() ? &s.entries[size_t(index)] : nullptr;
}

void EnterFolder(HWND dialog, FileDialogState& s, const std::wstring& folder) {
    s.folder = folder;
    FillList(dialog, s);
}

void OnInitDialog(HWND dialog, FileDialogState& s) {
    const OPENFILENAMEW& ofn = *s.ofn;
    s.folder =
        JoinPath(CurrentFolder(), ofn.lpstrInitialDir != nullptr ? ofn.lpstrInitialDir : L"");
    s.filter =
        ofn.nFilterIndex > 0 && ofn.nFilterIndex <= s.filters.size() ? ofn.nFilterIndex - 1 : 0;
    s.pattern = s.filters.empty() ? L"*.*" : s.filters[s.filter].patterns;
    const std::wstring initial = ofn.lpstrFile != nullptr ? ofn.lpstrFile : L"";
    if (HasWildcard(initial))
        s.pattern = initial;
    HWND filters = GetDlgItem(dialog, kFilterList);
    for (const FileFilter& f : s.filters)
        SendMessage(filters, LB_ADDSTRING, 0, LPARAM(f.description.c_str()));
    SendMessage(filters, LB_SETCURSEL, WPARAM(s.filter), 0);
    SetDlgItemTextW(dialog, kNameBox, initial.c_str());
    FillList(dialog, s);
    SetFocus(GetDlgItem(dialog, kNameBox));
}

bool Fail(HWND dialog, const FileDialogState& s, const std::wstring& path, const wchar_t* why) {
    const std::wstring text = path + L"\n" + why;
    MessageBoxW(dialog, text.c_str(), TitleOf(*s.ofn).c_str(), MB_OK | MB_ICONWARNING);
    return false;
}

// Fills the caller's record; false when its buffer is too small.
bool StoreResult(FileDialogState& s, const std::wstring& path) {
    OPENFILENAMEW& ofn = *s.ofn;
    if (ofn.lpstrFile == nullptr || path.size() + 1 > ofn.nMaxFile) {
        t_lastError = FNERR_BUFFERTOOSMALL;
        return false;
    }
    path.copy(ofn.lpstrFile, path.size());
    ofn.lpstrFile[path.size()] = 0;
    const size_t slash = path.rfind(L'/');
    const size_t dot = path.rfind(L'.');
    ofn.nFileOffset = WORD(slash + 1);
    ofn.nFileExtension = WORD(dot != std::wstring::npos && dot > slash ? dot + 1 : path.size());
    ofn.nFilterIndex = DWORD(s.filter + 1);
    const std::wstring title = path.substr(slash + 1);
    if (ofn.lpstrFileTitle != nullptr && ofn.nMaxFileTitle > 0) {
        const size_t n = std::min<size_t>(title.size(), ofn.nMaxFileTitle - 1);
        title.copy(ofn.lpstrFileTitle, n);
        ofn.lpstrFileTitle[n] = 0;
    }
    if ((ofn.Flags & OFN_NOCHANGEDIR) == 0)
        (void)!::chdir(WideToUtf8String(s.folder).c_str());
    return true;
}

std::wstring WithDefaultExtension(const FileDialogState& s, const std::wstring& path) {
    const std::wstring name = path.substr(path.rfind(L'/') + 1);
    const wchar_t* ext = s.ofn->lpstrDefExt;
    if (ext == nullptr || *ext == 0 || name.find(L'.') != std::wstring::npos)
        return path;
    return path + L"." + ext;
}

// Open pressed: true when the dialog ends.
bool OnOpen(HWND dialog, FileDialogState& s) {
    const std::wstring text = NameBoxText(dialog);
    if (text.empty())
        return false;
    if (HasWildcard(text)) {
        s.pattern = text;
        FillList(dialog, s);
        return false;
    }
    const std::wstring typed = JoinPath(s.folder, text);
    if (IsFolder(typed)) {
        SetDlgItemTextW(dialog, kNameBox, L"");
        EnterFolder(dialog, s, typed);
        return false;
    }
    const std::wstring path = WithDefaultExtension(s, typed);
    if ((s.ofn->Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) != 0 &&
        !IsFolder(ParentFolder(path)))
        return Fail(dialog, s, path, L"Path does not exist.\nCheck the path and try again.");
    if ((s.ofn->Flags & OFN_FILEMUSTEXIST) != 0 && !Exists(path))
        return Fail(dialog, s, path, L"File not found.\nCheck the file name and try again.");
    s.folder = ParentFolder(path);
    EndDialog(dialog, StoreResult(s, path) ? IDOK : IDCANCEL);
    return true;
}

void OnFileList(HWND dialog, FileDialogState& s, UINT code) {
    const LRESULT line = SendDlgItemMessageW(dialog, kFileList, LB_GETCURSEL, 0, 0);
    const FolderEntry* entry = EntryAt(s, line);
    if (code == LBN_SELCHANGE && entry != nullptr && !entry->isFolder)
        SetDlgItemTextW(dialog, kNameBox, entry->name.c_str());
    if (code != LBN_DBLCLK || line == LB_ERR)
        return;
    if (entry == nullptr)
        EnterFolder(dialog, s, ParentFolder(s.folder));
    else if (entry->isFolder)
        EnterFolder(dialog, s, JoinPath(s.folder, entry->name));
    else
        OnOpen(dialog, s);
}

void OnFilterList(HWND dialog, FileDialogState& s) {
    const LRESULT line = SendDlgItemMessageW(dialog, kFilterList, LB_GETCURSEL, 0, 0);
    if (line < 0 || size_t(line) >= s.filters.size())
        return;
    s.filter = size_t(line);
    s.pattern = s.filters[s.filter].patterns;
    FillList(dialog, s);
}

FileDialogRequest RequestOf(HWND dialog, const FileDialogState& s) {
    FileDialogRequest r{dialog,
                        TitleOf(*s.ofn),
                        s.folder,
                        s.filters,
                        s.filter,
                        NameBoxText(dialog),
                        s.ofn->lpstrDefExt != nullptr ? s.ofn->lpstrDefExt : L"",
                        s.ofn->Flags,
                        {}};
    if (s.hasParentLine)
        r.listed.push_back(L"[..]");
    for (const FolderEntry& e : s.entries)
        r.listed.push_back(ListLine(e));
    return r;
}

void AskHook(HWND dialog, FileDialogState& s) {
    FileDialogHook hook;
    {
        std::lock_guard lock(g_hookMutex);
        hook = g_hook;
    }
    if (!hook || ++s.hookCalls > kMaxHookCalls)
        return;
    const FileDialogAnswer answer = hook(RequestOf(dialog, s));
    if (answer.action == FileDialogAnswer::Leave)
        return;
    if (answer.action == FileDialogAnswer::Cancel) {
        SendMessage(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        return;
    }
    HWND filters = GetDlgItem(dialog, kFilterList);
    if (answer.filterIndex > 0 &&
        SendMessage(filters, LB_SETCURSEL, answer.filterIndex - 1, 0) >= 0)
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(kFilterList, int(LBN_SELCHANGE)),
                    LPARAM(filters));
    SetDlgItemTextW(dialog, kNameBox, answer.name.c_str());
    SendMessage(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    if (!HasDialogEnded(dialog, nullptr))
        PostMessage(dialog, kAskHook, 0, 0);  // still open: ask again
}

void OnCommand(HWND dialog, FileDialogState& s, int id, UINT code) {
    switch (id) {
        case IDOK:
            OnOpen(dialog, s);
            break;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            break;
        case kFileList:
            OnFileList(dialog, s, code);
            break;
        case kFilterList:
            if (code == LBN_SELCHANGE)
                OnFilterList(dialog, s);
            break;
        default:
            break;
    }
}

intptr_t FileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtr(dialog, DWLP_USER, lParam);
            OnInitDialog(dialog, StateOf(dialog));
            PostMessage(dialog, kAskHook, 0, 0);
            return FALSE;
        case kAskHook:
            AskHook(dialog, StateOf(dialog));
            return TRUE;
        case WM_COMMAND:
            OnCommand(dialog, StateOf(dialog), LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

BOOL GetOpenFileNameW(OPENFILENAMEW* ofn) {
    t_lastError = 0;
    if (ofn == nullptr || ofn->lpstrFile == nullptr) {
        t_lastError = 0xFFFF;  // CDERR_DIALOGFAILURE
        return FALSE;
    }
    FileDialogState state;
    state.ofn = ofn;
    state.filters = ParseFilterList(ofn->lpstrFilter);
    const DialogTemplate t = DialogLayout(TitleOf(*ofn));
    HWND owner = ofn->hwndOwner != nullptr &&
                         GetWindowThreadProcessId(ofn->hwndOwner, nullptr) == GetCurrentThreadId()
                     ? ofn->hwndOwner
                     : nullptr;
    return DialogBoxIndirectParamW(nullptr, &t, owner, FileDialogProc, LPARAM(&state)) == IDOK
               ? TRUE
               : FALSE;
}

DWORD CommDlgExtendedError() {
    return t_lastError;
}

void SetFileDialogHook(FileDialogHook hook) {
    std::lock_guard lock(g_hookMutex);
    g_hook = std::move(hook);
}
