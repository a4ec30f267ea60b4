#include "tests/app/ui/fake/FakeTrevaneLibrary.h"

#include <chrono>

namespace {

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

}  // namespace

void FakeTrevaneLibrary::Reset() {
    std::lock_guard<std::mutex> hold(lock_);
    script_.clear();
    log_.clear();
    commands_.clear();
    extractRanges_.clear();
    if (exited_)
        events_.clear();  // left by a test that never started the thread
    busy_ = false;
    answerQueued_ = false;
    hold_ = false;
    heldCode_ = -1;
    lost_ = 0;
    openResult = true;
    startExtractResult = -1;
    stopExtractAnswers = true;
    onStopExtract = nullptr;
    openedType = OPENED_NONE;
    screenNum = 4;
    gopVersion = 4;
    sampleRate = 8000;
    sampleBits = 16;
    fullScreenIdx = 0;
    divStatus = 0;
    begTime = 0;
    endTime = 0;
    voiceVolume = 50;
    position = 0;
    totalLength = 0;
    carIdKnown = true;
    carId = "CAR-7";
    timeIndex.Clear();
    eventIndex.Clear();
    quickIndex.Clear();
    gate_.Reset();
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

std::vector<std::pair<uint64_t, uint64_t>> FakeTrevaneLibrary::ExtractRanges() const {
    std::lock_guard<std::mutex> hold(lock_);
    return extractRanges_;
}

void FakeTrevaneLibrary::RecordExtractRange(uint64_t from, uint64_t to) {
    std::lock_guard<std::mutex> hold(lock_);
    extractRanges_.emplace_back(from, to);
}

void FakeTrevaneLibrary::HoldIndexReads(bool hold) {
    if (hold)
        gate_.Close();
    else
        gate_.Open();
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
    Post([this, code] {
        if (msg_ != nullptr)
            msg_(code, 0);
    });
}

void FakeTrevaneLibrary::FireSource(int kind, int status) {
    Post([this, kind, status] {
        if (source_ != nullptr)
            source_(kind, nullptr, status);
    });
}

void FakeTrevaneLibrary::FireError(int code) {
    Post([this, code] {
        if (error_ != nullptr)
            error_(code, 0, 0);
    });
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
    Post([this, code] {
        if (extract_ != nullptr)
            extract_(code, 0, nullptr, 0, nullptr);
    });
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
        if (msg_ != nullptr)
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
