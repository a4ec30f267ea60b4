// The program's configuration: where it lives, what config/AppConfig.ini
// below the program directory says, and the unit texts the main window sets.
// CHalbrookApp::ReadAppConfig fills them at start-up; afterwards each writer
// (the settings dialog, the unit commands) changes a global and writes its
// key at once with WritePrivateProfileStringW.
//
// Threads: written on the UI thread only. The texts and directories are read
// on the UI thread; the integers also by the program's workers and the
// library callbacks, each as one aligned 32-bit word.
#pragma once

#include "platform/afx/String.h"

inline constexpr int kConfigPathSize = 260;
inline constexpr int kLangFileSize = 32;

// The executable's directory, no trailing '/'.
extern wchar_t g_szProgramDir[kConfigPathSize];
// The INI file in use: g_szProgramDir + "/config/AppConfig.ini", or the
// user's copy when the program folder cannot be written (ConfigFile.h).
extern CString g_strIniPath;

extern CString g_strLangFile;                    // [MutiLanguage] LangFile, ""
extern wchar_t g_szJpegDir[kConfigPathSize];     // [JpegCaptureSetting] DefaultDir
extern wchar_t g_szCaptureDir[kConfigPathSize];  // [ScreenCaptureSetting] DefaultDir
extern wchar_t g_szLogDir[kConfigPathSize];      // [LogFileSetting] DefaultDir
extern int g_nSpeedUnit;        // [UnitSetting] DefaultSpeedUnit, 0: 0 km/h, 1 mile/h
extern int g_nTemperatureUnit;  // [UnitSetting] DefaultTemperatureUnit, 0: 0 Celsius, 1 Fahrenheit
extern int g_nMapType;          // [UnitSetting] DefaultMapType, 0: 0 online page, 1 local page
extern int g_nIEVersion;        // [IE] Version, 10000: the browser emulation mode
extern int g_nAutoReplay;       // [AutoReplay] AutoReplay, 0: nonzero plays again at the end
extern int g_nMapOff;           // [IE] MapOff, 0: nonzero switches the map browsers off
extern int g_nGopV3Out;         // [IE] GopV3Out, 1: nonzero offers AVI for GOP version 3

// Not configured: the texts of the current units, set by the main window.
extern CString g_strSpeedUnitText;
extern CString g_strTemperatureUnitText;

// The directory the program always makes and the export library keeps its
// temporary files in (DvrRootDir()), and the defaults of the three
// configured directories below it: "pic", "capture" and "log".
CString DefaultDvrDirectory();
CString DefaultJpegDirectory();
CString DefaultCaptureDirectory();
CString DefaultLogDirectory();
