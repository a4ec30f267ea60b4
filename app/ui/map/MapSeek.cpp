#include "app/ui/map/MapSeek.h"

#include "app/shell/LibraryBinding.h"

void SeekPlaybackTo(IMapPaneHost& host, uint64_t position, intptr_t a) {
    const long long total = Call_zTellTotalLen();
    if (total <= 0 || position >= uint64_t(total))
        return;
    // Armed in both cases: the "seek done" result that clears it also tells
    // the telemetry that the position jumped.
    host.ArmPendingSeek(position);
    if (host.IsPlayStatePlaying())
        Call_zPlayMSG(PLAY_CMD_SEEK, a, unsigned(position), int(position >> 32), nullptr);
    else
        Call_zPlayMSG(PLAY_CMD_PLAY, host.AudioChannel(), 0, 0, nullptr);
}
