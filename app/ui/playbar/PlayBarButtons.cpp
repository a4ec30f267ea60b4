#include "app/ui/playbar/PlayBarButtons.h"

#include <algorithm>
#include <iterator>

#include "app/res/ResourceIds.h"
#include "app/shell/LanguageTexts.h"

const PlayBarButton kTransportButtons[10] = {
    {IDC_PLAYBAR_FAST_BACKWARD, IDB_FAST_BACKWARD, &IDS_STRING223},
    {IDC_PLAYBAR_SNAPSHOT, IDB_SNAPSHOT, &IDS_STRING227},
    {IDC_PLAYBAR_EXPORT, IDB_EXPORT, &IDS_STRING226},
    {IDC_PLAYBAR_FAST_FORWARD, IDB_FAST_FORWARD, &IDS_STRING224},
    {IDC_PLAYBAR_PLAY, IDB_PLAY, &IDS_STRING219},
    {IDC_PLAYBAR_PAUSE, IDB_PAUSE, &IDS_STRING220},
    {IDC_PLAYBAR_SPLIT, IDB_SPLIT, &IDS_STRING273},
    {IDC_PLAYBAR_STEP_FORWARD, IDB_STEP_FORWARD, &IDS_STRING222},
    {IDC_PLAYBAR_STEP_BACKWARD, IDB_STEP_BACKWARD, &IDS_STRING221},
    {IDC_PLAYBAR_STOP, IDB_STOP, &IDS_STRING225},
};

namespace {

const PlayBarButton kOtherButtons[] = {
    {IDC_PLAYBAR_VOLUME_MAX, IDB_VOLUME_MAX, &IDS_STRING229},
    {IDC_PLAYBAR_VOLUME_MIN, IDB_VOLUME_MIN, &IDS_STRING228},
    {IDC_PLAYBAR_VOLUME, 0, &IDS_STRING230},
    {IDC_PLAYBAR_AUDIO_CHANNEL, IDB_AUDIO_CHANNEL_0, &IDS_AUDIO_SEL},
};

}  // namespace

const int kPlayBarToolOrder[14] = {
    IDC_PLAYBAR_FAST_BACKWARD, IDC_PLAYBAR_SNAPSHOT,      IDC_PLAYBAR_EXPORT,
    IDC_PLAYBAR_FAST_FORWARD,  IDC_PLAYBAR_PLAY,          IDC_PLAYBAR_SPLIT,
    IDC_PLAYBAR_STEP_FORWARD,  IDC_PLAYBAR_STEP_BACKWARD, IDC_PLAYBAR_STOP,
    IDC_PLAYBAR_PAUSE,         IDC_PLAYBAR_VOLUME_MAX,    IDC_PLAYBAR_VOLUME_MIN,
    IDC_PLAYBAR_VOLUME,        IDC_PLAYBAR_AUDIO_CHANNEL};

const int kRelabelledTools[11] = {
    IDC_PLAYBAR_FAST_BACKWARD, IDC_PLAYBAR_SNAPSHOT,      IDC_PLAYBAR_EXPORT,
    IDC_PLAYBAR_FAST_FORWARD,  IDC_PLAYBAR_PLAY,          IDC_PLAYBAR_SPLIT,
    IDC_PLAYBAR_STEP_FORWARD,  IDC_PLAYBAR_STEP_BACKWARD, IDC_PLAYBAR_STOP,
    IDC_PLAYBAR_PAUSE,         IDC_PLAYBAR_AUDIO_CHANNEL};

const PlayBarButton* FindPlayBarButton(int id) {
    const auto matches = [id](const PlayBarButton& b) { return b.id == id; };
    const PlayBarButton* found =
        std::find_if(std::begin(kTransportButtons), std::end(kTransportButtons), matches);
    if (found != std::end(kTransportButtons))
        return found;
    found = std::find_if(std::begin(kOtherButtons), std::end(kOtherButtons), matches);
    return found != std::end(kOtherButtons) ? found : nullptr;
}
