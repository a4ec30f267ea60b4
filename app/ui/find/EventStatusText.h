// What the recorder's event words say, as the status column of the find
// dialog's time and event lists shows it.
//
// An event word (u32): bits 0-19 the time-index entry the event belongs to;
// bits 20-23 and 29-30 the event type (its bits 0-3 and 4-5); bits 24-28 a
// sub-code: channel number, power-off reason, G-sensor axis or switch number,
// by type.
#pragma once

#include <cstdint>
#include <vector>

#include "app/ui/find/EventTypeNames.h"
#include "platform/afx/String.h"

struct EventWord {
    uint32_t timeEntry;
    int type;     // 0..63
    int subCode;  // 0..31

    static EventWord Decode(uint32_t word);
    // The event word of a type and sub-code (entry 0).
    static uint32_t Encode(int type, int subCode);
    // Bits 20-23 (the low bits of the type) are set: the time list shows
    // such units even between its hourly rows.
    static bool HasTypeBits(uint32_t word) { return (word & 0x00F00000u) != 0; }
};

// A copy of the name tables for one list run: the run's thread reads the
// copy while the UI thread may rebuild the tables.
struct EventNames {
    CString types[kEventTypeNameCount];
    CString powerOff[kPowerOffNameCount];

    // Copies g_szEventTypeNames and g_szPowerOffNames; UI thread.
    static EventNames FromTables();
};

// The event list's status text of an event word.
CString EventStatusText(const EventNames& names, uint32_t word);

// Every text EventStatusText gives for some event word (each once): what
// the status column must have room for.
std::vector<CString> EveryEventStatusText(const EventNames& names);

// The time list's status text: the names of power-on and the two clock
// adjustments, the power-off text, else empty.
CString TimeUnitStatusText(const EventNames& names, uint32_t word);
