// The names of the recorder's event types and power-off reasons, as the find
// dialog shows them. BuildEventTypeNames fills both tables from the language
// texts; the main window calls it when it initialises and after every
// language change.
//
// Threads: filled on the UI thread only. The find dialog copies the tables
// on the UI thread before a list thread uses them.
#pragma once

inline constexpr int kEventTypeNameCount = 49;
inline constexpr int kPowerOffNameCount = 5;
inline constexpr int kEventNameLength = 32;

// Entry i: the text of IDS_EVENT_TYPE_i for i = 0..29 and 48, the storage
// format text for 10; entries 30..47 are empty.
extern wchar_t g_szEventTypeNames[kEventTypeNameCount][kEventNameLength];
// The texts of IDS_EVENT_POWER_OFF_0 .. IDS_EVENT_POWER_OFF_4.
extern wchar_t g_szPowerOffNames[kPowerOffNameCount][kEventNameLength];

void BuildEventTypeNames();
