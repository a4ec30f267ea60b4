// Inside platform/gdi: the stock objects as shared objects, for the
// defaults of new contexts.
#pragma once

#include <memory>

#include "platform/gdi/BrushObject.h"
#include "platform/gdi/FontObject.h"
#include "platform/gdi/PenObject.h"

std::shared_ptr<PenObject> StockPen(int index);
std::shared_ptr<BrushObject> StockBrush(int index);
std::shared_ptr<FontObject> StockFont(int index);
