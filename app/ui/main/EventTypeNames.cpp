#include "app/ui/main/EventTypeNames.h"

#include <cwchar>

#include "app/shell/LanguageTexts.h"

wchar_t g_szEventTypeNames[kEventTypeCount][kEventNameSize];
wchar_t g_szPowerOffNames[kPowerOffCount][kEventNameSize];

namespace {

const LanguageText* const kEventTexts[kEventTypeCount] = {
    &IDS_EVENT_TYPE_0, &IDS_EVENT_TYPE_1, &IDS_EVENT_TYPE_2, &IDS_EVENT_TYPE_3, &IDS_EVENT_TYPE_4,
    &IDS_EVENT_TYPE_5, &IDS_EVENT_TYPE_6, &IDS_EVENT_TYPE_7, &IDS_EVENT_TYPE_8, &IDS_EVENT_TYPE_9,
    &g_strStorageFormatText, &IDS_EVENT_TYPE_11, &IDS_EVENT_TYPE_12, &IDS_EVENT_TYPE_13,
    &IDS_EVENT_TYPE_14, &IDS_EVENT_TYPE_15, &IDS_EVENT_TYPE_16, &IDS_EVENT_TYPE_17,
    &IDS_EVENT_TYPE_18, &IDS_EVENT_TYPE_19, &IDS_EVENT_TYPE_20, &IDS_EVENT_TYPE_21,
    &IDS_EVENT_TYPE_22, &IDS_EVENT_TYPE_23, &IDS_EVENT_TYPE_24, &IDS_EVENT_TYPE_25,
    &IDS_EVENT_TYPE_26, &IDS_EVENT_TYPE_27, &IDS_EVENT_TYPE_28, &IDS_EVENT_TYPE_29,
    // 30-47 have no name.
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &IDS_EVENT_TYPE_48};

const LanguageText* const kPowerOffTexts[kPowerOffCount] = {
    &IDS_EVENT_POWER_OFF_0, &IDS_EVENT_POWER_OFF_1, &IDS_EVENT_POWER_OFF_2, &IDS_EVENT_POWER_OFF_3,
    &IDS_EVENT_POWER_OFF_4};

void Fill(wchar_t (&entry)[kEventNameSize], const LanguageText* text) {
    const wchar_t* source = text != nullptr ? text->GetString() : L"";
    std::wcsncpy(entry, source, kEventNameSize - 1);
    entry[kEventNameSize - 1] = 0;
}

}  // namespace

void FillEventTypeNames() {
    for (int i = 0; i < kEventTypeCount; ++i)
        Fill(g_szEventTypeNames[i], kEventTexts[i]);
    for (int i = 0; i < kPowerOffCount; ++i)
        Fill(g_szPowerOffNames[i], kPowerOffTexts[i]);
}
