#include "FakeTrevaneLibrary.h"

#include <chrono>
#include <cstring>

namespace {

FakeTrevaneLibrary g_fake;

// The usual success code of each command; -1 for none.
int DefaultAnswer(int cmd) {
    static const std::map<int, int> answers = {{PLAY_CMD_CLOSE, MSG_CLOSE_DONE},
                                               {PLAY_CMD_PLAY, MSG_PLAY_DONE},
                                               {PLAY_CMD_PAUSE, MSG_PAUSE_DONE},
                                               {PLAY_CMD_STEP_FORWARD, MSG_STEP_FORWARD_DONE},
                                               {PLAY_CMD_STEP_BACKWARD, MSG_STEP_BACKWARD_DONE},
                                               {PLAY_CMD_FAST_FORWARD, MSG_FAST_FORWARD_DONE},
                                               {PLAY_CMD_FAST_BACKWARD, MSG_FAST_BACKWARD_DONE},
                                               {PLAY_CMD_SEEK, MSG_SEEK_DONE},
                                               {PLAY_CMD_STOP, MSG_STOP_DONE},
                                               {PLAY_CMD_CAPTURE, MSG_CAPTURE_DONE},
                                               {PLAY_CMD_JUMP, MSG_JUMP_STORED}};
    const auto found = answers.find(cmd);
    return found != answers.end() ? found->second : -1;
}

std::string Line(const char* name, long long a) {
    return std::string(name) + " " + std::to_string(a);
}

}  // namespace

FakeTrevane* FakeTrevaneInstance() {
    return &g_fake;
}

void FakeTrevaneLibrary::Reset() {
    std::lock_guard<std::mutex> hold(lock_);
    script_.clear();
    log_.clear();
    commands_.clear();
    busy_ = false;
    answerQueued_ = false;
    hold_ = false;
    heldCode_ = -1;
    lost_ = 0;
    openResult = true;
    startExtractResult = -1;
    stopExtractAnswers = true;
    openedType = OPENED_NONE;
    screenNum = 4;
    fullScreenIdx = 0;
    divStatus = 0;
    begTime = 0;
    endTime = 0;
    voiceVolume = 50;
    position = 0;
    totalLength = 0;
    carIdKnown = true;
    carId = "CAR-7";
    headerKnown = false;
    header = InxHd{};
    units.clear();
}

void FakeTrevaneLibrary::Script(int cmd, int code) {
    std::lock_guard<std::mutex> hold(lock_);
    script_[cmd].push_back(code);
}

std::vector<std::string> FakeTrevaneLibrary::Log() const {
    std::lock_guard<std::mutex> hold(lock_);
    return log_;
}

void FakeTrevaneLibrary::ClearLog() {
    std::lock_guard<std::mutex> hold(lock_);
    log_.clear();
    commands_.clear();
}

std::vector<FakePlayCommand> FakeTrevaneLibrary::Commands() const {
    std::lock_guard<std::mutex> hold(lock_);
    return commands_;
}

bool FakeTrevaneLibrary::Idle() const {
    std::lock_guard<std::mutex> hold(lock_);
    return events_.empty() && !running_;
}

void FakeTrevaneLibrary::Record(std::string line) {
    std::lock_guard<std::mutex> hold(lock_);
    log_.push_back(std::move(line));
}

void FakeTrevaneLibrary::Post(std::function<void()> event) {
    std::lock_guard<std::mutex> hold(lock_);
    events_.push_back(std::move(event));
    wake_.notify_all();
}

void FakeTrevaneLibrary::Fire(int code) {
    Post([this, code] { msg_(code, 0); });
}

void FakeTrevaneLibrary::FireSource(int kind, int status) {
    Post([this, kind, status] { source_(kind, nullptr, status); });
}

void FakeTrevaneLibrary::FireError(int code) {
    Post([this, code] { error_(code, 0, 0); });
}

void FakeTrevaneLibrary::FireData(const FakeTelemetry& telemetry) {
    Post([this, telemetry] {
        if (data_ == nullptr)
            return;
        data_(telemetry.time, telemetry.vehicleId.c_str(), &telemetry.gps, telemetry.gSensor,
              telemetry.voltage, telemetry.speed, telemetry.temperature, &telemetry.alarms, 0,
              nullptr, 0, 0, 0, 0, 0, 0);
    });
}

void FakeTrevaneLibrary::FireExtract(int code) {
    Post([this, code] { extract_(code, 0, nullptr, 0, nullptr); });
}

bool FakeTrevaneLibrary::Init(HWND hwnd, zMsgCallback msg, zDataCallback data,
                              zSourceCallback source, zExtractCallback extract,
                              zErrorCallback error) {
    Release();
    window = hwnd;
    msg_ = msg;
    data_ = data;
    source_ = source;
    error_ = error;
    extract_ = extract;
    dataCallbackNull = data == nullptr;
    extractCallbackNull = extract == nullptr;
    {
        std::lock_guard<std::mutex> hold(lock_);
        stop_ = false;
        busy_ = false;
        answerQueued_ = false;
    }
    exited_ = false;
    thread_ = std::thread([this] { Run(); });
    Record("zInit");
    return true;
}

// Waits a little for the thread, which may be inside a callback that waits
// for the window's thread; a thread that does not end is left to run out.
void FakeTrevaneLibrary::Release() {
    if (!thread_.joinable())
        return;
    {
        std::lock_guard<std::mutex> hold(lock_);
        stop_ = true;
        wake_.notify_all();
    }
    for (int i = 0; i < 200 && !exited_; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (exited_)
        thread_.join();
    else
        thread_.detach();
}

void FakeTrevaneLibrary::Run() {
    std::unique_lock<std::mutex> hold(lock_);
    while (true) {
        wake_.wait(hold, [this] { return stop_ || !events_.empty(); });
        if (events_.empty())
            break;
        std::function<void()> event = std::move(events_.front());
        events_.pop_front();
        running_ = true;
        hold.unlock();
        event();
        hold.lock();
        running_ = false;
    }
    exited_ = true;
}

int FakeTrevaneLibrary::AnswerFor(int cmd) {
    auto scripted = script_.find(cmd);
    if (scripted == script_.end() || scripted->second.empty())
        return DefaultAnswer(cmd);
    const int code = scripted->second.front();
    scripted->second.pop_front();
    return code;
}

bool FakeTrevaneLibrary::PlayMsg(int cmd, intptr_t a, unsigned lo, int hi, const char* text) {
    FakePlayCommand command{cmd, a, lo, hi, text != nullptr ? text : "", RECT{}};
    if (cmd == PLAY_CMD_CAPTURE && a != 0)
        command.rect = *reinterpret_cast<const RECT*>(a);
    std::lock_guard<std::mutex> hold(lock_);
    log_.push_back("zPlayMSG " + std::to_string(cmd) + " " + std::to_string(a));
    commands_.push_back(command);
    if (busy_) {
        ++lost_;
        return true;
    }
    busy_ = true;
    heldCode_ = AnswerFor(cmd);
    if (heldCode_ >= 0 && !hold_)
        Deliver(heldCode_);
    return true;
}

// The slot is free again before the callback runs, as the real command
// thread resets its event before it reports: a callback may send the next
// command.
void FakeTrevaneLibrary::Deliver(int code) {
    heldCode_ = -1;
    answerQueued_ = true;
    events_.push_back([this, code] {
        {
            std::lock_guard<std::mutex> answered(lock_);
            busy_ = false;
            answerQueued_ = false;
        }
        msg_(code, 0);
    });
    wake_.notify_all();
}

void FakeTrevaneLibrary::HoldAnswers(bool hold) {
    std::lock_guard<std::mutex> guard(lock_);
    hold_ = hold;
    if (!hold && busy_ && !answerQueued_ && heldCode_ >= 0)
        Deliver(heldCode_);
}

bool FakeTrevaneLibrary::Answer(int code) {
    std::lock_guard<std::mutex> guard(lock_);
    if (!busy_ || answerQueued_)
        return false;
    const int answer = code >= 0 ? code : heldCode_;
    if (answer < 0)
        return false;
    Deliver(answer);
    return true;
}

bool FakeTrevaneLibrary::SlotBusy() const {
    std::lock_guard<std::mutex> guard(lock_);
    return busy_;
}

// The exports.

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
    return 4;
}
int zTellScreenNum() {
    return g_fake.screenNum;
}
int zTellSampleRate() {
    return 8000;
}
int zTellSampleBits() {
    return 16;
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
int zStartExtract(unsigned, int, unsigned, int) {
    g_fake.Record("zStartExtract");
    return g_fake.startExtractResult;
}
int zStopExtract() {
    g_fake.Record("zStopExtract");
    if (g_fake.stopExtractAnswers)
        g_fake.FireExtract(EXTRACT_STOPPED);
    return 0;
}
bool zTellTimeInxHd(InxHd* header) {
    if (!g_fake.headerKnown)
        return false;
    *header = g_fake.header;
    return true;
}
bool zTellTimeInxUnit(int index, InxUnit* unit) {
    const auto found = g_fake.units.find(index);
    if (found == g_fake.units.end())
        return false;
    *unit = found->second;
    return true;
}
bool zTellEvtInxHd(InxHd*) {
    return false;
}
bool zTellEvtInxUnit(int, InxUnit*) {
    return false;
}
bool zTellQuickInxHd(QuickInxHd*) {
    return false;
}
bool zTellQuickInxUnit(int, QuickInxUnit*) {
    return false;
}
