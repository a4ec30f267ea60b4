// A player library for the binding tests: every export of the real one, each
// answering with a value the tests can recognise, so that a call-through
// that dropped or changed an argument shows.
#include <cstring>

#include "shared/PlayerInterface.h"

bool zInit(HWND window, zMsgCallback msg, zDataCallback, zSourceCallback, zReservedCallback,
           zExtractCallback, zErrorCallback error) {
    return window == reinterpret_cast<HWND>(0x1234) && msg != nullptr && error != nullptr;
}
bool zRelease() {
    return true;
}
int TrevaneInfo(char* version, char* buildTime, char* buildDate) {
    std::strcpy(version, "stub");
    std::strcpy(buildTime, "12:00:00");
    std::strcpy(buildDate, "Dec 10 2026");
    return 7;
}
bool zOpen(int type, const char* dataPath, const char* indexPath, int a, int b) {
    return type == 2 && std::strcmp(dataPath, "d.dvr") == 0 &&
           std::strcmp(indexPath, "d.inx") == 0 && a == -1 && b == 5;
}
bool zOpenRx(const char*, const char*, int, int, int, int) {
    return false;
}
bool zOpenEx(int, int, int, int, int, int, int, int, int, int, int, int, int, int) {
    return false;
}
bool zDownload(int, int, int, int) {
    return false;
}
void zStopDownload() {}
bool zPlayMSG(int cmd, intptr_t a, unsigned lo, int hi, const char* text) {
    return cmd == 9 && a == intptr_t(0x123456789A) && lo == 0xFFFFFFFFu && hi == -2 &&
           std::strcmp(text, "osd") == 0;
}
int zTellOpenedType() {
    return 3;
}
int zTellStatusType() {
    return 4;
}
int zTellGopVersion() {
    return 5;
}
int zTellScreenNum() {
    return 16;
}
int zTellSampleRate() {
    return 8000;
}
int zTellSampleBits() {
    return 16;
}
int zTellFullScreenIdx() {
    return 11;
}
int zTellDivStatus() {
    return 12;
}
int zTellBegTime() {
    return 1700000000;
}
int zTellEndTime() {
    return 1700003600;
}
long long zTellp() {
    return 0x123456789LL;
}
long long zTellTotalLen() {
    return -0x200000001LL;
}
int zTellCarId(char* buffer) {
    std::strcpy(buffer, "CAR-7");
    return 5;
}
bool zSetFullScreen(int channel) {
    return channel == 15;
}
bool zSetDivStatus(int mode) {
    return mode == 16;
}
bool zDisplayOsd(bool on) {
    return !on;
}
bool zSetAudioType(int track) {
    return track == 3;
}
bool zSetVoiceVolume(int volume) {
    return volume == 0xFFFF;
}
bool zTellVoiceVolume(int* volume) {
    *volume = 42;
    return true;
}
bool zOpenVoice() {
    return true;
}
bool zCloseVoice() {
    return true;
}
bool zSetRecord(const char*, bool) {
    return true;
}
bool zGetGPSData(int, int, int, int) {
    return true;
}
int zStartExtract(unsigned fromLo, int fromHi, unsigned toLo, int toHi) {
    return fromLo == 0x89ABCDEFu && fromHi == 1 && toLo == 0xFFFFFFFFu && toHi == 2 ? 1 : -1;
}
int zStopExtract() {
    return 6;
}
bool zTellTimeInxHd(InxHd* header) {
    return header != nullptr;
}
bool zTellTimeInxUnit(int index, InxUnit* unit) {
    return index == 7 && unit != nullptr;
}
bool zTellEvtInxHd(InxHd* header) {
    return header != nullptr;
}
bool zTellEvtInxUnit(int index, InxUnit* unit) {
    return index == 8 && unit != nullptr;
}
bool zTellQuickInxHd(QuickInxHd* header) {
    return header != nullptr;
}
bool zTellQuickInxUnit(int index, QuickInxUnit* unit) {
    return index == 9 && unit != nullptr;
}
