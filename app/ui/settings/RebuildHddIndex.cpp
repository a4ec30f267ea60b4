#include "app/ui/settings/RebuildHddIndex.h"

#include "app/shell/LanguageTexts.h"

void RunRebuildHddIndex(RebuildIndexHost& host, CDialogRebuildIndex& dialog) {
    host.SetStatusText(L"rebuild hdd time index..");
    host.StopThenOpen({});
    dialog.SetTitleText(ID_MENU_REBUILD_INDEX_HDD.Get());
    const intptr_t result = dialog.DoModal();
    host.StopThenOpen([&host] { host.SetRebuildSourceOpen(false); });
    if (result == kRebuildBroken)
        AfxMessageBox(IDS_STRING291, MB_OK);
    else
        host.SetStatusText(L"");
}
