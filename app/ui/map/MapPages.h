// Where the map pages are. The local page and the offline page ship with
// the program in "<program dir>/utilities/dep/"; the online page and the
// address of the connection check lie on the map server, which is
// [IE] MapServer in AppConfig.ini (a default server otherwise).
#pragma once

#include "platform/afx/String.h"

inline constexpr int kLocalMapType = 1;  // g_nMapType of the local page

// "<program dir>/utilities/dep/yandex.html": the track drawn without network.
CString LocalMapPage();
// "<program dir>/utilities/dep/no_net.html": the map is offline.
CString OfflineMapPage();
// "<server>/vehmap/dep/gis_.html".
CString OnlineMapPage();
// The page of a map type: the local page for kLocalMapType, else the online one.
CString MapPageOfType(int mapType);
// "<server>/tw/index.php": the address whose server the connection check asks.
CString MapCheckAddress();
// The server, without a trailing '/'.
CString MapServer();

// Whether `url`, as a browser reports a loaded page, is the local or the
// online map page (not the offline page, nor a frame of another address).
bool IsMapPageUrl(const wchar_t* url);
