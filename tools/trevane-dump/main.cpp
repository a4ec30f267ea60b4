// trevane-dump --play|--extract <base or .dvr path>
// trevane-dump --play|--extract --source disk|card
//   --play     plays the recording to its end and prints every message code
//              and every data callback, one JSON object per line;
//   --extract  extracts the whole indexed range and prints every GOP's
//              GopInfo, then the index records, then the end code;
//   --source   reads the recorder's hard disk or SD card that the library
//              finds instead of a file pair (source callbacks are printed).
// Exit status 0 when the run ended as it should (end of data, or
// extraction finished), 1 otherwise, 2 for bad arguments.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>
#include <string>

#include "tools/trevane-dump/GopInfoJson.h"
#include "tools/trevane-dump/TrevaneLibrary.h"

namespace {

// What the callbacks delivered, for the main thread to wait on.
struct Outcome {
    std::mutex mutex;
    std::condition_variable cv;
    std::set<int> messages;  // message codes since the last command was sent
    int extractEnd = -1000;
    int deviceStatus = -1000;  // of the disk or card being opened
};
Outcome g_outcome;

void OnMessage(int code, int lastClose) {
    JsonLine().Int("msg", code).Int("lastClose", lastClose).Print();
    std::lock_guard lock(g_outcome.mutex);
    g_outcome.messages.insert(code);
    g_outcome.cv.notify_all();
}

void OnData(unsigned time, const char* vehicleId, const GpsText* gps, const int* gSensor,
            float voltage, float speed, int temperature, const AlarmFlags* alarms, int tyreCount,
            const TpmsTyre* tyres, int tractor, int zero1, int zero2, int axle1, int axle2,
            int axle3) {
    JsonLine data;
    data.Int("time", time);
    if (vehicleId != nullptr)
        data.Text("vehicleId", std::string(vehicleId, strnlen(vehicleId, 16)));
    else
        data.Null("vehicleId");
    if (gps != nullptr)
        data.Raw("gps", GpsJson(*gps));
    else
        data.Null("gps");
    if (gSensor != nullptr)
        data.Raw("gSensor", "[" + std::to_string(gSensor[0]) + "," + std::to_string(gSensor[1]) +
                                "," + std::to_string(gSensor[2]) + "]");
    else
        data.Null("gSensor");
    data.Float("voltage", voltage).Float("speed", speed).Int("temperature", temperature);
    if (alarms != nullptr)
        data.Raw("alarms", AlarmJson(*alarms));
    else
        data.Null("alarms");
    data.Int("tyreCount", tyreCount);
    if (tyres != nullptr)
        data.Raw("tyres", TyresJson(tyres, tyreCount));
    else
        data.Null("tyres");
    data.Int("tractor", tractor).Int("zero1", zero1).Int("zero2", zero2);
    data.Int("axle1", axle1).Int("axle2", axle2).Int("axle3", axle3);
    JsonLine().Raw("data", data.Json()).Print();
}

void OnSource(int kind, const char* name, int status) {
    JsonLine line;
    line.Int("source", kind).Int("status", status);
    if (name != nullptr)
        line.Text("name", name);
    line.Print();
    if (kind == OPENED_DISK || kind == OPENED_CARD) {
        std::lock_guard lock(g_outcome.mutex);
        g_outcome.deviceStatus = status;
        g_outcome.cv.notify_all();
    }
}

void OnReserved(int, int, int, int) {}

void OnExtract(int code, int percent, const void* data, int length, const GopInfo* info) {
    if (code == 1 && info != nullptr) {
        GopInfoJson(*info).Print();
    } else if (code == 0 && length == 16 && percent == 1 && data != nullptr &&
               *static_cast<const uint32_t*>(data) == kInxMagic) {
        JsonLine().Raw("inxHd", InxHdJson(*static_cast<const InxHd*>(data)).Json()).Print();
    } else if (code == 0 && length == 16 && data != nullptr) {
        JsonLine()
            .Int("percent", percent)
            .Raw("inxUnit", InxUnitJson(*static_cast<const InxUnit*>(data)).Json())
            .Print();
    } else {
        JsonLine().Int("extract", code).Print();
    }
    if (code >= 2 || code == -1 || code == -3) {
        std::lock_guard lock(g_outcome.mutex);
        g_outcome.extractEnd = code;
        g_outcome.cv.notify_all();
    }
}

void OnError(int code, DWORD systemError, int value) {
    JsonLine().Int("error", code).Int("systemError", systemError).Int("value", value).Print();
}

// Sends a command and waits for one of two message codes; gives the code.
int Run(const TrevaneLibrary& lib, int cmd, intptr_t a, int done, int failed) {
    {
        std::lock_guard lock(g_outcome.mutex);
        g_outcome.messages.clear();
    }
    lib.playMsg(cmd, a, 0, 0, nullptr);
    std::unique_lock lock(g_outcome.mutex);
    g_outcome.cv.wait(lock, [&] {
        return g_outcome.messages.count(done) != 0 || g_outcome.messages.count(failed) != 0;
    });
    return g_outcome.messages.count(done) != 0 ? done : failed;
}

// Plays to the end of the data (or a failure to start), then stops and
// closes.
bool Play(const TrevaneLibrary& lib) {
    if (Run(lib, PLAY_CMD_PLAY, 0, MSG_PLAY_END, MSG_PLAY_FAILED) == MSG_PLAY_FAILED)
        return false;
    Run(lib, PLAY_CMD_STOP, 1, MSG_STOP_DONE, MSG_STOP_REFUSED);
    return Run(lib, PLAY_CMD_CLOSE, 0, MSG_CLOSE_DONE, MSG_CLOSE_FAILED) == MSG_CLOSE_DONE;
}

bool Extract(const TrevaneLibrary& lib) {
    InxHd header{};
    InxUnit first{}, last{};
    if (!lib.tellTimeInxHd(&header) || !lib.tellTimeInxUnit(int(header.first), &first) ||
        !lib.tellTimeInxUnit(int(header.last), &last))
        return false;
    if (lib.startExtract(uint32_t(first.offset), int(first.offset >> 32), uint32_t(last.offset),
                         int(last.offset >> 32)) != 0)
        return false;
    std::unique_lock lock(g_outcome.mutex);
    g_outcome.cv.wait(lock, [] { return g_outcome.extractEnd != -1000; });
    return g_outcome.extractEnd == 2;
}

// "x" and "x.dvr" both name the pair x.dvr / x.inx.
void PairPaths(std::string base, std::string* dvr, std::string* inx) {
    if (base.size() > 4 && base.compare(base.size() - 4, 4, ".dvr") == 0)
        base.resize(base.size() - 4);
    *dvr = base + ".dvr";
    *inx = base + ".inx";
}

// A detected device is opened within a poll or two; one never found ends the
// run rather than waiting for ever.
constexpr auto kDeviceWait = std::chrono::seconds(10);

bool OpenDevice(const TrevaneLibrary& lib, int type) {
    if (!lib.open(type, "", "", 0, 0))
        return false;
    std::unique_lock lock(g_outcome.mutex);
    g_outcome.cv.wait_for(lock, kDeviceWait, [] { return g_outcome.deviceStatus != -1000; });
    return g_outcome.deviceStatus == SOURCE_OPENED;
}

bool OpenSource(const TrevaneLibrary& lib, int type, const char* path) {
    if (type != OPENED_FILE_PAIR)
        return OpenDevice(lib, type);
    std::string dvr, inx;
    PairPaths(path, &dvr, &inx);
    return lib.open(OPENED_FILE_PAIR, dvr.c_str(), inx.c_str(), 0, 0);
}

struct Arguments {
    bool play = false;
    int type = OPENED_FILE_PAIR;
    const char* path = nullptr;  // of a file pair
};

bool Parse(int argc, char** argv, Arguments* arguments) {
    if (argc != 3 && argc != 4)
        return false;
    arguments->play = std::strcmp(argv[1], "--play") == 0;
    if (!arguments->play && std::strcmp(argv[1], "--extract") != 0)
        return false;
    if (argc == 3) {
        arguments->path = argv[2];
        return std::strcmp(argv[2], "--source") != 0;
    }
    if (std::strcmp(argv[2], "--source") != 0)
        return false;
    if (std::strcmp(argv[3], "disk") == 0)
        arguments->type = OPENED_DISK;
    else if (std::strcmp(argv[3], "card") == 0)
        arguments->type = OPENED_CARD;
    else
        return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!Parse(argc, argv, &arguments)) {
        std::fprintf(stderr,
                     "usage: trevane-dump --play|--extract <recording.dvr>\n"
                     "       trevane-dump --play|--extract --source disk|card\n");
        return 2;
    }
    TrevaneLibrary lib;
    std::string error;
    if (!LoadTrevane(&lib, &error)) {
        std::fprintf(stderr, "trevane-dump: %s\n", error.c_str());
        return 1;
    }
    if (!lib.init(nullptr, OnMessage, OnData, OnSource, OnReserved, OnExtract, OnError)) {
        std::fprintf(stderr, "trevane-dump: zInit failed\n");
        return 1;
    }
    bool ok = OpenSource(lib, arguments.type, arguments.path);
    if (!ok)
        std::fprintf(stderr, "trevane-dump: cannot open %s\n",
                     arguments.path != nullptr ? arguments.path : argv[3]);
    if (ok)
        ok = arguments.play ? Play(lib) : Extract(lib);
    lib.release();
    return ok ? 0 : 1;
}
