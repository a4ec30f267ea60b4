// One H.264 key frame of a flat grey picture in a chosen size and pixel
// format, for decoder inputs the recorder never writes (4:4:4, oversize).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace decode_test {

// Empty, with *error set, when libx264 refuses.
std::vector<uint8_t> EncodeStill(int width, int height, int pixelFormat, std::string* error);

}  // namespace decode_test
