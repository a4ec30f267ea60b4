#include "GopParts.h"
namespace gop_detail {
uint32_t WalkFrames(const GopView&, GopInfo*) { return kFrameHeaderSize; }
}
