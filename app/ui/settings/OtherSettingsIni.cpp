#include "app/ui/settings/OtherSettingsIni.h"

#include "app/shell/AppConfig.h"
#include "platform/base/PrivateProfile.h"

bool WriteOtherSettings(const wchar_t* iniPath) {
    CString autoReplay;
    autoReplay.Format(L"%d", g_nAutoReplay);
    const struct {
        const wchar_t* section;
        const wchar_t* key;
        const wchar_t* value;
    } keys[] = {
        {L"MutiLanguage", L"LangFile", g_strLangFile},
        {L"LogFileSetting", L"DefaultDir", g_szLogDir},
        {L"JpegCaptureSetting", L"DefaultDir", g_szJpegDir},
        {L"ScreenCaptureSetting", L"DefaultDir", g_szCaptureDir},
        {L"ScreenCaptureSetting", L"DefaultMAXTimeSpan", L""},
        {L"AutoReplay", L"AutoReplay", autoReplay},
    };
    bool written = true;
    for (const auto& k : keys)
        written =
            WritePrivateProfileStringW(k.section, k.key, k.value, iniPath) != FALSE && written;
    return written;
}
