// The keys of config/AppConfig.ini that the settings dialog owns, written
// from the configuration globals: [MutiLanguage] LangFile, [LogFileSetting],
// [JpegCaptureSetting] and [ScreenCaptureSetting] DefaultDir,
// [ScreenCaptureSetting] DefaultMAXTimeSpan (always empty: nothing sets it)
// and [AutoReplay] AutoReplay. UI thread.
#pragma once

// Writes each key at once, every one even after a failure; false when any
// could not be written.
bool WriteOtherSettings(const wchar_t* iniPath);
