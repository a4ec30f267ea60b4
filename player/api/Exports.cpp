// The life cycle, opening, command and setting exports.
#include <cstdio>

#include "player/api/PlayerInstance.h"

namespace {

constexpr int kInfoTextSize = 19;

}  // namespace

bool zInit(HWND window, zMsgCallback msg, zDataCallback data, zSourceCallback source,
           zReservedCallback reserved, zExtractCallback extract, zErrorCallback error) {
    return Guarded(false, [&] {
        return ThePlayer().Init(window, msg, data, source, reserved, extract, error);
    });
}

bool zRelease() {
    return Guarded(false, [] { return ThePlayer().Release(); });
}

int TrevaneInfo(char* version, char* buildTime, char* buildDate) {
    if (version != nullptr)
        std::snprintf(version, kInfoTextSize, "%s", "4.8");
    if (buildTime != nullptr)
        std::snprintf(buildTime, kInfoTextSize, "%s", __TIME__);
    if (buildDate != nullptr)
        std::snprintf(buildDate, kInfoTextSize, "%s", __DATE__);
    return 0;
}

bool zOpen(int type, const char* dataPath, const char* indexPath, int, int) {
    return Guarded(false, [&] { return ThePlayer().Open(type, dataPath, indexPath); });
}

bool zOpenRx(const char* dataPath, const char* indexPath, int, int, int, int) {
    return Guarded(false,
                   [&] { return ThePlayer().Open(OPENED_REBUILD_REQUEST, dataPath, indexPath); });
}

// No network source exists: always false, after closing an open source as
// the stop and close commands would.
bool zOpenEx(int, int, int, int, int, int, int, int, int, int, int, int, int, int, int, int, int,
             int, int) {
    return Guarded(false, [] {
        if (ThePlayer().Source().TellType() != OPENED_NONE)
            ThePlayer().StopAndClose();
        return false;
    });
}

bool zDownload(int, int, int, int) {
    return false;
}

void zStopDownload() {}

bool zPlayMSG(int cmd, intptr_t a, unsigned lo, int hi, const char* text) {
    return Guarded(false, [&] { return ThePlayer().PlayMSG(cmd, a, lo, hi, text); });
}

bool zSetFullScreen(int channel) {
    return Guarded(false, [=] { return ThePlayer().SetFullScreen(channel); });
}

bool zSetDivStatus(int mode) {
    return Guarded(false, [=] { return ThePlayer().SetDivStatus(mode); });
}

bool zDisplayOsd(bool on) {
    return Guarded(false, [=] { return ThePlayer().DisplayOsd(on); });
}

bool zSetAudioType(int track) {
    return Guarded(false, [=] { return ThePlayer().SetAudioType(track); });
}

bool zSetVoiceVolume(int volume) {
    return Guarded(false, [=] { return ThePlayer().SetVoiceVolume(volume); });
}

bool zTellVoiceVolume(int* volume) {
    return Guarded(false, [=] { return ThePlayer().TellVoiceVolume(volume); });
}

bool zOpenVoice() {
    return Guarded(false, [] { return ThePlayer().OpenVoice(); });
}

bool zCloseVoice() {
    return Guarded(false, [] { return ThePlayer().CloseVoice(); });
}

bool zSetRecord(const char* baseName, bool on) {
    return Guarded(false, [=] { return ThePlayer().SetRecord(baseName, on); });
}

bool zGetGPSData(int, int, int, int) {
    return true;
}

int zStartExtract(unsigned fromLo, int fromHi, unsigned toLo, int toHi) {
    const uint64_t from = (uint64_t(uint32_t(fromHi)) << 32) | fromLo;
    const uint64_t to = (uint64_t(uint32_t(toHi)) << 32) | toLo;
    return Guarded(-1, [=] { return ThePlayer().StartExtract(from, to); });
}

int zStopExtract() {
    return Guarded(0, [] { return ThePlayer().Source().StopExtract(); });
}
