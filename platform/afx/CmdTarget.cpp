#include "platform/afx/CmdTarget.h"

#include "platform/user/Messages.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

const AFX_MSGMAP_ENTRY kNoEntries[] = {{0, 0, 0, 0, nullptr}};
const AFX_MSGMAP kRootMap = {nullptr, kNoEntries};

}  // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    return &kRootMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const {
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const {
    const bool ranged = message == WM_COMMAND || message == WM_NOTIFY;
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->thunk != nullptr; ++e) {
            if (e->nMessage != message)
                continue;
            if (!ranged || (e->nCode == code && id >= e->nID && id <= e->nLastID))
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra, void*) {
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_COMMAND, UINT(code), id);
    if (e == nullptr)
        return FALSE;
    AfxCall call{WM_COMMAND, 0, 0, id, extra, nullptr};
    e->thunk(this, call);
    return TRUE;
}
