// A test window showing every skinned control of the toolkit with Marlowin's
// skin: a skinned tool dialog made from an in-memory template, holding the
// top bar with its tool buttons and menu labels, text labels, the seek and
// volume sliders, the transport buttons and the telemetry panel's lamps,
// dial, speed digits, temperature, G values and chart. Every value is fixed
// and nothing reads the clock, so the window looks the same on every run.
// Register Marlowin's resources before opening it. User-interface thread only.
#pragma once

#include "app/controls/skin/SkinAlarm.h"
#include "app/controls/skin/SkinButton.h"
#include "app/controls/skin/SkinGPS.h"
#include "app/controls/skin/SkinMenuText.h"
#include "app/controls/skin/SkinSpeedDig.h"
#include "app/controls/skin/SkinSpeedPic.h"
#include "app/controls/skin/SkinStatic.h"
#include "app/controls/skin/SkinTemp.h"
#include "app/controls/skin/SkinWave.h"
#include "app/controls/skin/SlideButton.h"
#include "app/controls/skin/SlideVolumn.h"
#include "app/controls/skin/SubDialog.h"

class CSkinGalleryDlg : public CSubDialog {
public:
    // The window's place on the screen, always the same.
    static constexpr RECT kPlace{40, 40, 640, 480};

    CSkinGalleryDlg();

    // Adds the template, creates the window at kPlace with every control in
    // its state and shows it; FALSE when the window cannot be made.
    BOOL Open();
    // Where the pointer rests (screen): on the "search HDD" tool button.
    POINT HoveredToolCentre() const;
    // The states told to their controls directly, after the pointer has
    // arrived (one pointer cannot be in three places): the play button held
    // down and the "Control" menu label lit, which takes the capture last.
    void HoldPressAndLitLabel();

    static constexpr int kToolButtons = 5;
    static constexpr int kMenuLabels = 3;
    static constexpr int kTransportButtons = 9;
    static constexpr int kLamps = 10;

protected:
    BOOL OnInitDialog() override;

private:
    template <class Control>
    void Bind(Control& control, int id, CWnd& parent, const CRect& place);
    // Sizes the panels and the seek slider to the client area.
    void LayOut();
    void BindTopBar();
    void BindPlayBar();
    void BindTelemetry();
    void FillTelemetry();

    CSkinStatic m_topBar;
    CSkinStatic m_backdrop;
    CSkinStatic m_panel;
    CSkinButton m_tools[kToolButtons];
    CSkinMenuText m_menus[kMenuLabels];
    CSkinStatic m_status;
    CSkinStatic m_time;
    CSlideButton m_seek;
    CSkinButton m_transport[kTransportButtons];
    CSkinButton m_volumeMin;
    CSlideVolumn m_volume;
    CSkinButton m_volumeMax;
    CSkinButton m_audioChannel;
    CSkinSpeedDig m_speed;
    CSkinTemp m_temperature;
    CSkinSpeedPic m_dial;
    CSkinAlarm m_lamps[kLamps];
    CSkinGPS m_gSensor;
    CSkinWave m_chart;
};
