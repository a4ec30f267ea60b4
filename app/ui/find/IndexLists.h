// The rows of the find dialog's lists, read from the open source through the
// player library's index exports. Each runs on a list thread and delivers its
// rows to a sink; unreadable entries are passed over, an unreadable header
// gives no rows. Indexes whose ring has wrapped are walked from their first
// entry to the ring's end and on from 1 to their last.
#pragma once

#include "app/ui/find/EventStatusText.h"
#include "app/ui/find/FindRowSink.h"
#include "app/ui/find/FindUnits.h"
#include "app/ui/find/QuickSearch.h"

// The time index, thinned to about one row per hour plus the units whose
// event word carries type bits: time, data position, status.
void ListTimeIndex(const EventNames& names, FindRowSink& sink);

// The event index of a disk or card (nothing for other sources): the events
// that belong to a unit of the time index, as time, data position, status.
void ListEventIndex(const EventNames& names, FindRowSink& sink);

// The quick-index records that pass the search and belong to a unit of the
// time index, in the quick list's columns.
void ListQuickSearch(const QuickSearch& search, const FindUnits& units, FindRowSink& sink);
