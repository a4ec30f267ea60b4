#include "app/ui/map/MapPages.h"

#include "app/shell/AppConfig.h"
#include "platform/base/PrivateProfile.h"
#include "platform/web/WebText.h"
#include "shared/TextConvert.h"

namespace {

constexpr const wchar_t* kDefaultServer = L"http://map.marlowin.example";

CString ShippedPage(const wchar_t* name) {
    CString path;
    path.Format(L"%s%s", g_szProgramDir, name);
    return path;
}

}  // namespace

CString MapServer() {
    wchar_t server[kConfigPathSize] = {};
    GetPrivateProfileStringW(L"IE", L"MapServer", kDefaultServer, server, kConfigPathSize,
                             g_strIniPath);
    CString text(server);
    while (!text.IsEmpty() && text[text.GetLength() - 1] == L'/')
        text = text.Left(text.GetLength() - 1);
    return text.IsEmpty() ? CString(kDefaultServer) : text;
}

CString LocalMapPage() {
    return ShippedPage(L"/utilities/dep/yandex.html");
}

CString OfflineMapPage() {
    return ShippedPage(L"/utilities/dep/no_net.html");
}

CString OnlineMapPage() {
    return MapServer() + L"/vehmap/dep/gis_.html";
}

CString MapPageOfType(int mapType) {
    return mapType == kLocalMapType ? LocalMapPage() : OnlineMapPage();
}

CString MapCheckAddress() {
    return MapServer() + L"/tw/index.php";
}

bool IsMapPageUrl(const wchar_t* url) {
    if (url == nullptr)
        return false;
    const std::string loaded = WideToUtf8String(url);
    return loaded == web::NavigationUri(LocalMapPage().Std()) ||
           loaded == web::NavigationUri(OnlineMapPage().Std());
}
