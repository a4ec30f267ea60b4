#include "app/ui/find/EventStatusText.h"

#include <algorithm>

namespace {

enum EventType : int {
    kUnknownSource = 0,
    kPowerOn = 1,
    kPowerOff = 2,
    kAlarm = 3,
    kRecordSwitch = 4,
    kVideoLoss = 5,
    kTimeBackward = 7,
    kTimeForward = 8,
    kRelayOutput = 9,
    kTyreAlert = 12,
    kGForce = 13,
    kChannelEvent = 16,
};

// Type 0 names its source by sub-code from entry 16 on; type 16 takes the
// name of entry 48.
constexpr int kSourceNamesFrom = 16;
constexpr int kChannelEventName = 48;

CString Formatted(const wchar_t* format, int number, const CString& name) {
    CString text;
    text.Format(format, number, name.GetString());
    return text;
}

CString PowerOffText(const EventNames& names, int subCode) {
    return subCode < kPowerOffNameCount ? names.powerOff[subCode] : names.types[kPowerOff];
}

CString GForceText(const CString& name, int axis) {
    static const wchar_t* const kAxes[] = {L"%s(X)", L"%s(Y)", L"%s(Z)"};
    CString text;
    text.Format(axis < 3 ? kAxes[axis] : L"%s(?)", name.GetString());
    return text;
}

CString ChannelEventText(const CString& name, int channel) {
    if (channel != 0)
        return Formatted(L"CH%02d %s", channel, name);
    CString text;
    text.Format(L"Unknown Channel %s", name.GetString());
    return text;
}

// Types beyond the named ones: their name when the table has one, else the
// unknown name with the type's number, so that no row is left blank.
CString OtherTypeText(const EventNames& names, int type) {
    if (type < kEventTypeNameCount && !names.types[type].IsEmpty())
        return names.types[type];
    CString text;
    text.Format(L"%s %d", names.types[kUnknownSource].GetString(), type);
    return text;
}

}  // namespace

EventWord EventWord::Decode(uint32_t word) {
    const int type = int((word >> 20) & 0xF) | int(((word >> 29) & 0x3) << 4);
    return EventWord{word & 0xFFFFFu, type, int((word >> 24) & 0x1F)};
}

uint32_t EventWord::Encode(int type, int subCode) {
    const auto t = uint32_t(type);
    return (t & 0xF) << 20 | (t >> 4 & 0x3) << 29 | (uint32_t(subCode) & 0x1F) << 24;
}

EventNames EventNames::FromTables() {
    EventNames names;
    for (int i = 0; i < kEventTypeNameCount; ++i)
        names.types[i] = g_szEventTypeNames[i];
    for (int i = 0; i < kPowerOffNameCount; ++i)
        names.powerOff[i] = g_szPowerOffNames[i];
    return names;
}

CString EventStatusText(const EventNames& names, uint32_t word) {
    const EventWord e = EventWord::Decode(word);
    const CString& name = e.type < kEventTypeNameCount ? names.types[e.type] : names.types[0];
    switch (e.type) {
        case kUnknownSource:
            return names.types[kSourceNamesFrom + e.subCode];
        case kPowerOff:
            return PowerOffText(names, e.subCode);
        case kAlarm:
        case kVideoLoss:
        case kRelayOutput:
        case kTyreAlert:
            return Formatted(L"CH%02d %s", e.subCode, name);
        case kRecordSwitch:
            return e.subCode == 1 || e.subCode == 2 ? Formatted(L"%d %s", e.subCode, name) : name;
        case kGForce:
            return GForceText(name, e.subCode);
        case kChannelEvent:
            return ChannelEventText(names.types[kChannelEventName], e.subCode);
        default:
            return e.type < kSourceNamesFrom ? name : OtherTypeText(names, e.type);
    }
}

std::vector<CString> EveryEventStatusText(const EventNames& names) {
    std::vector<CString> texts;
    for (int type = 0; type < 64; ++type) {
        for (int subCode = 0; subCode < 32; ++subCode) {
            const CString text = EventStatusText(names, EventWord::Encode(type, subCode));
            if (std::find(texts.begin(), texts.end(), text) == texts.end())
                texts.push_back(text);
        }
    }
    return texts;
}

CString TimeUnitStatusText(const EventNames& names, uint32_t word) {
    const EventWord e = EventWord::Decode(word);
    switch (e.type) {
        case kPowerOn:
        case kTimeBackward:
        case kTimeForward:
            return names.types[e.type];
        case kPowerOff:
            return PowerOffText(names, e.subCode);
        default:
            return CString();
    }
}
