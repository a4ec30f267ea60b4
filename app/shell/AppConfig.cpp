#include "app/shell/AppConfig.h"

#include "shared/DvrRootDir.h"

wchar_t g_szProgramDir[kConfigPathSize];
CString g_strIniPath;

CString g_strLangFile;
wchar_t g_szJpegDir[kConfigPathSize];
wchar_t g_szCaptureDir[kConfigPathSize];
wchar_t g_szLogDir[kConfigPathSize];
int g_nSpeedUnit;
int g_nTemperatureUnit;
int g_nMapType;
int g_nIEVersion;
int g_nAutoReplay;
int g_nMapOff;
int g_nGopV3Out;

CString g_strSpeedUnitText;
CString g_strTemperatureUnitText;

CString DefaultDvrDirectory() {
    return CString(DvrRootDir().c_str());
}

CString DefaultJpegDirectory() {
    return DefaultDvrDirectory() + L"/pic";
}

CString DefaultCaptureDirectory() {
    return DefaultDvrDirectory() + L"/capture";
}

CString DefaultLogDirectory() {
    return DefaultDvrDirectory() + L"/log";
}
