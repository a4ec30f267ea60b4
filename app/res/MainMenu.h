// Menu 2000: the popups the five menu-bar labels of the main window open.
#pragma once

#include "platform/user/MenuTemplate.h"

// The resource texts; the main window replaces most of them with language
// texts when it loads the menu.
MenuTemplate MainMenuTemplate();
