#include "platform/afx/Menu.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/afx/Wnd.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

// The objects attached by Attach, guarded by g_mutex; temporaries per thread.
std::mutex g_mutex;
std::map<HMENU, CMenu*> g_permanent;
thread_local std::map<HMENU, std::unique_ptr<CMenu>> t_temporary;

void DropStaleTemporaries() {
    for (auto it = t_temporary.begin(); it != t_temporary.end();) {
        if (::IsMenu(it->first)) {
            ++it;
            continue;
        }
        it->second->Detach();
        it = t_temporary.erase(it);
    }
}

}  // namespace

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu) {
    if (menu == nullptr || !::IsMenu(menu))
        return nullptr;
    {
        std::lock_guard lock(g_mutex);
        auto it = g_permanent.find(menu);
        if (it != g_permanent.end())
            return it->second;
    }
    DropStaleTemporaries();
    std::unique_ptr<CMenu>& temporary = t_temporary[menu];
    if (temporary == nullptr) {
        temporary = std::make_unique<CMenu>();
        temporary->m_hMenu = menu;  // not attached: it never destroys the menu
    }
    return temporary.get();
}

BOOL CMenu::Attach(HMENU menu) {
    if (menu == nullptr || m_hMenu != nullptr)
        return FALSE;
    m_hMenu = menu;
    std::lock_guard lock(g_mutex);
    g_permanent[menu] = this;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    std::lock_guard lock(g_mutex);
    auto it = g_permanent.find(menu);
    if (it != g_permanent.end() && it->second == this)
        g_permanent.erase(it);
    return menu;
}

BOOL CMenu::LoadMenu(UINT id) {
    return Attach(::LoadMenuW(nullptr, MAKEINTRESOURCEW(int(id))));
}

BOOL CMenu::CreateMenu() {
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu() {
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::DestroyMenu() {
    bool attached = false;
    {
        std::lock_guard lock(g_mutex);
        auto it = g_permanent.find(m_hMenu);
        attached = it != g_permanent.end() && it->second == this;
    }
    if (!attached)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    const int n = ::GetMenuStringW(m_hMenu, item, nullptr, 0, flags);
    ::GetMenuStringW(m_hMenu, item, text.GetBufferSetLength(n + 1), n + 1, flags);
    text.ReleaseBuffer();
    return text.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* wnd, const RECT* rect) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, wnd != nullptr ? wnd->GetSafeHwnd() : nullptr,
                            rect);
}
