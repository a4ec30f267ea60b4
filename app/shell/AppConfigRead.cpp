// CHalbrookApp's reading of AppConfig.ini and its registry value: start-up
// work that has nothing to do with windows.
#include "app/shell/AppConfig.h"
#include "app/shell/HalbrookApp.h"
#include "app/shell/TextHelpers.h"
#include "platform/afx/MessageBox.h"
#include "platform/base/Module.h"
#include "platform/base/PrivateProfile.h"
#include "platform/base/Registry.h"

namespace {

constexpr wchar_t kEmulationKey[] =
    L"SOFTWARE\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

void EnsureDirectory(const wchar_t* path) {
    if (!DirectoryExists(path))
        CreateDirectoryPath(path);
}

// Reads a configured directory into its 260-character global and makes it.
void ReadDirectory(const wchar_t* section, const CString& fallback, wchar_t* out) {
    GetPrivateProfileStringW(section, L"DefaultDir", fallback, out, kConfigPathSize, g_strIniPath);
    EnsureDirectory(out);
}

int ReadInt(const wchar_t* section, const wchar_t* key, int fallback) {
    return int(GetPrivateProfileIntW(section, key, fallback, g_strIniPath));
}

// The executable's file name, the name of its emulation value.
CString ExecutableName() {
    wchar_t path[kConfigPathSize] = {};
    GetModuleFileNameW(nullptr, path, kConfigPathSize);
    // The file name after the last separator of either kind, as it stands: an
    // executable under another name gets a value of that name.
    const std::wstring whole(path);
    const size_t separator = whole.find_last_of(L"/\\");
    return CString(separator == std::wstring::npos ? whole : whole.substr(separator + 1));
}

bool WriteEmulation(HKEY key, const CString& name) {
    const DWORD mode = DWORD(g_nIEVersion);
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode),
                          sizeof mode) == ERROR_SUCCESS;
}

}  // namespace

void CHalbrookApp::ReadAppConfig() {
    wchar_t langFile[kLangFileSize] = {};
    GetPrivateProfileStringW(L"MutiLanguage", L"LangFile", L"", langFile, kLangFileSize,
                             g_strIniPath);
    g_strLangFile.Format(L"%s", langFile);
    EnsureDirectory(DefaultDvrDirectory());
    ReadDirectory(L"JpegCaptureSetting", DefaultJpegDirectory(), g_szJpegDir);
    ReadDirectory(L"ScreenCaptureSetting", DefaultCaptureDirectory(), g_szCaptureDir);
    ReadDirectory(L"LogFileSetting", DefaultLogDirectory(), g_szLogDir);
    g_nSpeedUnit = ReadInt(L"UnitSetting", L"DefaultSpeedUnit", 0);
    g_nTemperatureUnit = ReadInt(L"UnitSetting", L"DefaultTemperatureUnit", 0);
    g_nMapType = ReadInt(L"UnitSetting", L"DefaultMapType", 0);
    g_nIEVersion = ReadInt(L"IE", L"Version", 10000);
    SetBrowserEmulation();
    g_nAutoReplay = ReadInt(L"AutoReplay", L"AutoReplay", 0);
    g_nMapOff = ReadInt(L"IE", L"MapOff", 0);
    g_nGopV3Out = ReadInt(L"IE", L"GopV3Out", 1);
}

void CHalbrookApp::SetBrowserEmulation() {
    const CString name = ExecutableName();
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kEmulationKey, 0, KEY_READ | KEY_WRITE, &key) !=
        ERROR_SUCCESS) {
        AfxMessageBox(L"Open registry fail", MB_OK);
        return;
    }
    DWORD type = REG_NONE;
    DWORD mode = 0;
    DWORD size = sizeof mode;
    const bool isMode = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&mode),
                                         &size) == ERROR_SUCCESS &&
                        type == REG_DWORD && size == sizeof mode;
    if (!isMode) {
        if (!WriteEmulation(key, name))
            AfxMessageBox(L"Set registry value for IE version fail", MB_OK);
    } else if (mode != DWORD(g_nIEVersion) && !WriteEmulation(key, name)) {
        AfxMessageBox(L"change registry value for IE version fail", MB_OK);
    }
    RegCloseKey(key);
}
