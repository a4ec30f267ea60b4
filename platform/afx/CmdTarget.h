// The base of every class with a message map. A message map is a table of
// entries, each naming a message (or a command, command range, notification
// or update-UI request) and a short thunk that unpacks the parameters and
// calls one member function; a class's table chains to its base class's.
// Dispatch looks the message up in the tables and calls the thunk: it only
// routes.
#pragma once

#include "platform/afx/Object.h"
#include "platform/user/UserTypes.h"

class CCmdTarget;
class CCmdUI;

// What a thunk receives.
struct AfxCall {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT id;          // command id, notification sender, or colour kind
    void* extra;      // CCmdUI* for update entries, NMHDR* for notifications
    LRESULT* result;  // where a notification handler writes its result
};

using AfxThunk = LRESULT (*)(CCmdTarget* target, const AfxCall& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // WM_COMMAND and WM_NOTIFY entries also match code and id range
    UINT nCode;
    UINT nID;
    UINT nLastID;
    AfxThunk thunk;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;  // ends with an entry whose thunk is null
};

// Notification codes of command entries.
inline constexpr UINT CN_COMMAND = 0;
inline constexpr UINT CN_UPDATE_COMMAND_UI = UINT(-1);

class CCmdTarget : public CObject {
public:
    // Commands (code CN_COMMAND or a control notification) and update-UI
    // requests (CN_UPDATE_COMMAND_UI, `extra` the CCmdUI*). TRUE when an
    // entry took it.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra, void* handlerInfo);

    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_MSGMAP* GetThisMessageMap();

    // The first entry of this object's tables that matches, or null.
    const AFX_MSGMAP_ENTRY* FindEntry(UINT message, UINT code, UINT id) const;

    DECLARE_DYNAMIC(CCmdTarget)
};

// Leaves the access protected, as the declarations after it expect.
#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                     \
    }                                                   \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {   \
        using ThisClass = theClass;                     \
        using TheBaseClass = baseClass;                 \
        static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                          \
    { 0, 0, 0, 0, nullptr }                                                        \
    }                                                                              \
    ;                                                                              \
    static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, &entries[0]}; \
    (void)sizeof(ThisClass);                                                       \
    return &map;                                                                   \
    }
