// The searches of the recorder's quick index: what the user asked for, the
// test each record is put to, and the row a matching record gets.
#pragma once

#include <vector>

#include "app/ui/find/FindUnits.h"
#include "platform/afx/String.h"
#include "shared/IndexRecords.h"
#include "shared/QuickIndexRecords.h"

// One search as the user typed it: its button and its value, or for the
// position search its two centres and tolerances (decimal degrees).
struct QuickSearch {
    int buttonId = 0;  // the search button's id; 0 when there is none
    double value = 0;
    double latitudeCentre = 0;
    double longitudeCentre = 0;
    double latitudeTolerance = 0;
    double longitudeTolerance = 0;
};

// The test of one search on records, with its threshold turned into the
// record's units once.
class QuickRecordTest {
public:
    QuickRecordTest(const QuickSearch& search, const FindUnits& units);
    bool operator()(const QuickInxUnit& unit) const;

private:
    bool PositionMatches(const QuickInxUnit& unit) const;
    bool AnyTyre(const QuickInxUnit& unit, bool (QuickRecordTest::*test)(int, int) const) const;
    bool TyreHotter(int psi, int temperatureByte) const;
    bool PressureAbove(int psi, int temperatureByte) const;
    bool PressureBelow(int psi, int temperatureByte) const;

    QuickSearch m_search;
    double m_threshold = 0;
};

// The column headings of the quick list, in the dialog's units.
std::vector<CString> QuickListHeadings(const FindUnits& units);

// The cells of a matching record's row. `timeUnit` is the record's
// time-index unit, or null when it is outside the time index or unreadable.
std::vector<CString> QuickResultCells(const QuickInxUnit& unit, const InxUnit* timeUnit,
                                      const FindUnits& units);
