// The source manager over the fixture drive table of DiskFixture, with the
// source callback's reports captured.
#pragma once

#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/player/disk/DiskFixture.h"
#include "tests/player/storage/DeviceImages.h"
#include "tests/player/storage/StorageFixture.h"

inline constexpr DWORD kCardNumber = 5;
inline const char* const kDiskName = "\\\\.\\PHYSICALDRIVE3";
inline const char* const kCardName = "\\\\.\\PHYSICALDRIVE5";

// Real-time bound for a condition another thread makes true.
template <typename Condition>
inline bool Eventually(Condition condition, int timeoutMs = 5000) {
    for (int waited = 0; waited < timeoutMs; ++waited) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return condition();
}

// Index files are 16 MiB: read in one piece.
inline std::vector<uint8_t> FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> bytes(in ? size_t(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    return bytes;
}

// The manager over the fixture drive table of DiskFixture.
class SourceManagerDeviceTest : public DiskFixture {
protected:
    void SetUp() override {
        DiskFixture::SetUp();
        manager_.SetSourceCallback(&SourceReports::Collect);
    }

    diskimage::Recording Add(int kind, int gops) {
        return kind == OPENED_DISK ? AddDisk(SmallDisk(gops)) : AddCard(SmallCard(gops));
    }
    static DWORD NumberOf(int kind) { return kind == OPENED_DISK ? kRecorderDisk : kCardNumber; }
    static std::string NameOf(int kind) { return kind == OPENED_DISK ? kDiskName : kCardName; }

    // Opens and waits for the report that the device is open.
    void OpenDevice(int kind) {
        ASSERT_EQ(manager_.Open(kind, "", ""), 0);
        ASSERT_EQ(reports_.WaitFor(1), (std::vector<SourceReport>{{kind, NameOf(kind), 1}}));
    }

    GopReadResult Read(bool forward) {
        int length = kGopBufferSize;
        return forward ? manager_.ReadGop(buffer_.get(), &length)
                       : manager_.ReadGopBack(buffer_.get(), &length);
    }

    SourceReports reports_;
    CSourceManager manager_;
};
