// The exports of the scripted player library, each served by the one
// FakeTrevaneLibrary.
#include <cstring>

#include "tests/app/ui/fake/FakeTrevaneLibrary.h"

namespace {

// Never destroyed: a thread left to run out at the end of a test may still
// touch it while the process exits.
FakeTrevaneLibrary& g_fake = *new FakeTrevaneLibrary;

std::string Line(const char* name, long long a) {
    return std::string(name) + " " + std::to_string(a);
}

uint64_t PositionOf(unsigned lo, int hi) {
    return uint64_t(uint32_t(hi)) << 32 | lo;
}

template <typename Index, typename Header>
bool ReadHeader(const Index& index, Header* header) {
    return g_fake.ReadIndex([&] {
        if (!index.header)
            return false;
        *header = *index.header;
        return true;
    });
}

template <typename Index, typename Unit>
bool ReadUnit(const Index& index, int entry, Unit* unit) {
    return g_fake.ReadIndex([&] { return index.Read(entry, unit); });
}

}  // namespace

FakeTrevane* FakeTrevaneInstance() {
    return &g_fake;
}

bool zInit(HWND window, zMsgCallback msg, zDataCallback data, zSourceCallback source,
           zReservedCallback, zExtractCallback extract, zErrorCallback error) {
    return g_fake.Init(window, msg, data, source, extract, error);
}
bool zRelease() {
    g_fake.Record("zRelease");
    g_fake.Release();
    return true;
}
int TrevaneInfo(char*, char*, char*) {
    return 0;
}
bool zOpen(int type, const char* dataPath, const char* indexPath, int, int) {
    g_fake.Record("zOpen " + std::to_string(type) + " " + (dataPath ? dataPath : "-") + " " +
                  (indexPath ? indexPath : "-"));
    return g_fake.openResult;
}
bool zOpenRx(const char*, const char*, int, int, int, int) {
    return false;
}
bool zOpenEx(int, int, int, int, int, int, int, int, int, int, int, int, int, int, int, int, int,
             int, int) {
    return false;
}
bool zDownload(int, int, int, int) {
    return false;
}
void zStopDownload() {}
bool zPlayMSG(int cmd, intptr_t a, unsigned lo, int hi, const char* text) {
    return g_fake.PlayMsg(cmd, a, lo, hi, text);
}
int zTellOpenedType() {
    return g_fake.openedType;
}
int zTellStatusType() {
    return 0;
}
int zTellGopVersion() {
    return g_fake.gopVersion;
}
int zTellScreenNum() {
    return g_fake.screenNum;
}
int zTellSampleRate() {
    return g_fake.sampleRate;
}
int zTellSampleBits() {
    return g_fake.sampleBits;
}
int zTellFullScreenIdx() {
    return g_fake.fullScreenIdx;
}
int zTellDivStatus() {
    return g_fake.divStatus;
}
int zTellBegTime() {
    return g_fake.begTime;
}
int zTellEndTime() {
    return g_fake.endTime;
}
long long zTellp() {
    return g_fake.position;
}
long long zTellTotalLen() {
    return g_fake.totalLength;
}
int zTellCarId(char* buffer) {
    if (!g_fake.carIdKnown)
        return -1;
    std::strcpy(buffer, g_fake.carId.c_str());
    return 0;
}
bool zSetFullScreen(int channel) {
    g_fake.Record(Line("zSetFullScreen", channel));
    return true;
}
bool zSetDivStatus(int mode) {
    g_fake.Record(Line("zSetDivStatus", mode));
    return true;
}
bool zDisplayOsd(bool on) {
    g_fake.Record(Line("zDisplayOsd", on ? 1 : 0));
    return true;
}
bool zSetAudioType(int track) {
    g_fake.Record(Line("zSetAudioType", track));
    return true;
}
bool zSetVoiceVolume(int volume) {
    g_fake.Record(Line("zSetVoiceVolume", volume));
    g_fake.voiceVolume = volume;
    return true;
}
bool zTellVoiceVolume(int* volume) {
    *volume = g_fake.voiceVolume;
    return true;
}
bool zOpenVoice() {
    return true;
}
bool zCloseVoice() {
    return true;
}
bool zSetRecord(const char*, bool) {
    return false;
}
bool zGetGPSData(int, int, int, int) {
    return false;
}
int zStartExtract(unsigned fromLo, int fromHi, unsigned toLo, int toHi) {
    g_fake.Record("zStartExtract");
    g_fake.RecordExtractRange(PositionOf(fromLo, fromHi), PositionOf(toLo, toHi));
    return g_fake.startExtractResult;
}
int zStopExtract() {
    g_fake.Record("zStopExtract");
    if (g_fake.onStopExtract)
        g_fake.onStopExtract();
    if (g_fake.stopExtractAnswers)
        g_fake.FireExtract(EXTRACT_STOPPED);
    return 0;
}
bool zTellTimeInxHd(InxHd* header) {
    return ReadHeader(g_fake.timeIndex, header);
}
bool zTellTimeInxUnit(int index, InxUnit* unit) {
    return ReadUnit(g_fake.timeIndex, index, unit);
}
bool zTellEvtInxHd(InxHd* header) {
    return ReadHeader(g_fake.eventIndex, header);
}
bool zTellEvtInxUnit(int index, InxUnit* unit) {
    return ReadUnit(g_fake.eventIndex, index, unit);
}
bool zTellQuickInxHd(QuickInxHd* header) {
    return ReadHeader(g_fake.quickIndex, header);
}
bool zTellQuickInxUnit(int index, QuickInxUnit* unit) {
    return ReadUnit(g_fake.quickIndex, index, unit);
}
