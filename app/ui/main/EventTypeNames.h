// The names of the recorder's event types and power-off reasons in the
// current language, read by the find dialog. Filled on the UI thread at
// start-up and after a language change.
#pragma once

inline constexpr int kEventTypeCount = 49;
inline constexpr int kPowerOffCount = 5;
inline constexpr int kEventNameSize = 32;

extern wchar_t g_szEventTypeNames[kEventTypeCount][kEventNameSize];
extern wchar_t g_szPowerOffNames[kPowerOffCount][kEventNameSize];

// Entries 0-9 and 11-29 and 48 from their language texts, 10 from the
// storage format text, 30-47 empty; then the five power-off names. Texts
// longer than an entry are cut.
void FillEventTypeNames();
