#include "GopParts.h"
namespace gop_detail {
TyreResult ReadTyres(ByteCursor&, const GopView&, GopInfo*) { return TyreResult::kTruncated; }
}
