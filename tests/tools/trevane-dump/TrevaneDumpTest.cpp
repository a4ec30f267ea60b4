#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "format/TelemetryLayout.h"
#include "platform/disk/DriveTableFile.h"
#include "tests/player/storage/DeviceImages.h"
#include "tests/tools/recgen/TempDir.h"
#include "tests/tools/trevane-dump/MiniJson.h"
#include "tools/recgen/RecordingWriter.h"
#include "tools/recgen/TelemetryTrack.h"

namespace {

// Runs trevane-dump with `arguments` and parses each line of its output;
// `status` gets its exit status.
std::vector<JsonValue> RunDump(const std::vector<std::string>& arguments, int* status) {
    std::string command = TREVANE_DUMP;
    for (const std::string& argument : arguments)
        command += " '" + argument + "'";
    FILE* pipe = popen(command.c_str(), "r");
    std::vector<JsonValue> lines;
    if (pipe == nullptr)
        return lines;
    char line[1 << 16];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        JsonValue value;
        EXPECT_TRUE(ParseJson(line, &value)) << line;
        lines.push_back(value);
    }
    *status = pclose(pipe);
    return lines;
}

class TrevaneDumpTest : public testing::Test {
protected:
    void SetUp() override {
        plan_.channels = 4;
        plan_.gopCount = 3;
        plan_.vehicleId = "DUMP-0003";
        std::string error;
        ASSERT_TRUE(recgen::WriteRecording(plan_, Dvr(), dir_.File("r.inx"), &error)) << error;
    }
    std::string Dvr() const { return dir_.File("r.dvr"); }

    TempDir dir_;
    recgen::RecordingPlan plan_;
};

TEST_F(TrevaneDumpTest, ExtractPrintsWhatTheGeneratorWrote) {
    int status = -1;
    const std::vector<JsonValue> lines = RunDump({"--extract", Dvr()}, &status);
    EXPECT_EQ(status, 0);
    const recgen::TelemetryTrack track(plan_.route, plan_.vehicleId);
    const int frames = recgen::FramesPerChannel(plan_);
    ASSERT_EQ(lines.size(), size_t(plan_.gopCount) + 1 + size_t(plan_.gopCount) + 1 + 1);
    for (int g = 0; g < plan_.gopCount; ++g) {
        SCOPED_TRACE("GOP " + std::to_string(g));
        const JsonValue& gop = lines[size_t(g)];
        const recgen::TelemetryBlock block = track.Block(g, frames);
        EXPECT_EQ(gop["time"].number, plan_.startTime + g);
        EXPECT_EQ(gop["version"].number, plan_.version);
        EXPECT_EQ(gop["channels"].number, plan_.channels);
        EXPECT_EQ(gop["framesPerChannel"].number, frames);
        EXPECT_EQ(gop["carId"].text, plan_.vehicleId);
        EXPECT_EQ(gop["width"].items.size(), 4u);
        EXPECT_EQ(gop["width"][0].number, 352);
        EXPECT_EQ(gop["height"][3].number, 288);
        EXPECT_EQ(gop["frameOffset"][2].items.size(), size_t(frames));
        ASSERT_EQ(gop["speedCount"].number, frames);
        ASSERT_EQ(gop["speed"].items.size(), size_t(frames));
        for (int k = 0; k < frames; ++k) {
            EXPECT_FLOAT_EQ(float(gop["speed"][size_t(k)].number),
                            telemetry::TenthsWordValue(block.speed->at(size_t(k))));
            EXPECT_EQ(gop["gps"][size_t(k)]["latitude"].text, block.gps->at(size_t(k)).latitude);
            EXPECT_EQ(gop["gsensor"][size_t(k)][2].number, block.gsensor->at(size_t(k)).z);
            EXPECT_EQ(gop["temperature"][size_t(k)].number,
                      block.vehicle->at(size_t(k)).temperature);
        }
        EXPECT_EQ(gop["tyreCount"].number, double(block.tyres->tyres.size()));
        EXPECT_EQ(gop["tpms"][0].items.size(), block.tyres->tyres.size());
        EXPECT_EQ(gop["tractor"].number, block.tyres->truck.tractor);
    }
    const JsonValue& header = lines[size_t(plan_.gopCount)]["inxHd"];
    EXPECT_EQ(header["first"].number, 1);
    EXPECT_EQ(header["last"].number, plan_.gopCount + 1);
    for (int i = 0; i <= plan_.gopCount; ++i) {
        const JsonValue& unit = lines[size_t(plan_.gopCount) + 1 + size_t(i)]["inxUnit"];
        EXPECT_EQ(unit["time"].number, plan_.startTime + i);
    }
    EXPECT_EQ(lines.back()["extract"].number, 2);
}

TEST_F(TrevaneDumpTest, PlayPrintsTheMessagesAndOneDataLinePerGop) {
    int status = -1;
    const std::vector<JsonValue> lines = RunDump({"--play", Dvr()}, &status);
    EXPECT_EQ(status, 0);
    std::vector<int> messages;
    std::vector<uint32_t> times;
    for (const JsonValue& line : lines) {
        if (line.Has("msg"))
            messages.push_back(int(line["msg"].number));
        if (line.Has("data")) {
            times.push_back(uint32_t(line["data"]["time"].number));
            EXPECT_EQ(line["data"]["vehicleId"].text, plan_.vehicleId);
        }
    }
    EXPECT_EQ(messages, (std::vector<int>{7, 0, 21, 5}));
    EXPECT_EQ(times,
              (std::vector<uint32_t>{plan_.startTime, plan_.startTime + 1, plan_.startTime + 2}));
}

TEST(TrevaneDump, AMissingRecordingFailsAndAnUnknownSourceIsRefused) {
    int status = -1;
    RunDump({"--extract", "/nonexistent/r.dvr"}, &status);
    EXPECT_NE(status, 0);
    RunDump({"--play", "--source", "tape"}, &status);
    EXPECT_EQ(WEXITSTATUS(status), 2);
}

// A recorder disk and an SD card, as images in a drive table that the
// program's library reads ($DVR_DRIVE_TABLE is inherited).
class TrevaneDumpDeviceTest : public testing::Test {
protected:
    void SetUp() override { setenv(kDriveTableVariable, dir_.File("table").c_str(), 1); }
    void TearDown() override { unsetenv(kDriveTableVariable); }

    // The disk as physical drive 3 and drive F, the card as physical drive 5;
    // rings of 4 GOPs of 256 KiB, wrapped, each GOP played for a second.
    diskimage::Recording Add(const std::string& source) {
        const auto large = [](int) { return uint32_t(4 * kDeviceGopPayload); };
        diskimage::Recording r;
        DriveTable table;
        if (source == "disk") {
            diskimage::HddImageOptions options = SmallDisk(6);
            options.plan.payload = large;
            options.imagePath = dir_.File("hdd.img");
            options.indexDir = dir_.File("f");
            r = diskimage::WriteHddImage(options);
            table.logical.push_back(
                {'F', DriveKind::Removable, options.indexDir, options.indexDir, 3});
            table.physical.push_back({3, options.imagePath, true});
        } else {
            diskimage::SdImageOptions options = SmallCard(6);
            options.plan.payload = large;
            options.imagePath = dir_.File("card.img");
            r = diskimage::WriteSdImage(options);
            table.physical.push_back({5, options.imagePath, true});
        }
        EXPECT_TRUE(WriteDriveTableFile(dir_.File("table"), table));
        EXPECT_TRUE(r.wrapped);
        return r;
    }
    static std::vector<uint32_t> LiveTimes(const diskimage::Recording& r) {
        std::vector<uint32_t> times;
        for (const diskimage::PlacedGop& g : r.live)
            times.push_back(g.time);
        return times;
    }

    TempDir dir_;
};

struct DeviceRun {
    const char* mode;
    const char* source;
    int kind;
    const char* name;
};

TEST_F(TrevaneDumpDeviceTest, PlaysAndExtractsADiskAndACard) {
    const DeviceRun runs[] = {{"--play", "disk", 1, "\\\\.\\PHYSICALDRIVE3"},
                              {"--extract", "card", 2, "\\\\.\\PHYSICALDRIVE5"},
                              {"--extract", "disk", 1, "\\\\.\\PHYSICALDRIVE3"}};
    for (const DeviceRun& run : runs) {
        SCOPED_TRACE(std::string(run.mode) + " " + run.source);
        const diskimage::Recording r = Add(run.source);
        int status = -1;
        const std::vector<JsonValue> lines = RunDump({run.mode, "--source", run.source}, &status);
        EXPECT_EQ(status, 0);
        ASSERT_FALSE(lines.empty());
        ASSERT_TRUE(lines.front().Has("source"));
        EXPECT_EQ(int(lines.front()["source"].number), run.kind);
        EXPECT_EQ(int(lines.front()["status"].number), 1);
        EXPECT_EQ(lines.front()["name"].text, run.name);
        std::vector<uint32_t> times;
        for (const JsonValue& line : lines) {
            if (line.Has("data"))
                times.push_back(uint32_t(line["data"]["time"].number));
            else if (line.Has("time") && line.Has("channels"))
                times.push_back(uint32_t(line["time"].number));
        }
        std::vector<uint32_t> expected = LiveTimes(r);
        if (std::string(run.mode) == "--extract") {
            expected.pop_back();  // the range ends at the newest entry
            EXPECT_EQ(int(lines.back()["extract"].number), 2);
        }
        EXPECT_EQ(times, expected);
    }
}

}  // namespace
