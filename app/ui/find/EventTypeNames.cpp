#include "app/ui/find/EventTypeNames.h"

#include <cwchar>

#include "app/shell/LanguageTexts.h"

wchar_t g_szEventTypeNames[kEventTypeNameCount][kEventNameLength];
wchar_t g_szPowerOffNames[kPowerOffNameCount][kEventNameLength];

namespace {

// Entries without a text of their own (10 and 30..47) are null here.
const LanguageText* const kEventTypeTexts[kEventTypeNameCount] = {
    &IDS_EVENT_TYPE_0,
    &IDS_EVENT_TYPE_1,
    &IDS_EVENT_TYPE_2,
    &IDS_EVENT_TYPE_3,
    &IDS_EVENT_TYPE_4,
    &IDS_EVENT_TYPE_5,
    &IDS_EVENT_TYPE_6,
    &IDS_EVENT_TYPE_7,
    &IDS_EVENT_TYPE_8,
    &IDS_EVENT_TYPE_9,
    nullptr,
    &IDS_EVENT_TYPE_11,
    &IDS_EVENT_TYPE_12,
    &IDS_EVENT_TYPE_13,
    &IDS_EVENT_TYPE_14,
    &IDS_EVENT_TYPE_15,
    &IDS_EVENT_TYPE_16,
    &IDS_EVENT_TYPE_17,
    &IDS_EVENT_TYPE_18,
    &IDS_EVENT_TYPE_19,
    &IDS_EVENT_TYPE_20,
    &IDS_EVENT_TYPE_21,
    &IDS_EVENT_TYPE_22,
    &IDS_EVENT_TYPE_23,
    &IDS_EVENT_TYPE_24,
    &IDS_EVENT_TYPE_25,
    &IDS_EVENT_TYPE_26,
    &IDS_EVENT_TYPE_27,
    &IDS_EVENT_TYPE_28,
    &IDS_EVENT_TYPE_29,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    &IDS_EVENT_TYPE_48,
};

const LanguageText* const kPowerOffTexts[kPowerOffNameCount] = {
    &IDS_EVENT_POWER_OFF_0, &IDS_EVENT_POWER_OFF_1, &IDS_EVENT_POWER_OFF_2,
    &IDS_EVENT_POWER_OFF_3, &IDS_EVENT_POWER_OFF_4,
};

constexpr int kStorageFormatEntry = 10;

// A text longer than the entry is cut to fit, terminated.
void StoreName(wchar_t (&entry)[kEventNameLength], const wchar_t* text) {
    std::wcsncpy(entry, text, kEventNameLength - 1);
    entry[kEventNameLength - 1] = L'\0';
}

}  // namespace

void BuildEventTypeNames() {
    for (int i = 0; i < kEventTypeNameCount; ++i) {
        const wchar_t* text = kEventTypeTexts[i] != nullptr ? kEventTypeTexts[i]->GetString() : L"";
        if (i == kStorageFormatEntry)
            text = g_strStorageFormatText.GetString();
        StoreName(g_szEventTypeNames[i], text);
    }
    for (int i = 0; i < kPowerOffNameCount; ++i)
        StoreName(g_szPowerOffNames[i], kPowerOffTexts[i]->GetString());
}
