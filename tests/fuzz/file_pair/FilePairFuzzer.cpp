// Fuzzes the file pair reader: writes the input's .inx and .dvr parts to a
// temporary directory, opens the pair and walks it every way the player does.
// Besides memory errors it traps on any walk that does not end: every read
// must move on by at least a sector or end the walk.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "player/source/FileSource.h"
#include "tests/fuzz/file_pair/FilePairInput.h"

namespace {

class ScratchDir {
public:
    ScratchDir() {
        const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/file-pair-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            abort();
        path_ = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string File(const char* name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = fopen(path.c_str(), "wb");
    if (file == nullptr || fwrite(data, 1, size, file) != size || fclose(file) != 0)
        abort();
}

// Any walk longer than this has stopped moving.
struct Budget {
    explicit Budget(size_t dvrSize) : left(dvrSize / 512 + 4) {}
    void Spend() {
        if (left-- == 0)
            __builtin_trap();
    }
    size_t left;
};

void CheckRead(GopReadResult result, const std::vector<uint8_t>& buffer, int length) {
    if (result != GopReadResult::Read)
        return;
    if (length < 512 || length % 512 != 0 || size_t(length) > buffer.size())
        __builtin_trap();
    volatile uint8_t last = buffer[size_t(length) - 1];
    (void)last;
}

template <typename Step>
void Walk(size_t dvrSize, std::vector<uint8_t>& buffer, Step step) {
    Budget budget(dvrSize);
    for (;;) {
        budget.Spend();
        int length = int(buffer.size());
        const GopReadResult result = step(buffer.data(), &length);
        CheckRead(result, buffer, length);
        if (result != GopReadResult::Read && result != GopReadResult::Failed)
            return;
    }
}

void WalkEveryWay(CFileSource& reader, size_t dvrSize, std::vector<uint8_t>& buffer) {
    auto read = [&](uint8_t* b, int* l) { return reader.ReadGop(b, l); };
    auto skip = [&](uint8_t* b, int* l) { return reader.SkipGop(2, b, l); };
    auto back = [&](uint8_t* b, int* l) { return reader.ReadGopBack(b, l); };
    auto skipBack = [&](uint8_t* b, int* l) { return reader.SkipGopBack(2, b, l); };
    Walk(dvrSize, buffer, read);
    Walk(dvrSize, buffer, back);
    Walk(dvrSize, buffer, skip);
    const uint64_t total = reader.TellTotalLen();
    for (uint64_t target : {total, total / 2, uint64_t(1000), total + 1}) {
        if (reader.Seek(target) == 0) {
            Walk(dvrSize, buffer, back);
            reader.Seek(target);
            Walk(dvrSize, buffer, skipBack);
        }
    }
}

void ExtractFirstToLast(CFileSource& reader, size_t dvrSize) {
    InxHd header{};
    InxUnit first{}, last{};
    if (!reader.ReadTimeInxHd(&header) || header.first > 0x7FFFFFFF || header.last > 0x7FFFFFFF ||
        !reader.ReadTimeInxUnit(int(header.first), &first) ||
        !reader.ReadTimeInxUnit(int(header.last), &last))
        return;
    Budget budget(dvrSize);
    reader.ExtractRange(
        first.offset, last.offset, [&](int code, int percent, const void* data, int length) {
            if (percent < 0 || percent > 100)
                __builtin_trap();
            if (code == 1 || code == -2)
                budget.Spend();
            if (length > 0 && data != nullptr) {
                volatile uint8_t end = static_cast<const uint8_t*>(data)[length - 1];
                (void)end;
            }
        });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchDir dir;
    static std::vector<uint8_t> buffer(kGopBufferSize);
    const FilePairInput input = SplitFilePairInput(data, size);
    const std::string dvr = dir.File("f.dvr"), inx = dir.File("f.inx");
    WriteFile(dvr, input.dvr, input.dvrSize);
    WriteFile(inx, input.inx, input.inxSize);
    CFileSource reader;
    if (reader.Open(dvr.c_str(), inx.c_str()) != 0)
        return 0;
    WalkEveryWay(reader, input.dvrSize, buffer);
    ExtractFirstToLast(reader, input.dvrSize);
    reader.Close();
    return 0;
}
