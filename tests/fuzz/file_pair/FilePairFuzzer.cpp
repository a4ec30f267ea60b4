// Fuzzes the file pair reader: writes the input's .inx and .dvr parts to a
// temporary directory, opens the pair and walks it every way the player does.
// Besides memory errors it traps on any walk that does not end: every read
// must move on by at least a sector or end the walk.
#include <string>
#include <vector>

#include "player/source/FileSource.h"
#include "tests/fuzz/file_pair/FilePairInput.h"
#include "tests/fuzz/reader_walks/ReaderWalks.h"

using namespace fuzzwalk;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScratchDir dir("file-pair-fuzz");
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
