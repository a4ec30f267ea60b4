// What a map browser's window does with a navigation its page starts: the
// "app:" requests (MapPageCommand.h) seek playback or take the keyboard;
// every other address is left to load. UI thread.
#pragma once

#include "app/ui/map/MapPaneHost.h"
#include "platform/user/UserTypes.h"

// Carries out the request `url` stands for; true when the browser is to
// cancel the navigation. `browser` is the control the page runs in.
bool HandleMapPageNavigation(const wchar_t* url, IMapPaneHost& host, HWND browser);
