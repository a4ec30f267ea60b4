// The offline page's text in the user's language: the page shows it through
// its function "SetOfflineText" (text). UI thread.
#pragma once

#include "app/ui/map/Explorer1.h"

// Whether `url`, as a browser reports a loaded page, is the offline page.
bool IsOfflinePageUrl(const wchar_t* url);
// Gives the page `browser` shows the offline text of the current language;
// false when that page has no such function (not the offline page, or not
// loaded yet).
bool ShowOfflineText(CExplorer1& browser);
