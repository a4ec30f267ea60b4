// The play bar's buttons: their ids, skin bitmaps and tooltip texts.
#pragma once

#include "app/shell/LanguageText.h"
#include "platform/user/UserTypes.h"

struct PlayBarButton {
    int id;
    UINT bitmap;
    const LanguageText* tip;
};

// The ten transport buttons in member order.
extern const PlayBarButton kTransportButtons[10];
// The tooltip order of all fourteen tools (transport buttons, the volume
// end buttons, the volume slider, the audio channel button).
extern const int kPlayBarToolOrder[14];
// The tools whose texts follow a language change.
extern const int kRelabelledTools[11];

const PlayBarButton* FindPlayBarButton(int id);
