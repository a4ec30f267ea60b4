// The tool dialogs other than export: find and play, about, settings and the
// index rebuild.
#include "app/res/DialogStyles.h"
#include "app/res/DialogTemplates.h"
#include "app/res/ResourceIds.h"

using namespace dialog_styles;

namespace {

const wchar_t* const kButton = L"Button";
const wchar_t* const kStatic = L"Static";
const wchar_t* const kEditClass = L"Edit";

// One search row of the find dialog: label, value edit, unit label, button.
void AddSearchRow(DialogTemplate& t, int firstId, const wchar_t* label, const wchar_t* unit,
                  short y) {
    t.items.push_back({kStatic, label, firstId, kLabel, 0, 290, y, 70, 10});
    t.items.push_back({kEditClass, L"", firstId + 1, kEdit, 0, 362, short(y - 2), 44, 12});
    t.items.push_back({kStatic, unit, firstId + 2, kLabel, 0, 408, y, 40, 10});
    t.items.push_back({kButton, L"Find", firstId + 3, kPush, 0, 450, short(y - 2), 34, 13});
}

// A position row: label, centre edit, "±", tolerance edit.
void AddPositionRow(DialogTemplate& t, const int (&ids)[4], const wchar_t* label, short y) {
    t.items.push_back({kStatic, label, ids[0], kLabel, 0, 290, y, 40, 10});
    t.items.push_back({kEditClass, L"", ids[1], kEdit, 0, 332, short(y - 2), 60, 12});
    t.items.push_back({kStatic, L"\u00b1", ids[2], kLabel, 0, 395, y, 8, 10});
    t.items.push_back({kEditClass, L"", ids[3], kEdit, 0, 405, short(y - 2), 40, 12});
}

}  // namespace

DialogTemplate FindTemplate() {
    DialogTemplate t;
    t.style = kToolDialog;
    t.cx = 490;
    t.cy = 300;
    t.title = L"Find and Play";
    t.items = {
        {kButton, L"", IDC_FIND_TIME_INDEX, kRadio | WS_GROUP | WS_TABSTOP, 0, 8, 8, 10, 10},
        {kButton, L"", IDC_FIND_EVENT_INDEX, kRadio, 0, 78, 8, 10, 10},
        {kButton, L"", IDC_FIND_QUICK_INDEX, kRadio, 0, 148, 8, 10, 10},
        {kStatic, L"Time Index", IDC_FIND_TIME_LABEL, kLabel, 0, 20, 9, 55, 10},
        {kStatic, L"Event Index", IDC_FIND_EVENT_LABEL, kLabel, 0, 90, 9, 55, 10},
        {kStatic, L"Quick Index", IDC_FIND_QUICK_LABEL, kLabel, 0, 160, 9, 55, 10},
        {kStatic, L"", IDC_FIND_STATUS, kLabel, 0, 8, 284, 276, 10},
        {L"SysListView32", L"", IDC_FIND_LIST, kReportList, 0, 8, 24, 276, 256},
    };
    AddSearchRow(t, IDC_FIND_SPEED_LABEL, L"Speed(>)", L"(km/h)", 32);
    AddSearchRow(t, IDC_FIND_G_LABEL, L"G-Sensor(>)", L"(0.1~2.0)", 48);
    AddSearchRow(t, IDC_FIND_TEMPERATURE_LABEL, L"Temperature(>)", L"(\u2103)", 64);
    AddSearchRow(t, IDC_FIND_TYRE_TEMP_LABEL, L"Tyre temperature", L"(\u2103)", 102);
    AddSearchRow(t, IDC_FIND_PRESSURE_ABOVE_LABEL, L"Pressure(>)", L"(PSI)", 118);
    AddSearchRow(t, IDC_FIND_PRESSURE_BELOW_LABEL, L"Pressure(<)", L"(PSI)", 134);
    AddPositionRow(t,
                   {IDC_FIND_LONGITUDE_LABEL, IDC_FIND_LONGITUDE_EDIT,
                    IDC_FIND_LONGITUDE_PLUS_MINUS, IDC_FIND_LONGITUDE_TOLERANCE},
                   L"Longitude", 174);
    AddPositionRow(t,
                   {IDC_FIND_LATITUDE_LABEL, IDC_FIND_LATITUDE_EDIT, IDC_FIND_LATITUDE_PLUS_MINUS,
                    IDC_FIND_LATITUDE_TOLERANCE},
                   L"Latitude", 190);
    t.items.push_back({kButton, L"Find", IDC_FIND_POSITION_BUTTON, kPush, 0, 450, 204, 34, 13});
    // The frames come after what they hold: a window above its siblings
    // clips them, and the frames would cover their own fields.
    t.items.push_back({kButton, L"Sensors", IDC_FIND_SENSOR_GROUP, kGroup, 0, 286, 20, 200, 64});
    t.items.push_back({kButton, L"Tyres", IDC_FIND_TYRE_GROUP, kGroup, 0, 286, 90, 200, 64});
    t.items.push_back(
        {kButton, L"Position", IDC_FIND_POSITION_GROUP, kGroup, 0, 286, 160, 200, 64});
    t.items.push_back(
        {L"SysDateTimePick32", L"", IDC_FIND_TIME_PICKER, kPicker, 0, 290, 240, 110, 14});
    t.items.push_back({kButton, L"Find", IDC_FIND_TIME_BUTTON, kPush, 0, 404, 240, 34, 14});
    return t;
}

DialogTemplate AboutTemplate() {
    DialogTemplate t;
    t.style = kToolDialog;
    t.cx = 240;
    t.cy = 110;
    t.title = L"About";
    t.items = {
        {kStatic, L"", IDC_ABOUT_VERSION, kLabel, 0, 10, 10, 220, 70},
        {kButton, L"Check New Version", IDC_ABOUT_UPDATE, kPush, 0, 80, 88, 80, 14},
    };
    return t;
}

DialogTemplate SettingsTemplate() {
    DialogTemplate t;
    t.style = kToolDialog;
    t.cx = 300;
    t.cy = 150;
    t.title = L"Other Settings";
    t.items = {
        {kStatic, L"Language", IDC_SETTINGS_LANGUAGE_LABEL, kLabel, 0, 10, 12, 70, 10},
        {L"ComboBox", L"", IDC_SETTINGS_LANGUAGE, kDropList, 0, 84, 10, 120, 80},
    };
    const struct {
        int label, edit, browse;
        const wchar_t* text;
    } folders[] = {
        {IDC_SETTINGS_LOG_LABEL, IDC_SETTINGS_LOG_DIR, IDC_SETTINGS_LOG_BROWSE, L"Log"},
        {IDC_SETTINGS_PICTURE_LABEL, IDC_SETTINGS_PICTURE_DIR, IDC_SETTINGS_PICTURE_BROWSE,
         L"Pictures"},
        {IDC_SETTINGS_EXPORT_LABEL, IDC_SETTINGS_EXPORT_DIR, IDC_SETTINGS_EXPORT_BROWSE, L"Export"},
    };
    short y = 30;
    for (const auto& f : folders) {
        t.items.push_back({kStatic, f.text, f.label, kLabel, 0, 10, short(y + 2), 70, 10});
        t.items.push_back({kEditClass, L"", f.edit, kEdit, 0, 84, y, 180, 12});
        t.items.push_back({kButton, L"...", f.browse, kPush, 0, 268, y, 22, 12});
        y += 20;
    }
    t.items.push_back({kButton, L"", IDC_SETTINGS_AUTO_REPLAY, kCheck, 0, 84, 92, 10, 10});
    t.items.push_back(
        {kStatic, L"Auto replay", IDC_SETTINGS_AUTO_REPLAY_LABEL, kLabel, 0, 10, 92, 70, 10});
    t.items.push_back(
        {kButton, L"OK", IDC_SETTINGS_OK, kPush | BS_DEFPUSHBUTTON, 0, 84, 126, 60, 14});
    t.items.push_back({kButton, L"Apply", IDC_SETTINGS_APPLY, kPush, 0, 152, 126, 60, 14});
    t.items.push_back({kButton, L"Exit", IDC_SETTINGS_EXIT, kPush, 0, 220, 126, 60, 14});
    return t;
}

DialogTemplate RebuildIndexTemplate() {
    DialogTemplate t;
    t.style = kToolDialog;
    t.cx = 260;
    t.cy = 80;
    t.title = L"HDD Time Index Rebuild";
    t.items = {
        {kStatic, L"", IDC_REBUILD_TEXT, kLabel, 0, 10, 10, 240, 10},
        {L"msctls_progress32", L"", IDC_REBUILD_PROGRESS, kShown, 0, 10, 26, 240, 12},
        {kButton, L"START", IDC_REBUILD_START, kPush, 0, 60, 54, 60, 14},
        {kButton, L"CLOSE", IDC_REBUILD_CLOSE, kPush, 0, 140, 54, 60, 14},
    };
    return t;
}
