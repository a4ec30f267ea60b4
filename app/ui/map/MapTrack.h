// The page functions that draw the vehicle's track, called with the map
// point texts (MapPointTexts.h). UI thread.
//
//   "ClearAll_N" ()                                      clears the track
//   "AddGLatLng_N" (vehicle id, time, latitude, longitude) adds a point
#pragma once

#include "app/ui/map/WebPage.h"
#include "platform/afx/Wnd.h"

void ClearMapTrack(CWebPage& page, CWnd& browser);
// Adds the latest point, after clearing the track when the vehicle changed.
void AddMapPoint(CWebPage& page, CWnd& browser, bool vehicleChanged);
