#include "platform/user/FolderBrowser.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "platform/user/CommonDialogControls.h"
#include "platform/user/Dialogs.h"
#include "platform/user/EditControl.h"
#include "platform/user/Focus.h"
#include "platform/user/FolderListing.h"
#include "platform/user/MessageQueue.h"
#include "platform/user/Messaging.h"
#include "platform/user/WindowApi.h"
#include "shared/TextConvert.h"

namespace {

constexpr UINT kAskHook = WM_USER + 0x52;
constexpr int kTitle = 1101, kFolderText = 1102, kFolderList = 1103, kPathBox = 1104;
constexpr int kMaxHookCalls = 8;

std::mutex g_hookMutex;
FolderBrowserHook g_hook;  // guarded by g_hookMutex

struct BrowserState {
    BROWSEINFOW* info = nullptr;
    std::wstring folder;
    std::vector<std::wstring> subFolders;  // in list order, after the ".." line when there is one
    bool hasParentLine = false;
    std::wstring chosen;
    int hookCalls = 0;
};

BrowserState& StateOf(HWND dialog) {
    return *reinterpret_cast<BrowserState*>(GetWindowLongPtr(dialog, DWLP_USER));
}

DialogTemplate DialogLayout(const BROWSEINFOW& info) {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    t.cx = 220;
    t.cy = 200;
    t.title = L"Browse For Folder";
    const DWORD child = WS_VISIBLE;
    const DWORD box = (info.ulFlags & BIF_EDITBOX) != 0 ? child | WS_TABSTOP : 0;
    t.items = {
        {L"Static", info.lpszTitle != nullptr ? info.lpszTitle : L"", kTitle, child | SS_NOPREFIX,
         0, 7, 7, 206, 20},
        {L"Static", L"", kFolderText, child | SS_NOPREFIX, 0, 7, 30, 206, 10},
        {kChoiceListClass, L"", kFolderList, child | WS_TABSTOP, 0, 7, 42, 206, 110},
        {L"Edit", L"", kPathBox, box | WS_BORDER | ES_AUTOHSCROLL, 0, 7, 158, 206, 13},
        {L"Button", L"OK", IDOK, child | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 102, 178, 54, 14},
        {L"Button", L"Cancel", IDCANCEL, child | WS_TABSTOP, 0, 159, 178, 54, 14},
    };
    return t;
}

std::wstring StartFolder(const BROWSEINFOW& info) {
    wchar_t root[MAX_PATH] = {};
    if (SHGetPathFromIDListW(info.pidlRoot, root) && IsFolder(root))
        return JoinPath(L"/", root);
    const char* home = std::getenv("HOME");
    const std::wstring folder = home != nullptr ? Utf8ToWideString(home) : L"/";
    return IsFolder(folder) ? JoinPath(L"/", folder) : L"/";
}

void Enter(HWND dialog, BrowserState& s, const std::wstring& folder) {
    s.folder = folder;
    s.subFolders.clear();
    HWND list = GetDlgItem(dialog, kFolderList);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    s.hasParentLine = folder != L"/";
    if (s.hasParentLine)
        SendMessage(list, LB_ADDSTRING, 0, LPARAM(L"[..]"));
    for (const FolderEntry& e : ListFolder(folder)) {
        if (!e.isFolder)
            continue;
        SendMessage(list, LB_ADDSTRING, 0, LPARAM(ListLine(e).c_str()));
        s.subFolders.push_back(e.name);
    }
    SetDlgItemTextW(dialog, kFolderText, folder.c_str());
    SetDlgItemTextW(dialog, kPathBox, folder.c_str());
}

// The folder a list line stands for.
std::wstring FolderAt(const BrowserState& s, LRESULT line) {
    if (line < 0)
        return s.folder;
    if (s.hasParentLine && line == 0)
        return ParentFolder(s.folder);
    const size_t index = size_t(line) - (s.hasParentLine ? 1 : 0);
    return index < s.subFolders.size() ? JoinPath(s.folder, s.subFolders[index]) : s.folder;
}

void OnList(HWND dialog, BrowserState& s, UINT code) {
    const LRESULT line = SendDlgItemMessageW(dialog, kFolderList, LB_GETCURSEL, 0, 0);
    if (code == LBN_SELCHANGE)
        SetDlgItemTextW(dialog, kPathBox, FolderAt(s, line).c_str());
    else if (code == LBN_DBLCLK && line >= 0)
        Enter(dialog, s, FolderAt(s, line));
}

void OnOk(HWND dialog, BrowserState& s) {
    wchar_t text[1024] = {};
    GetDlgItemTextW(dialog, kPathBox, text, 1024);
    const std::wstring typed = JoinPath(s.folder, text);
    if (text[0] != 0 && !IsFolder(typed))
        return;  // not a folder: the user corrects it
    s.chosen = text[0] != 0
                   ? typed
                   : FolderAt(s, SendDlgItemMessageW(dialog, kFolderList, LB_GETCURSEL, 0, 0));
    EndDialog(dialog, IDOK);
}

FolderBrowserRequest RequestOf(HWND dialog, const BrowserState& s) {
    FolderBrowserRequest r{dialog,
                           s.info->lpszTitle != nullptr ? s.info->lpszTitle : L"",
                           s.folder,
                           {},
                           s.info->ulFlags};
    for (const std::wstring& name : s.subFolders)
        r.listed.push_back(L"[" + name + L"]");
    return r;
}

void AskHook(HWND dialog, BrowserState& s) {
    FolderBrowserHook hook;
    {
        std::lock_guard lock(g_hookMutex);
        hook = g_hook;
    }
    if (!hook || ++s.hookCalls > kMaxHookCalls)
        return;
    const FolderBrowserAnswer answer = hook(RequestOf(dialog, s));
    if (answer.action == FolderBrowserAnswer::Leave)
        return;
    if (answer.action == FolderBrowserAnswer::Choose)
        SetDlgItemTextW(dialog, kPathBox, answer.path.c_str());
    SendMessage(GetDlgItem(dialog, answer.action == FolderBrowserAnswer::Choose ? IDOK : IDCANCEL),
                BM_CLICK, 0, 0);
    if (!HasDialogEnded(dialog, nullptr))
        PostMessage(dialog, kAskHook, 0, 0);  // still open: ask again
}

intptr_t BrowserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtr(dialog, DWLP_USER, lParam);
            Enter(dialog, StateOf(dialog), StartFolder(*StateOf(dialog).info));
            PostMessage(dialog, kAskHook, 0, 0);
            return TRUE;
        case kAskHook:
            AskHook(dialog, StateOf(dialog));
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK)
                OnOk(dialog, StateOf(dialog));
            else if (LOWORD(wParam) == IDCANCEL)
                EndDialog(dialog, IDCANCEL);
            else if (LOWORD(wParam) == kFolderList)
                OnList(dialog, StateOf(dialog), HIWORD(wParam));
            return TRUE;
        default:
            return FALSE;
    }
}

void StoreDisplayName(const BROWSEINFOW& info, const std::wstring& folder) {
    if (info.pszDisplayName == nullptr)
        return;
    const std::wstring name = folder == L"/" ? folder : folder.substr(folder.rfind(L'/') + 1);
    const size_t n = std::min<size_t>(name.size(), MAX_PATH - 1);
    name.copy(info.pszDisplayName, n);
    info.pszDisplayName[n] = 0;
}

}  // namespace

PIDLIST_ABSOLUTE SHBrowseForFolderW(BROWSEINFOW* info) {
    if (info == nullptr)
        return nullptr;
    BrowserState state;
    state.info = info;
    const DialogTemplate t = DialogLayout(*info);
    HWND owner = info->hwndOwner != nullptr &&
                         GetWindowThreadProcessId(info->hwndOwner, nullptr) == GetCurrentThreadId()
                     ? info->hwndOwner
                     : nullptr;
    if (DialogBoxIndirectParamW(nullptr, &t, owner, BrowserProc, LPARAM(&state)) != IDOK)
        return nullptr;
    StoreDisplayName(*info, state.chosen);
    return ILCreateFromPathW(state.chosen.c_str());
}

void SetFolderBrowserHook(FolderBrowserHook hook) {
    std::lock_guard lock(g_hookMutex);
    g_hook = std::move(hook);
}
