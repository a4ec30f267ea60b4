// The extraction sink between a reader's range extraction and the player.
// Called on the extraction thread only. `data` belongs to the reader and is
// valid only during the call.
#pragma once

#include <functional>

#include "shared/PlayerInterface.h"

// (code, percent, data, length); code is a zExtractCode.
using ExtractCallback = std::function<void(int code, int percent, const void* data, int length)>;
