#include "tests/export/recording/RecordingGops.h"

#include <gtest/gtest.h>

#include <memory>

#include "player/source/FileSource.h"
#include "tools/recgen/RecordingWriter.h"

RecordingFiles MakeRecording(const recgen::RecordingPlan& plan, const std::string& base) {
    RecordingFiles files{base + ".dvr", base + ".inx"};
    std::string error;
    EXPECT_TRUE(recgen::WriteRecording(plan, files.dvr, files.inx, &error)) << error;
    return files;
}

std::vector<std::vector<uint8_t>> ReadAllGops(const RecordingFiles& files) {
    std::vector<std::vector<uint8_t>> gops;
    CFileSource source;
    if (source.Open(files.dvr.c_str(), files.inx.c_str()) != 0)
        return gops;
    auto buffer = std::make_unique<uint8_t[]>(kGopBufferSize);
    for (;;) {
        int length = kGopBufferSize;
        if (source.ReadGop(buffer.get(), &length) != GopReadResult::Read)
            break;
        gops.emplace_back(buffer.get(), buffer.get() + length);
    }
    return gops;
}
