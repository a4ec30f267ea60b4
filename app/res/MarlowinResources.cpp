#include "app/res/MarlowinResources.h"

#include "app/res/DialogTemplates.h"
#include "app/res/MainMenu.h"
#include "app/res/ResourceIds.h"
#include "app/res/SkinBitmaps.h"
#include "app/res/StringTable.h"
#include "platform/user/Resources.h"

void RegisterDialogTemplates() {
    const struct {
        UINT id;
        DialogTemplate (*make)();
    } templates[] = {
        {IDD_MAIN, MainDialogTemplate},
        {IDD_PLAY_BAR, PlayBarTemplate},
        {IDD_TELEMETRY, TelemetryPanelTemplate},
        {IDD_MAP_PAGE, MapPageTemplate},
        {IDD_MAP_WINDOW, MapWindowTemplate},
        {IDD_FIND, FindTemplate},
        {IDD_ABOUT, AboutTemplate},
        {IDD_SETTINGS, SettingsTemplate},
        {IDD_EXPORT, ExportTemplate},
        {IDD_REBUILD_INDEX, RebuildIndexTemplate},
    };
    for (const auto& entry : templates)
        AddDialogResource(entry.id, entry.make());
}

void RegisterMarlowinResources() {
    RegisterDialogTemplates();
    AddMenuResource(IDR_MAIN_MENU, MainMenuTemplate());
    for (const StringEntry* s = StringTableBegin(); s != StringTableEnd(); ++s)
        AddStringResource(s->id, s->text);
    RegisterSkinBitmaps();
}
