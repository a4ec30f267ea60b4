#include "tools/skingallery/SkinGallery.h"

#include <algorithm>

#include "app/res/DialogStyles.h"
#include "app/res/ResourceIds.h"
#include "platform/user/Resources.h"
#include "tools/skingallery/GallerySamples.h"

using namespace dialog_styles;

namespace {

constexpr UINT kTemplate = 65300;
constexpr int kPanelId = 65301;  // the telemetry panel, a skinned static here
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
// The transport and audio buttons cut out the play bar's key colour.
constexpr COLORREF kPlayBarKey = RGB(10, 10, 10);

// Tool buttons of the top bar, left to right. The pointer rests on the
// second, whose hover ends once the held play button takes the capture.
constexpr int kToolIds[] = {IDC_MAIN_OPEN_FILE, IDC_MAIN_SEARCH_HDD, IDC_MAIN_SEARCH_SD,
                            IDC_MAIN_MAP_ON_OFF, IDC_MAIN_OTHER_SETTING};
constexpr UINT kToolSkins[] = {IDB_OPEN_FILE, IDB_SEARCH_HDD, IDB_SEARCH_SD, IDB_MAP_ON_OFF,
                               IDB_SETTINGS};
constexpr int kMenuIds[] = {IDC_MAIN_MENU_FILE, IDC_MAIN_MENU_WINDOW, IDC_MAIN_MENU_CONTROL};
const wchar_t* const kMenuTexts[] = {L"File", L"Windows", L"Control"};
// Transport buttons in the play bar's order; the fourth (play) is held down.
constexpr int kTransportIds[] = {
    IDC_PLAYBAR_STOP,     IDC_PLAYBAR_STEP_BACKWARD, IDC_PLAYBAR_FAST_BACKWARD,
    IDC_PLAYBAR_PLAY,     IDC_PLAYBAR_FAST_FORWARD,  IDC_PLAYBAR_STEP_FORWARD,
    IDC_PLAYBAR_SNAPSHOT, IDC_PLAYBAR_SPLIT,         IDC_PLAYBAR_EXPORT};
constexpr UINT kTransportSkins[] = {IDB_STOP,     IDB_STEP_BACKWARD, IDB_FAST_BACKWARD,
                                    IDB_PLAY,     IDB_FAST_FORWARD,  IDB_STEP_FORWARD,
                                    IDB_SNAPSHOT, IDB_SPLIT,         IDB_EXPORT};
constexpr int kHoveredTool = 1;
constexpr int kPressedTransport = 3;
constexpr int kLitMenu = 2;

// Places in pixels, each in its parent's client area. The panels take the
// dialog's width; see LayOut.
constexpr int kTopBarHeight = 66;
constexpr int kPanelTop = 92;  // in the backdrop
CRect ToolPlace(int i) {
    return CRect(CPoint(6 + 64 * i, 8), CSize(60, 50));
}
CRect MenuPlace(int i) {
    return CRect(CPoint(334 + 82 * i, 8), CSize(76, 22));
}
CRect TransportPlace(int i) {
    return CRect(CPoint(6 + 42 * i, 46), CSize(40, 40));
}
// Eight alarm lamps in two rows of four, the two relays right of them.
CRect LampPlace(int i) {
    if (i >= 8)
        return CRect(CPoint(356, 8 + 34 * (i - 8)), CSize(56, 30));
    return CRect(CPoint(220 + 34 * (i % 4), 8 + 34 * (i / 4)), CSize(30, 30));
}
// Lamps 1, 3, 6 and 8 and the first relay are on.
constexpr bool kLampOn[] = {true, false, true, false, false, true, false, true, true, false};

DialogTemplate GalleryTemplate() {
    DialogTemplate t;
    t.style = kToolDialog;
    t.cx = 400;
    t.cy = 300;
    t.title = L"Skin gallery";
    auto add = [&t](const wchar_t* kind, int id, DWORD style) {
        t.items.push_back({kind, L"", id, style, 0, 0, 0, 4, 4});
    };
    add(L"Static", IDC_MAIN_TOP_BAR, kPanel);
    add(L"Static", IDC_MAIN_BACKDROP, kPanel);
    add(L"Static", IDC_MAIN_STATUS, kLabel);
    add(L"Static", IDC_MAIN_TIME, kLabel);
    add(L"Button", IDC_MAIN_SEEK, kOwnerDrawn);
    for (int id : kToolIds)
        add(L"Button", id, kOwnerDrawn);
    for (int id : kMenuIds)
        add(L"Static", id, kClickLabel);
    for (int id : kTransportIds)
        add(L"Button", id, kOwnerDrawn);
    for (int id : {IDC_PLAYBAR_VOLUME_MIN, IDC_PLAYBAR_VOLUME, IDC_PLAYBAR_VOLUME_MAX,
                   IDC_PLAYBAR_AUDIO_CHANNEL})
        add(L"Button", id, kOwnerDrawn);
    // Not clipping its children: the lamps and the dial leave their key colour
    // out, and the panel's art must lie under them.
    add(L"Static", kPanelId, kShown);
    for (int id : {IDC_PANEL_SPEED_DIGITS, IDC_PANEL_TEMPERATURE, IDC_PANEL_DIAL,
                   IDC_PANEL_G_SENSOR, IDC_PANEL_CHART})
        add(L"Static", id, kShown);
    for (int lamp = 0; lamp < CSkinGalleryDlg::kLamps; ++lamp)
        add(L"Static", IDC_PANEL_LAMP_FIRST + lamp, kShown);
    return t;
}

}  // namespace

CSkinGalleryDlg::CSkinGalleryDlg() : CSubDialog(kTemplate, nullptr) {}

BOOL CSkinGalleryDlg::Open() {
    AddDialogResource(kTemplate, GalleryTemplate());
    if (!Create(kTemplate))
        return FALSE;
    MoveWindow(&kPlace);
    LayOut();
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return TRUE;
}

BOOL CSkinGalleryDlg::OnInitDialog() {
    CSubDialog::OnInitDialog();
    BindTopBar();
    BindPlayBar();
    BindTelemetry();
    FillTelemetry();
    return TRUE;
}

// The caption band is taller than the caption the window system leaves for
// it and covers the client area's first rows: the top bar starts below it.
void CSkinGalleryDlg::LayOut() {
    CRect window;
    GetWindowRect(&window);
    CRect client;
    GetClientRect(&client);
    CPoint origin(0, 0);
    ClientToScreen(&origin);
    const int band = ::GetSystemMetrics(SM_CYSIZE) + ::GetSystemMetrics(SM_CYFRAME);
    const int top = std::max(0, band - int(origin.y - window.top));
    m_topBar.MoveWindow(0, top, client.Width(), kTopBarHeight);
    const int backdropHeight = client.Height() - top - kTopBarHeight;
    m_backdrop.MoveWindow(0, top + kTopBarHeight, client.Width(), backdropHeight);
    m_seek.MoveWindow(6, 30, client.Width() - 12, 10);
    m_panel.MoveWindow(0, kPanelTop, client.Width(), backdropHeight - kPanelTop);
}

template <class Control>
void CSkinGalleryDlg::Bind(Control& control, int id, CWnd& parent, const CRect& place) {
    control.SubclassDlgItem(UINT(id), this);
    if (&parent != this)
        control.SetParent(&parent);
    control.MoveWindow(&place);
}

void CSkinGalleryDlg::BindTopBar() {
    Bind(m_topBar, IDC_MAIN_TOP_BAR, *this, CRect());
    m_topBar.m_bmpBack.LoadBitmap(IDB_TOP_BAR);
    for (int i = 0; i < kToolButtons; ++i) {
        Bind(m_tools[i], kToolIds[i], m_topBar, ToolPlace(i));
        m_tools[i].m_bitmap.LoadBitmap(kToolSkins[i]);
    }
    for (int i = 0; i < kMenuLabels; ++i) {
        Bind(m_menus[i], kMenuIds[i], m_topBar, MenuPlace(i));
        m_menus[i].SetText(kMenuTexts[i], kWhite, kBlack);
    }
}

void CSkinGalleryDlg::BindPlayBar() {
    Bind(m_backdrop, IDC_MAIN_BACKDROP, *this, CRect());
    m_backdrop.m_bmpBack.LoadBitmap(IDB_BACKDROP);
    Bind(m_status, IDC_MAIN_STATUS, m_backdrop, CRect(6, 6, 186, 24));
    m_status.SetText(L"Playing CH1", 0, kWhite, kBlack);
    Bind(m_time, IDC_MAIN_TIME, m_backdrop, CRect(192, 6, 392, 24));
    m_time.SetText(L"2025-03-14 08:30:00", 0, kWhite, kBlack);
    Bind(m_seek, IDC_MAIN_SEEK, m_backdrop, CRect());
    m_seek.Init(IDB_SEEK_TRACK, IDB_SEEK_THUMB, L"");
    m_seek.SetRange(0, 100);
    m_seek.SetPos(35);
    for (int i = 0; i < kTransportButtons; ++i) {
        Bind(m_transport[i], kTransportIds[i], m_backdrop, TransportPlace(i));
        m_transport[i].m_bitmap.LoadBitmap(kTransportSkins[i]);
        m_transport[i].SetTransparentColor(kPlayBarKey);
    }
    Bind(m_volumeMin, IDC_PLAYBAR_VOLUME_MIN, m_backdrop, CRect(CPoint(388, 55), CSize(22, 22)));
    m_volumeMin.m_bitmap.LoadBitmap(IDB_VOLUME_MIN);
    Bind(m_volume, IDC_PLAYBAR_VOLUME, m_backdrop, CRect(CPoint(412, 59), CSize(70, 15)));
    m_volume.Init(IDB_VOLUME_FILLED, IDB_VOLUME_EMPTY, IDB_VOLUME_THUMB, L"");
    m_volume.SetRange(0, 100);
    m_volume.SetPos(60);
    Bind(m_volumeMax, IDC_PLAYBAR_VOLUME_MAX, m_backdrop, CRect(CPoint(484, 55), CSize(22, 22)));
    m_volumeMax.m_bitmap.LoadBitmap(IDB_VOLUME_MAX);
    Bind(m_audioChannel, IDC_PLAYBAR_AUDIO_CHANNEL, m_backdrop,
         CRect(CPoint(512, 52), CSize(56, 28)));
    m_audioChannel.m_bitmap.LoadBitmap(IDB_AUDIO_CHANNEL_0);
    m_audioChannel.SetTransparentColor(kPlayBarKey);
}

void CSkinGalleryDlg::BindTelemetry() {
    Bind(m_panel, kPanelId, m_backdrop, CRect());
    m_panel.m_bmpBack.LoadBitmap(IDB_TELEMETRY_PANEL);
    Bind(m_speed, IDC_PANEL_SPEED_DIGITS, m_panel, CRect(8, 8, 208, 48));
    Bind(m_temperature, IDC_PANEL_TEMPERATURE, m_panel, CRect(8, 54, 208, 84));
    Bind(m_dial, IDC_PANEL_DIAL, m_panel, CRect(440, 8, 576, 144));
    Bind(m_gSensor, IDC_PANEL_G_SENSOR, m_panel, CRect(8, 92, 124, 172));
    Bind(m_chart, IDC_PANEL_CHART, m_panel, CRect(132, 92, 432, 232));
    for (int i = 0; i < kLamps; ++i) {
        Bind(m_lamps[i], IDC_PANEL_LAMP_FIRST + i, m_panel, LampPlace(i));
        const UINT off = i < 8 ? IDB_LAMP_FIRST + 2 * i : IDB_RELAY_1_OFF + 2 * (i - 8);
        m_lamps[i].m_bitmaps[0].LoadBitmap(off);
        m_lamps[i].m_bitmaps[1].LoadBitmap(off + 1);
        m_lamps[i].SetIndex(i + 1);
        m_lamps[i].m_bOn = kLampOn[i] ? 1 : 0;
    }
}

void CSkinGalleryDlg::FillTelemetry() {
    m_speed.SetUnitText(L"km/h");
    m_speed.SetSpeed(87);
    m_temperature.SetUnitText(L"\u00b0C");
    m_temperature.SetValue(23);
    m_dial.LoadBitmaps();
    m_dial.SetIndex(1);
    m_gSensor.SetValues(0.12f, -0.58f, 1.03f);
    const GallerySamples samples;
    m_chart.SetSamples(samples.samples, samples.lastIndex);
}

POINT CSkinGalleryDlg::HoveredToolCentre() const {
    CRect tool;
    m_tools[kHoveredTool].GetWindowRect(&tool);
    return tool.CenterPoint();
}

void CSkinGalleryDlg::HoldPressAndLitLabel() {
    m_transport[kPressedTransport].SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
    m_menus[kLitMenu].SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
}
