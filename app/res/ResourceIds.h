// Every resource id of Marlowin: dialog templates, their controls, menu 2000
// and its commands, the skin bitmaps and the string table. Windows and
// controls include this header and never spell an id as a bare number.
//
// The language texts are CString globals named by their keys (IDC_BTN_START,
// ID_MENU_FILE, IDS_STATE_READY...); the ids here use other prefixes so the
// two never collide.
#pragma once

#include "platform/user/UserTypes.h"

// Dialog templates.
inline constexpr UINT IDD_MAIN = 102;        // the main window
inline constexpr UINT IDD_MAP_PAGE = 103;    // map browser child of the floating map window
inline constexpr UINT IDD_MAP_WINDOW = 104;  // floating map window (double screen)
inline constexpr UINT IDD_FIND = 107;        // find and play
inline constexpr UINT IDD_ABOUT = 109;
inline constexpr UINT IDD_SETTINGS = 110;  // other settings
inline constexpr UINT IDD_EXPORT = 112;
inline constexpr UINT IDD_TELEMETRY = 113;  // telemetry panel, child of the main window
inline constexpr UINT IDD_PLAY_BAR = 114;   // child of the main window
inline constexpr UINT IDD_REBUILD_INDEX = 18052;

// Menu 2000: five popups (File, Windows, Control, Settings, Help).
inline constexpr UINT IDR_MAIN_MENU = 2000;
inline constexpr UINT IDM_OPEN_FILE = 3010;
inline constexpr UINT IDM_SEARCH_HDD = 3011;
inline constexpr UINT IDM_SEARCH_SD = 3012;
inline constexpr UINT IDM_CLOSE = 3013;
inline constexpr UINT IDM_SINGLE_SCREEN = 3020;
inline constexpr UINT IDM_DOUBLE_SCREEN = 3021;
inline constexpr UINT IDM_SPEED_KM = 3040;
inline constexpr UINT IDM_SPEED_MILE = 3041;
inline constexpr UINT IDM_TEMPERATURE_C = 3042;
inline constexpr UINT IDM_TEMPERATURE_F = 3043;
inline constexpr UINT IDM_FIND_AND_PLAY = 3050;
inline constexpr UINT IDM_OTHER_SETTING = 3055;
inline constexpr UINT IDM_ABOUT = 3056;
inline constexpr UINT IDM_REBUILD_INDEX_HDD = 3067;
// Ids given to the popup entries when they are relabelled by position.
inline constexpr UINT IDM_POPUP_LAYOUT = 3057;
inline constexpr UINT IDM_POPUP_UNIT_SETTING = 3059;
inline constexpr UINT IDM_POPUP_MAP_TYPE = 3066;
inline constexpr UINT IDM_POPUP_SPEED_UNIT = 3063;
inline constexpr UINT IDM_POPUP_TEMPERATURE_UNIT = 3064;

// Main window (IDD_MAIN).
inline constexpr int IDC_MAIN_TOP_BAR = 10000;
inline constexpr int IDC_MAIN_OPEN_FILE = 10002;
inline constexpr int IDC_MAIN_SEARCH_HDD = 10003;
inline constexpr int IDC_MAIN_SEARCH_SD = 10004;
inline constexpr int IDC_MAIN_MAP_ON_OFF = 10005;
inline constexpr int IDC_MAIN_OTHER_SETTING = 10006;
inline constexpr int IDC_MAIN_VIDEO = 10007;
inline constexpr int IDC_MAIN_MAP_BROWSER = 10008;
inline constexpr int IDC_MAIN_BACKDROP = 10009;
inline constexpr int IDC_MAIN_MAP_PANE = 10010;  // map pane on/off
inline constexpr int IDC_MAIN_SEEK = 10011;
inline constexpr int IDC_MAIN_UNUSED_LABEL = 10024;
inline constexpr int IDC_MAIN_MENU_FILE = 10025;  // menu-bar labels, popups 0..4
inline constexpr int IDC_MAIN_MENU_WINDOW = 10026;
inline constexpr int IDC_MAIN_MENU_CONTROL = 10027;
inline constexpr int IDC_MAIN_MENU_SETTING = 10028;
inline constexpr int IDC_MAIN_MENU_HELP = 10029;
inline constexpr int IDC_MAIN_GPS = 10031;
inline constexpr int IDC_MAIN_STATUS = 10032;
inline constexpr int IDC_MAIN_CAR_ID = 10033;
inline constexpr int IDC_MAIN_TIME = 10034;
inline constexpr int IDC_MAIN_SPEED = 10035;
inline constexpr int IDC_MAIN_TEMPERATURE = 10036;
inline constexpr int IDC_MAIN_VOLTAGE = 10037;
inline constexpr int IDC_MAIN_INFO_PANE = 11052;  // telemetry panel on/off

// Play bar (IDD_PLAY_BAR).
inline constexpr int IDC_PLAYBAR_VOLUME = 10012;
inline constexpr int IDC_PLAYBAR_VOLUME_MIN = 10013;
inline constexpr int IDC_PLAYBAR_VOLUME_MAX = 10014;
inline constexpr int IDC_PLAYBAR_FAST_BACKWARD = 10015;
inline constexpr int IDC_PLAYBAR_SNAPSHOT = 10016;
inline constexpr int IDC_PLAYBAR_EXPORT = 10017;
inline constexpr int IDC_PLAYBAR_FAST_FORWARD = 10018;
inline constexpr int IDC_PLAYBAR_PLAY = 10019;
inline constexpr int IDC_PLAYBAR_SPLIT = 10020;
inline constexpr int IDC_PLAYBAR_STEP_FORWARD = 10021;
inline constexpr int IDC_PLAYBAR_STEP_BACKWARD = 10022;
inline constexpr int IDC_PLAYBAR_STOP = 10023;
inline constexpr int IDC_PLAYBAR_PAUSE = 10030;  // always hidden
inline constexpr int IDC_PLAYBAR_AUDIO_CHANNEL = 10038;

// Telemetry panel (IDD_TELEMETRY).
inline constexpr int IDC_PANEL_DIAL = 11000;
inline constexpr int IDC_PANEL_SPEED_DIGITS = 11002;
inline constexpr int IDC_PANEL_LAMP_FIRST = 11003;  // 11003..11010 alarm inputs 1-8
inline constexpr int IDC_PANEL_RELAY_1 = 11011;
inline constexpr int IDC_PANEL_RELAY_2 = 11012;
inline constexpr int IDC_PANEL_TEMPERATURE = 11013;
inline constexpr int IDC_PANEL_G_SENSOR = 11014;
inline constexpr int IDC_PANEL_CHART = 11016;

// Map page child (IDD_MAP_PAGE) and floating map window (IDD_MAP_WINDOW).
inline constexpr int IDC_MAP_BROWSER = 12001;
inline constexpr int IDC_MAP_GPS = 12003;

// Find and play (IDD_FIND).
inline constexpr int IDC_FIND_TIME_INDEX = 14002;  // radio buttons
inline constexpr int IDC_FIND_EVENT_INDEX = 14003;
inline constexpr int IDC_FIND_QUICK_INDEX = 14004;
inline constexpr int IDC_FIND_TIME_LABEL = 14005;
inline constexpr int IDC_FIND_EVENT_LABEL = 14006;
inline constexpr int IDC_FIND_QUICK_LABEL = 14007;
inline constexpr int IDC_FIND_STATUS = 14008;
inline constexpr int IDC_FIND_LIST = 14009;
inline constexpr int IDC_FIND_SEARCH_FIRST = 14010;  // the search controls: 14010..14046
inline constexpr int IDC_FIND_SENSOR_GROUP = 14010;
inline constexpr int IDC_FIND_SPEED_LABEL = 14011;
inline constexpr int IDC_FIND_SPEED_EDIT = 14012;
inline constexpr int IDC_FIND_SPEED_UNIT = 14013;
inline constexpr int IDC_FIND_SPEED_BUTTON = 14014;
inline constexpr int IDC_FIND_G_LABEL = 14015;
inline constexpr int IDC_FIND_G_EDIT = 14016;
inline constexpr int IDC_FIND_G_RANGE = 14017;
inline constexpr int IDC_FIND_G_BUTTON = 14018;
inline constexpr int IDC_FIND_TEMPERATURE_LABEL = 14019;
inline constexpr int IDC_FIND_TEMPERATURE_EDIT = 14020;
inline constexpr int IDC_FIND_TEMPERATURE_UNIT = 14021;
inline constexpr int IDC_FIND_TEMPERATURE_BUTTON = 14022;
inline constexpr int IDC_FIND_TYRE_GROUP = 14023;
inline constexpr int IDC_FIND_TYRE_TEMP_LABEL = 14024;
inline constexpr int IDC_FIND_TYRE_TEMP_EDIT = 14025;
inline constexpr int IDC_FIND_TYRE_TEMP_UNIT = 14026;
inline constexpr int IDC_FIND_TYRE_TEMP_BUTTON = 14027;
inline constexpr int IDC_FIND_PRESSURE_ABOVE_LABEL = 14028;
inline constexpr int IDC_FIND_PRESSURE_ABOVE_EDIT = 14029;
inline constexpr int IDC_FIND_PRESSURE_ABOVE_UNIT = 14030;
inline constexpr int IDC_FIND_PRESSURE_ABOVE_BUTTON = 14031;
inline constexpr int IDC_FIND_PRESSURE_BELOW_LABEL = 14032;
inline constexpr int IDC_FIND_PRESSURE_BELOW_EDIT = 14033;
inline constexpr int IDC_FIND_PRESSURE_BELOW_UNIT = 14034;
inline constexpr int IDC_FIND_PRESSURE_BELOW_BUTTON = 14035;
inline constexpr int IDC_FIND_POSITION_GROUP = 14036;
inline constexpr int IDC_FIND_LONGITUDE_LABEL = 14037;
inline constexpr int IDC_FIND_LONGITUDE_EDIT = 14038;
inline constexpr int IDC_FIND_LONGITUDE_PLUS_MINUS = 14039;
inline constexpr int IDC_FIND_LONGITUDE_TOLERANCE = 14040;
inline constexpr int IDC_FIND_LATITUDE_LABEL = 14041;
inline constexpr int IDC_FIND_LATITUDE_EDIT = 14042;
inline constexpr int IDC_FIND_LATITUDE_PLUS_MINUS = 14043;
inline constexpr int IDC_FIND_LATITUDE_TOLERANCE = 14045;
inline constexpr int IDC_FIND_POSITION_BUTTON = 14046;
inline constexpr int IDC_FIND_SEARCH_LAST = 14046;
inline constexpr int IDC_FIND_TIME_PICKER = 14047;
inline constexpr int IDC_FIND_TIME_BUTTON = 14048;

// About box (IDD_ABOUT).
inline constexpr int IDC_ABOUT_VERSION = 16000;
inline constexpr int IDC_ABOUT_UPDATE = 18054;

// Other settings (IDD_SETTINGS).
inline constexpr int IDC_SETTINGS_LANGUAGE_LABEL = 17000;
inline constexpr int IDC_SETTINGS_LANGUAGE = 17001;
inline constexpr int IDC_SETTINGS_LOG_LABEL = 17002;
inline constexpr int IDC_SETTINGS_LOG_DIR = 17003;
inline constexpr int IDC_SETTINGS_LOG_BROWSE = 17004;
inline constexpr int IDC_SETTINGS_PICTURE_LABEL = 17005;
inline constexpr int IDC_SETTINGS_PICTURE_DIR = 17006;
inline constexpr int IDC_SETTINGS_PICTURE_BROWSE = 17007;
inline constexpr int IDC_SETTINGS_EXPORT_LABEL = 17008;
inline constexpr int IDC_SETTINGS_EXPORT_DIR = 17009;
inline constexpr int IDC_SETTINGS_EXPORT_BROWSE = 17010;
inline constexpr int IDC_SETTINGS_APPLY = 17019;
inline constexpr int IDC_SETTINGS_OK = 17020;
inline constexpr int IDC_SETTINGS_EXIT = 17021;
inline constexpr int IDC_SETTINGS_AUTO_REPLAY = 17022;
inline constexpr int IDC_SETTINGS_AUTO_REPLAY_LABEL = 11059;

// Export (IDD_EXPORT); also START, CLOSE and the progress bar of IDD_REBUILD_INDEX.
inline constexpr int IDC_EXPORT_START_TRACK = 19001;
inline constexpr int IDC_EXPORT_END_TRACK = 19003;
inline constexpr int IDC_EXPORT_DIR = 19004;
inline constexpr int IDC_EXPORT_BROWSE = 19005;
inline constexpr int IDC_EXPORT_RAW = 19006;
inline constexpr int IDC_EXPORT_AVI = 19007;
inline constexpr int IDC_EXPORT_MOV = 19008;
inline constexpr int IDC_EXPORT_CHANNEL_FIRST = 19009;  // check boxes of channels 1-16
inline constexpr int IDC_EXPORT_MOSAIC = 19025;
inline constexpr int IDC_EXPORT_CHANNEL_LABEL_FIRST = 19026;  // their labels
inline constexpr int IDC_EXPORT_MOSAIC_LABEL = 19042;
inline constexpr int IDC_EXPORT_PROGRESS = 19043;
inline constexpr int IDC_EXPORT_START = 19044;
inline constexpr int IDC_EXPORT_CLOSE = 19045;
inline constexpr int IDC_EXPORT_START_LABEL = 19046;
inline constexpr int IDC_EXPORT_END_LABEL = 19047;
inline constexpr int IDC_EXPORT_DIR_LABEL = 19048;
inline constexpr int IDC_EXPORT_RAW_LABEL = 19049;
inline constexpr int IDC_EXPORT_AVI_LABEL = 19050;
inline constexpr int IDC_EXPORT_MOV_LABEL = 19051;
inline constexpr int IDC_EXPORT_OVERLAY_TIME =
    19053;  // overlay check boxes, each followed by its label
inline constexpr int IDC_EXPORT_OVERLAY_TIME_LABEL = 19054;
inline constexpr int IDC_EXPORT_OVERLAY_PLATE = 19055;
inline constexpr int IDC_EXPORT_OVERLAY_PLATE_LABEL = 19056;
inline constexpr int IDC_EXPORT_OVERLAY_SPEED = 19057;
inline constexpr int IDC_EXPORT_OVERLAY_SPEED_LABEL = 19058;
inline constexpr int IDC_EXPORT_OVERLAY_TEMPERATURE = 19059;
inline constexpr int IDC_EXPORT_OVERLAY_TEMPERATURE_LABEL = 19060;
inline constexpr int IDC_EXPORT_OVERLAY_GPS = 19061;
inline constexpr int IDC_EXPORT_OVERLAY_GPS_LABEL = 19062;
inline constexpr int IDC_EXPORT_START_PICKER = 19063;
inline constexpr int IDC_EXPORT_END_PICKER = 19065;

// Rebuild index (IDD_REBUILD_INDEX).
inline constexpr int IDC_REBUILD_START = IDC_EXPORT_START;
inline constexpr int IDC_REBUILD_CLOSE = IDC_EXPORT_CLOSE;
inline constexpr int IDC_REBUILD_PROGRESS = IDC_EXPORT_PROGRESS;
inline constexpr int IDC_REBUILD_TEXT = 18053;

// Skin bitmaps (24-bit, 0x00RRGGBB). "2 cells" = normal | hover side by side.
enum SkinBitmapId : UINT {
    IDB_TOP_BAR = 1001,   // 64 x 83, stretched
    IDB_MINIMISE = 1002,  // 16 x 16 caption boxes, drawn on RGB(85, 85, 85)
    IDB_MINIMISE_HOVER = 1003,
    IDB_MAXIMISE = 1004,
    IDB_RESTORE = 1005,
    IDB_CLOSE = 1006,
    IDB_CLOSE_HOVER = 1007,
    IDB_OPEN_FILE = 1009,  // tool buttons: 120 x 50, 2 cells, key black
    IDB_SEARCH_HDD = 1011,
    IDB_SEARCH_SD = 1012,
    IDB_SETTINGS = 1013,
    IDB_MAP_ON_OFF = 1014,
    IDB_BACKDROP = 1015,       // 64 x 256, stretched (also the play bar)
    IDB_MAP_PANE_SHOW = 1016,  // 48 x 40, 2 cells, key black
    IDB_SEEK_THUMB = 1017,     // 68 x 60, key black
    IDB_SEEK_TRACK = 1018,     // 38 x 10, stretched
    IDB_VOLUME_EMPTY = 1019,   // 100 x 33, squeezed
    IDB_VOLUME_FILLED = 1020,  // 100 x 33, squeezed
    IDB_VOLUME_THUMB = 1021,   // 28 x 31, key black
    IDB_VOLUME_MIN = 1022,     // 44 x 22, 2 cells, key black
    IDB_VOLUME_MAX = 1023,
    IDB_FAST_BACKWARD = 1024,  // transport buttons: 80 x 40, 2 cells, key RGB(10, 10, 10)
    IDB_SNAPSHOT = 1025,
    IDB_EXPORT = 1026,
    IDB_FAST_FORWARD = 1027,
    IDB_PLAY = 1028,
    IDB_SPLIT = 1029,
    IDB_STEP_BACKWARD = 1030,
    IDB_STEP_FORWARD = 1031,
    IDB_STOP = 1032,
    IDB_DIAL_0 = 1033,  // 200 x 200, key RGB(0, 0, 255)
    IDB_DIAL_1 = 1034,
    IDB_DIAL_2 = 1035,
    IDB_INFO_PANE_HIDE = 1064,     // 96 x 20, 2 cells, key black
    IDB_BORDER_HORIZONTAL = 1065,  // 1047 x 6
    IDB_BORDER_VERTICAL = 1066,    // 3 x 379
    IDB_PAUSE = 1070,              // transport button
    IDB_LAMP_FIRST = 1071,   // 1071 + 2i off, 1072 + 2i on (i = 0..7): 32 x 32, key RGB(25, 25, 25)
    IDB_RELAY_1_OFF = 1087,  // 56 x 32, key RGB(25, 25, 25)
    IDB_RELAY_1_ON = 1088,
    IDB_RELAY_2_OFF = 1089,
    IDB_RELAY_2_ON = 1090,
    IDB_SPEED_DIGITS = 1097,     // 322 x 97
    IDB_TELEMETRY_PANEL = 1098,  // 64 x 128, stretched
    IDB_MAP_PANE_HIDE = 1100,    // as IDB_MAP_PANE_SHOW
    IDB_INFO_PANE_SHOW = 1101,   // as IDB_INFO_PANE_HIDE
    IDB_AUDIO_CHANNEL_0 = 1102,  // 112 x 28, 2 cells, key RGB(10, 10, 10)
    IDB_AUDIO_CHANNEL_1 = 1103,
};

// String table: the fixed English texts that are not language texts. No
// string shares an id with a control, so skinned buttons show no caption.
inline constexpr UINT IDS_MSG_PLAYER_LIB_FAIL = 30001;
inline constexpr UINT IDS_MSG_PLAYER_INIT_FAIL = 30002;
inline constexpr UINT IDS_MSG_EXPORT_LIB_FAIL = 30003;
inline constexpr UINT IDS_MSG_REBUILD_TITLE = 30004;
inline constexpr UINT IDS_MSG_REBUILD_STATUS = 30005;
