#include "app/ui/map/OfflinePage.h"

#include "app/shell/LanguageTexts.h"
#include "app/ui/map/MapPages.h"
#include "app/ui/map/WebPage.h"
#include "platform/web/WebText.h"
#include "shared/TextConvert.h"

bool IsOfflinePageUrl(const wchar_t* url) {
    return url != nullptr && WideToUtf8String(url) == web::NavigationUri(OfflineMapPage().Std());
}

bool ShowOfflineText(CExplorer1& browser) {
    // A page of its own: the window's track page stays unattached.
    CWebPage page;
    if (!page.AttachDocument(browser.get_Document()))
        return false;
    CStringArray arguments;
    arguments.Add(IDS_MAP_OFFLINE.Get());
    return page.InvokeScriptFunction(L"SetOfflineText", arguments);
}
