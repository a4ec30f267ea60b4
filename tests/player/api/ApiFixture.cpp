#include "tests/player/api/ApiFixture.h"

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>

namespace {

std::mutex g_mutex;
std::condition_variable g_cv;
std::vector<int> g_messages;  // all guarded by g_mutex
std::vector<ErrorReport> g_errors;
std::vector<DataReport> g_data;
size_t g_resultsTaken = 0;
std::vector<ExtractReport> g_extract;
std::vector<SourceStatus> g_sources;
bool g_extractEnded = false;
std::atomic<bool> g_stopOnFirstGop{false};
const Trevane* g_trevane = nullptr;
std::function<void(int)> g_onError;  // set by a test before the library reports
std::function<void()> g_onData;

void OnExtract(int code, int percent, const void* data, int length, const GopInfo* info) {
    ExtractReport r{code, percent, length, info != nullptr, 0, 0, 0, 0, "", 0};
    if (info != nullptr) {
        r.time = info->time;
        r.channels = info->channels;
        r.width0 = info->width[0];
        r.speedCount = info->speedCount;
        r.carId.assign(info->carId, strnlen(info->carId, sizeof info->carId));
    } else if (code == EXTRACT_INDEX_RECORD && length == 16 && percent > 0 && data != nullptr &&
               static_cast<const InxHd*>(data)->magic == kInxMagic && r.percent == 1) {
        r.time = static_cast<const InxHd*>(data)->last;  // the header: its `last`
    } else if (code == EXTRACT_INDEX_RECORD && data != nullptr) {
        r.time = static_cast<const InxUnit*>(data)->time;
        r.offset = static_cast<const InxUnit*>(data)->offset;
    }
    if (code == EXTRACT_GOP && g_stopOnFirstGop.exchange(false))
        g_trevane->zStopExtract();
    std::lock_guard lock(g_mutex);
    g_extract.push_back(r);
    if (code >= EXTRACT_FINISHED || code == EXTRACT_OPEN_FAILED || code == EXTRACT_READ_FAILED)
        g_extractEnded = true;
    g_cv.notify_all();
}

void OnMessage(int code, int) {
    std::lock_guard lock(g_mutex);
    g_messages.push_back(code);
    g_cv.notify_all();
}

void OnData(unsigned time, const char* vehicleId, const GpsText* gps, const int* gSensor,
            float voltage, float speed, int temperature, const AlarmFlags* alarms, int tyreCount,
            const TpmsTyre*, int, int, int, int, int, int) {
    DataReport report{time,
                      vehicleId != nullptr ? vehicleId : "",
                      gps != nullptr ? std::string(gps->latitude, sizeof gps->latitude) : "",
                      gSensor != nullptr ? gSensor[0] : -999,
                      gSensor != nullptr ? gSensor[1] : -999,
                      gSensor != nullptr ? gSensor[2] : -999,
                      voltage,
                      speed,
                      temperature,
                      tyreCount,
                      alarms != nullptr ? alarms->inputs[0] : -1};
    {
        std::lock_guard lock(g_mutex);
        g_data.push_back(report);
    }
    if (g_onData)
        g_onData();
}

void OnSource(int kind, const char* name, int status) {
    std::lock_guard lock(g_mutex);
    g_sources.push_back({kind, name != nullptr ? name : "(null)", status});
    g_cv.notify_all();
}

void OnError(int code, DWORD systemError, int value) {
    {
        std::lock_guard lock(g_mutex);
        g_errors.push_back({code, systemError, value});
    }
    if (g_onError)
        g_onError(code);
}

std::filesystem::path ProgramDirectory() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    path[n > 0 ? n : 0] = '\0';
    return std::filesystem::path(path).parent_path();
}

template <typename Proc>
void Bind(void* handle, const char* name, Proc* proc, bool* ok) {
    *proc = reinterpret_cast<Proc>(dlsym(handle, name));
    if (*proc == nullptr) {
        ADD_FAILURE() << "missing export " << name;
        *ok = false;
    }
}

Trevane Bound(void* handle, bool* ok) {
    Trevane t{};
#define BIND(name) Bind(handle, #name, &t.name, ok)
    BIND(zInit), BIND(zRelease), BIND(TrevaneInfo), BIND(zOpen), BIND(zOpenRx), BIND(zOpenEx);
    BIND(zDownload), BIND(zStopDownload), BIND(zPlayMSG), BIND(zTellOpenedType);
    BIND(zTellStatusType), BIND(zTellGopVersion), BIND(zTellScreenNum), BIND(zTellSampleRate);
    BIND(zTellSampleBits), BIND(zTellFullScreenIdx), BIND(zTellDivStatus), BIND(zTellBegTime);
    BIND(zTellEndTime), BIND(zTellp), BIND(zTellTotalLen), BIND(zTellCarId);
    BIND(zSetFullScreen), BIND(zSetDivStatus), BIND(zSetAudioType), BIND(zSetVoiceVolume);
    BIND(zDisplayOsd), BIND(zTellVoiceVolume), BIND(zOpenVoice), BIND(zCloseVoice);
    BIND(zSetRecord), BIND(zGetGPSData), BIND(zStartExtract), BIND(zStopExtract);
    BIND(zTellTimeInxHd), BIND(zTellEvtInxHd), BIND(zTellTimeInxUnit), BIND(zTellEvtInxUnit);
    BIND(zTellQuickInxHd), BIND(zTellQuickInxUnit);
#undef BIND
    return t;
}

}  // namespace

const Trevane* LoadTrevane() {
    static const Trevane* loaded = []() -> const Trevane* {
        const std::string path = (ProgramDirectory() / "libTrevane.so").string();
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            ADD_FAILURE() << dlerror();
            return nullptr;
        }
        bool ok = true;
        static Trevane t = Bound(handle, &ok);
        return ok ? &t : nullptr;
    }();
    return loaded;
}

void ApiFixture::SetUp() {
    {
        std::lock_guard lock(g_mutex);
        g_messages.clear();
        g_errors.clear();
        g_data.clear();
        g_resultsTaken = 0;
        g_extract.clear();
        g_extractEnded = false;
        g_sources.clear();
    }
    g_stopOnFirstGop = false;
    t_ = LoadTrevane();
    g_trevane = t_;
    ASSERT_NE(t_, nullptr);
    ASSERT_TRUE(Init());
}

bool ApiFixture::Init() {
    return t_->zInit(nullptr, OnMessage, OnData, OnSource, nullptr, OnExtract, OnError);
}

std::vector<ExtractReport> ApiFixture::WaitForExtraction() {
    std::unique_lock lock(g_mutex);
    g_cv.wait_for(lock, std::chrono::seconds(30), [] { return g_extractEnded; });
    return g_extract;
}

void ApiFixture::StopExtractionOnFirstGop() {
    g_stopOnFirstGop = true;
}

void ApiFixture::OnErrorCall(std::function<void(int code)> call) {
    g_onError = std::move(call);
}

void ApiFixture::OnDataCall(std::function<void()> call) {
    g_onData = std::move(call);
}

void ApiFixture::TearDown() {
    if (t_ == nullptr)
        return;
    const int state = t_->zTellStatusType();
    if (state >= STATUS_PLAYING && state <= STATUS_FAST_BACKWARD)
        Command(PLAY_CMD_STOP);
    if (t_->zTellOpenedType() != OPENED_NONE)
        Command(PLAY_CMD_CLOSE);
    t_->zRelease();
    g_onError = nullptr;
    g_onData = nullptr;
}

int ApiFixture::Command(int cmd, intptr_t a, int64_t position) {
    t_->zPlayMSG(cmd, a, uint32_t(uint64_t(position)), int(uint64_t(position) >> 32), nullptr);
    return NextResult();
}

void ApiFixture::ForgetMessages() {
    std::lock_guard lock(g_mutex);
    g_messages.clear();
    g_resultsTaken = 0;
}

int ApiFixture::NextResult() {
    std::unique_lock lock(g_mutex);
    int result = -1;
    g_cv.wait_for(lock, std::chrono::seconds(30), [&] {
        for (; g_resultsTaken < g_messages.size(); ++g_resultsTaken) {
            const int code = g_messages[g_resultsTaken];
            if (code >= MSG_CLOSE_FAILED && code != MSG_FRAME_FAILED) {
                result = code;
                ++g_resultsTaken;
                return true;
            }
        }
        return false;
    });
    return result;
}

bool ApiFixture::WaitForMessage(int code, int timeoutMs, int count) {
    std::unique_lock lock(g_mutex);
    return g_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return std::count(g_messages.begin(), g_messages.end(), code) >= count;
    });
}

std::vector<int> ApiFixture::Messages() {
    std::lock_guard lock(g_mutex);
    return g_messages;
}

std::vector<SourceStatus> ApiFixture::WaitForSource(int status, int timeoutMs) {
    std::unique_lock lock(g_mutex);
    g_cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        return std::any_of(g_sources.begin(), g_sources.end(),
                           [&](const SourceStatus& s) { return s.status == status; });
    });
    return g_sources;
}

void ApiFixture::ClearSources() {
    std::lock_guard lock(g_mutex);
    g_sources.clear();
}

std::vector<ErrorReport> ApiFixture::Errors() {
    std::lock_guard lock(g_mutex);
    return std::exchange(g_errors, {});
}

std::vector<DataReport> ApiFixture::Data() {
    std::lock_guard lock(g_mutex);
    return g_data;
}

bool ApiFixture::OpenPair(const std::string& base) {
    return t_->zOpen(OPENED_FILE_PAIR, (base + ".dvr").c_str(), (base + ".inx").c_str(), 0, 0);
}
