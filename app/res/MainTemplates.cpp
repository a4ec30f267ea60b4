// The main window and the panels it holds: the play bar, the telemetry panel
// and the two dialogs of the floating map.
#include "app/res/DialogStyles.h"
#include "app/res/DialogTemplates.h"
#include "app/res/ResourceIds.h"
#include "platform/web/WebBrowser.h"

using namespace dialog_styles;

namespace {

const wchar_t* const kButton = L"Button";
const wchar_t* const kStatic = L"Static";

}  // namespace

DialogTemplate MainDialogTemplate() {
    DialogTemplate t;
    // A caption and system menu with minimise and maximise boxes but no sizing
    // frame: the window sizes and moves itself through its own hit-testing.
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | DS_MODALFRAME |
              WS_CLIPCHILDREN;
    t.cx = 640;
    t.cy = 400;
    t.title = L"Marlowin";
    // Creation order is the order the window binds its controls in.
    t.items = {
        {kStatic, L"", IDC_MAIN_UNUSED_LABEL, SS_LEFT, 0, 0, 0, 1, 1},
        {kStatic, L"File", IDC_MAIN_MENU_FILE, kClickLabel, 0, 1, 0, 80, 14},
        {kStatic, L"Windows", IDC_MAIN_MENU_WINDOW, kClickLabel, 0, 82, 0, 80, 14},
        {kStatic, L"Control", IDC_MAIN_MENU_CONTROL, kClickLabel, 0, 163, 0, 80, 14},
        {kStatic, L"Settings", IDC_MAIN_MENU_SETTING, kClickLabel, 0, 243, 0, 80, 14},
        {kStatic, L"Help", IDC_MAIN_MENU_HELP, kClickLabel, 0, 324, 0, 80, 14},
        {kStatic, L"", IDC_MAIN_TOP_BAR, kPanel, 0, 0, 0, 640, 51},
        {kButton, L"", IDC_MAIN_OPEN_FILE, kOwnerDrawn, 0, 0, 10, 40, 31},
        {kButton, L"", IDC_MAIN_SEARCH_HDD, kOwnerDrawn, 0, 43, 10, 40, 31},
        {kButton, L"", IDC_MAIN_SEARCH_SD, kOwnerDrawn, 0, 87, 10, 40, 31},
        {kButton, L"", IDC_MAIN_MAP_ON_OFF, kOwnerDrawn, 0, 132, 10, 40, 31},
        {kButton, L"", IDC_MAIN_OTHER_SETTING, kOwnerDrawn, 0, 173, 10, 40, 31},
        {kStatic, L"", IDC_MAIN_BACKDROP, kPanel, 0, 0, 45, 643, 355},
        {kStatic, L"", IDC_MAIN_VIDEO, WS_VISIBLE | SS_BLACKRECT, 0, 2, 45, 426, 245},
        {kWebBrowserClass, L"", IDC_MAIN_MAP_BROWSER, WS_VISIBLE, 0, 437, 63, 200, 110},
        {kButton, L"", IDC_MAIN_MAP_PANE, kOwnerDrawn, 0, 405, 45, 33, 185},
        {kButton, L"", IDC_MAIN_INFO_PANE, kOwnerDrawn, 0, 520, 173, 267, 55},
        {kStatic, L" ", IDC_MAIN_GPS, kLabel, 0, 437, 45, 200, 18},
        {kStatic, L"", IDC_MAIN_CAR_ID, kLabel, 0, 120, 292, 53, 11},
        {kStatic, L"", IDC_MAIN_STATUS, kLabel, 0, 2, 292, 93, 11},
        {kStatic, L"", IDC_MAIN_TIME, kLabel, 0, 333, 292, 93, 11},
        {kStatic, L"", IDC_MAIN_SPEED, kLabel, 0, 147, 292, 53, 11},
        {kStatic, L"", IDC_MAIN_TEMPERATURE, kLabel, 0, 200, 292, 40, 11},
        {kStatic, L"", IDC_MAIN_VOLTAGE, kLabel, 0, 240, 292, 27, 11},
        {kButton, L"", IDC_MAIN_SEEK, kOwnerDrawn, 0, 2, 310, 424, 6},
    };
    return t;
}

DialogTemplate PlayBarTemplate() {
    DialogTemplate t;
    t.style = kChildDialog;
    t.cx = 500;
    t.cy = 50;
    const short y = 2, size = 28;
    t.items = {
        {kButton, L"", IDC_PLAYBAR_FAST_BACKWARD, kOwnerDrawn, 0, 62, y, size, size},
        {kButton, L"", IDC_PLAYBAR_SNAPSHOT, kOwnerDrawn, 0, 186, y, size, size},
        {kButton, L"", IDC_PLAYBAR_EXPORT, kOwnerDrawn, 0, 248, y, size, size},
        {kButton, L"", IDC_PLAYBAR_FAST_FORWARD, kOwnerDrawn, 0, 124, y, size, size},
        {kButton, L"", IDC_PLAYBAR_PLAY, kOwnerDrawn, 0, 93, y, size, size},
        {kButton, L"", IDC_PLAYBAR_PAUSE, BS_OWNERDRAW, 0, 93, y, size, size},
        {kButton, L"", IDC_PLAYBAR_SPLIT, kOwnerDrawn, 0, 217, y, size, size},
        {kButton, L"", IDC_PLAYBAR_STEP_FORWARD, kOwnerDrawn, 0, 155, y, size, size},
        {kButton, L"", IDC_PLAYBAR_STEP_BACKWARD, kOwnerDrawn, 0, 31, y, size, size},
        {kButton, L"", IDC_PLAYBAR_STOP, kOwnerDrawn, 0, 0, y, size, size},
        {kButton, L"", IDC_PLAYBAR_VOLUME, kOwnerDrawn, 0, 300, 20, 57, 9},
        {kButton, L"", IDC_PLAYBAR_VOLUME_MIN, kOwnerDrawn, 0, 283, 12, 16, 16},
        {kButton, L"", IDC_PLAYBAR_VOLUME_MAX, kOwnerDrawn, 0, 360, 12, 16, 16},
        {kButton, L"", IDC_PLAYBAR_AUDIO_CHANNEL, kOwnerDrawn, 0, 390, 8, 40, 20},
    };
    return t;
}

DialogTemplate TelemetryPanelTemplate() {
    DialogTemplate t;
    // The lamps and the dial are drawn with cut-out pixels: the panel's own
    // background must be painted under them.
    t.style = kChildDialog & ~WS_CLIPCHILDREN;
    t.cx = 460;
    t.cy = 142;
    t.items = {
        {kStatic, L"", IDC_PANEL_DIAL, kShown, 0, 0, 0, 0, 0},
        {kStatic, L"", IDC_PANEL_SPEED_DIGITS, kShown, 0, 6, 0, 170, 30},
        {kStatic, L"", IDC_PANEL_TEMPERATURE, kShown, 0, 6, 30, 170, 30},
        {kStatic, L"", IDC_PANEL_G_SENSOR, kShown, 0, 6, 64, 76, 76},
        {kStatic, L"", IDC_PANEL_CHART, kShown, 0, 84, 64, 370, 76},
    };
    for (int lamp = 0; lamp < 10; ++lamp) {
        const short row = lamp < 4 || lamp == 8 ? 0 : 1;
        const short column = lamp == 8 || lamp == 9 ? 4 : static_cast<short>(lamp % 4);
        t.items.push_back({kStatic, L"", IDC_PANEL_LAMP_FIRST + lamp, kShown, 0,
                           static_cast<short>(190 + column * 30), static_cast<short>(row * 30),
                           column == 4 ? short(52) : short(28), 28});
    }
    return t;
}

DialogTemplate MapPageTemplate() {
    DialogTemplate t;
    t.style = kChildDialog;
    t.cx = 300;
    t.cy = 200;
    t.items = {{kWebBrowserClass, L"", IDC_MAP_BROWSER, WS_VISIBLE, 0, 0, 0, 300, 200}};
    return t;
}

DialogTemplate MapWindowTemplate() {
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME |
              WS_CLIPCHILDREN;
    t.cx = 400;
    t.cy = 300;
    t.title = L"Map";
    t.items = {{kStatic, L" ", IDC_MAP_GPS, kLabel, 0, 0, 0, 400, 12}};
    return t;
}
