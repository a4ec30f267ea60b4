// The main window's command "Rebuild Time Index HDD": closes what is open,
// runs the rebuild dialog modally and, when it ends, has the host stop and
// close the rebuild source and return to the idle play state. A rebuild the
// user broke off is confirmed with "Stop extracting by user!" (its language
// text); otherwise the status line is cleared. UI thread only.
#pragma once

#include "app/ui/settings/DialogRebuildIndex.h"
#include "app/ui/settings/RebuildIndexHost.h"

void RunRebuildHddIndex(RebuildIndexHost& host, CDialogRebuildIndex& dialog);
