#include "GopParts.h"
namespace gop_detail {
void ReadTelemetry(const GopView&, GopInfo*) {}
}
