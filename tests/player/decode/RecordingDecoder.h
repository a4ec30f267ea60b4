// A CDataDec of the tests' own: records every call and answers Decode with a
// preset result.
#pragma once

#include <vector>

#include "player/decode/DataDec.h"

namespace gop_test {

class RecordingDecoder : public CDataDec {
public:
    struct DecodeCall {
        const unsigned char* data;
        int length;
        unsigned char* out;
        int* size;
        int* width;
        int* height;
    };

    bool Open() override {
        ++opens;
        return true;
    }
    void Close() override { ++closes; }
    bool Decode(const unsigned char* data, int length, unsigned char* out, int* size, int* width,
                int* height) override {
        decodes.push_back({data, length, out, size, width, height});
        return decodeResult;
    }

    int opens = 0;
    int closes = 0;
    std::vector<DecodeCall> decodes;
    bool decodeResult = true;
};

}  // namespace gop_test
