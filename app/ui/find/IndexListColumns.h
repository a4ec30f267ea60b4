// The widths of the time and event lists' three columns (time, position,
// status), measured in the list's own font so that their texts show whole:
// the time column fits a time, the status column every status text the
// event names can give, and the position column takes the width the list
// has left beside its scroll bar, never less than its heading needs.
//
// The quick list's eight columns are measured the same way, each to its
// heading and the widest text its cells can hold; the tyres column fits four
// tyres (a car's), more end in an ellipsis. Together they are wider than the
// list, which then scrolls sideways.
//
// UI thread (the list's).
#pragma once

#include <array>
#include <vector>

#include "app/ui/find/EventStatusText.h"
#include "platform/afx/ListCtrl.h"

using IndexListWidths = std::array<int, 3>;

IndexListWidths MeasureIndexListWidths(const CListCtrl& list, const std::vector<CString>& headings,
                                       const EventNames& names);
std::vector<int> MeasureQuickListWidths(const CListCtrl& list,
                                        const std::vector<CString>& headings);
