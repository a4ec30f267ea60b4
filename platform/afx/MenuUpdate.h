// The command-UI pass over a popup menu that is about to show, for windows
// that have no frame to do it (dialogs): call it from OnInitMenuPopup. Every
// item is offered to `target`'s ON_UPDATE_COMMAND_UI entries through a
// CCmdUI on the menu: separators (id 0) are skipped; a popup entry is
// represented by its sub-menu's first item and is never disabled for want of
// a handler; and items removed or added by a handler meanwhile are allowed
// for, so that every remaining item is asked once.
#pragma once

#include "platform/user/UserTypes.h"

class CCmdTarget;
class CMenu;

void UpdateMenuCommandUI(CCmdTarget* target, CMenu* popup, BOOL disableIfNoHandler = FALSE);
