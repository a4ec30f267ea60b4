#include "app/ui/map/MapTrack.h"

#include "app/ui/map/MapPointTexts.h"

void ClearMapTrack(CWebPage& page, CWnd& browser) {
    page.InvokeScriptFunctionNoArgs(L"ClearAll_N");
    browser.UpdateWindow();
}

void AddMapPoint(CWebPage& page, CWnd& browser, bool vehicleChanged) {
    CStringArray point;
    point.Add(g_strMapCarId);
    point.Add(g_strMapTime);
    point.Add(g_strMapLatitude);
    point.Add(g_strMapLongitude);
    if (vehicleChanged)
        page.InvokeScriptFunctionNoArgs(L"ClearAll_N");
    page.InvokeScriptFunction(L"AddGLatLng_N", point);
    browser.UpdateWindow();
}
