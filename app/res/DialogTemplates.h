// Marlowin's dialog templates, in dialog units. The windows that run them
// place most controls again when they lay themselves out; the positions here
// are where a control sits before the first layout.
#pragma once

#include "platform/user/DialogTemplate.h"

DialogTemplate MainDialogTemplate();      // IDD_MAIN
DialogTemplate PlayBarTemplate();         // IDD_PLAY_BAR
DialogTemplate TelemetryPanelTemplate();  // IDD_TELEMETRY
DialogTemplate MapPageTemplate();         // IDD_MAP_PAGE
DialogTemplate MapWindowTemplate();       // IDD_MAP_WINDOW
DialogTemplate FindTemplate();            // IDD_FIND
DialogTemplate AboutTemplate();           // IDD_ABOUT
DialogTemplate SettingsTemplate();        // IDD_SETTINGS
DialogTemplate ExportTemplate();          // IDD_EXPORT
DialogTemplate RebuildIndexTemplate();    // IDD_REBUILD_INDEX

// Adds every template above under its id.
void RegisterDialogTemplates();
