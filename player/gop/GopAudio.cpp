#include "GopParts.h"
namespace gop_detail {
void CopyPcmAudio(const GopView&, uint32_t, GopInfo*) {}
bool CopyUlawAudio(const GopView&, uint32_t, GopInfo*) { return true; }
}
