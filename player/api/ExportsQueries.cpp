// The query and index exports: synchronous, any thread, -1 or false with no
// source open.
#include "player/api/PlayerInstance.h"

namespace {

CSourceManager& Source() {
    return ThePlayer().Source();
}

bool IsOpen() {
    return Source().TellType() != OPENED_NONE;
}

}  // namespace

int zTellOpenedType() {
    return Guarded(-1, [] { return Source().TellType(); });
}

int zTellStatusType() {
    return Guarded(-1, [] { return ThePlayer().TellStatusType(); });
}

int zTellGopVersion() {
    return Guarded(-1, [] { return Source().TellGopVersion(); });
}

int zTellScreenNum() {
    return Guarded(-1, [] { return Source().TellScreenNum(); });
}

int zTellSampleRate() {
    return Guarded(-1, [] { return ThePlayer().TellSampleRate(); });
}

int zTellSampleBits() {
    return Guarded(-1, [] { return ThePlayer().TellSampleBits(); });
}

int zTellFullScreenIdx() {
    return Guarded(-1, [] { return ThePlayer().TellFullScreenIdx(); });
}

int zTellDivStatus() {
    return Guarded(-1, [] { return ThePlayer().TellDivStatus(); });
}

int zTellBegTime() {
    return Guarded(-1, [] { return IsOpen() ? int(Source().TellBegTime()) : -1; });
}

int zTellEndTime() {
    return Guarded(-1, [] { return IsOpen() ? int(Source().TellEndTime()) : -1; });
}

long long zTellp() {
    return Guarded(-1LL, [] { return static_cast<long long>(Source().Tellp()); });
}

long long zTellTotalLen() {
    return Guarded(-1LL, [] { return static_cast<long long>(Source().TellTotalLen()); });
}

int zTellCarId(char* buffer) {
    return Guarded(-1, [=] { return buffer == nullptr ? -1 : Source().TellCarId(buffer); });
}

bool zTellTimeInxHd(InxHd* header) {
    return Guarded(false, [=] { return header != nullptr && Source().ReadTimeInxHd(header); });
}

bool zTellTimeInxUnit(int index, InxUnit* unit) {
    return Guarded(false, [=] { return unit != nullptr && Source().ReadTimeInxUnit(index, unit); });
}

bool zTellEvtInxHd(InxHd* header) {
    return Guarded(false, [=] { return header != nullptr && Source().ReadEvtInxHd(header); });
}

bool zTellEvtInxUnit(int index, InxUnit* unit) {
    return Guarded(false, [=] { return unit != nullptr && Source().ReadEvtInxUnit(index, unit); });
}

bool zTellQuickInxHd(QuickInxHd* header) {
    return Guarded(false, [=] { return header != nullptr && Source().ReadQuickInxHd(header); });
}

bool zTellQuickInxUnit(int index, QuickInxUnit* unit) {
    return Guarded(false,
                   [=] { return unit != nullptr && Source().ReadQuickInxUnit(index, unit); });
}
