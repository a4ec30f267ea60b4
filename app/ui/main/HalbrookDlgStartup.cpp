// The main window's start-up after its controls exist: the tooltips, the
// player library with its callbacks, the position worker and the units.
#include "app/res/ResourceIds.h"
#include "app/shell/AppConfig.h"
#include "app/shell/LanguageTexts.h"
#include "app/shell/LibraryBinding.h"
#include "app/ui/export/ExtractRun.h"
#include "app/ui/main/HalbrookDlg.h"
#include "app/ui/main/PlaybackGlobals.h"
#include "app/ui/main/PlayerCallbacks.h"
#include "app/ui/main/PositionThread.h"
#include "app/ui/telemetry/OnPlayerData.h"
#include "platform/base/Event.h"
#include "platform/base/Thread.h"

namespace {

const LanguageText* const kToolTipTexts[CHalbrookDlg::kToolButtons] = {
    &ID_MENU_OPENFILE, &ID_MENU_SEARCH_HDD, &ID_MENU_SEARCH_SD, &ID_BUTTON_MAP_ON_OFF,
    &ID_BUTTON_OTHER_SETTING};

}  // namespace

void CHalbrookDlg::AddToolTips() {
    m_toolTip.Create(this);
    m_toolTip.EnableNotify(TRUE);
    m_toolTip.SetDefaultBehaviour(TOOLTIP_BEHAVIOUR_RESHOW);
    for (int i = 0; i < kToolButtons; ++i)
        m_toolTip.AddTool(&m_btnTools[i], kToolTipTexts[i]->GetString());
    // The real text comes from OnTooltipNotify when the tip shows.
    m_toolTip.AddTool(&m_sliderSeek, L"wefef");
}

void CHalbrookDlg::ApplyToolTipTexts() {
    for (int i = 0; i < kToolButtons; ++i)
        m_toolTip.UpdateTipText(kToolTipTexts[i]->GetString(), &m_btnTools[i]);
}

bool CHalbrookDlg::StartPlayer() {
    const HWND video = m_stVideo.GetSafeHwnd();
    const auto initPlayer = [video] {
        return Call_zInit(video, OnPlayerStatus, OnPlayerData, OnSourceResult, OnPlayerReserved,
                          OnExtractData, OnPlayerError);
    };
    return BindLibraries(initPlayer, m_trevaneFile.c_str(), m_oskuloFile.c_str());
}

void CHalbrookDlg::StartWorkers() {
    StartPositionThread();
    StartTelemetry();
    int volume = 0;
    if (Call_zTellVoiceVolume(&volume)) {
        m_nVolume = volume;
        m_playBar.SetVolumePos(volume);
    }
}

void CHalbrookDlg::ApplyStartUnits() {
    SetSpeedUnit(g_nSpeedUnit);
    SetTemperatureUnit(g_nTemperatureUnit);
    m_nCheckedSpeedUnit = g_nSpeedUnit == 1 ? IDM_SPEED_MILE : IDM_SPEED_KM;
    m_nCheckedTemperatureUnit = g_nTemperatureUnit == 1 ? IDM_TEMPERATURE_F : IDM_TEMPERATURE_C;
}
