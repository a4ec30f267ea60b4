#include "app/ui/map/MapPointTexts.h"

CString g_strMapCarId;
CString g_strMapTime;
CString g_strMapLatitude;
CString g_strMapLongitude;
CString g_strMapAltitude;
CString g_strMapLastCarId;
