// GopBuffer: one GOP held in a 12 MiB buffer that the slot owns, with where it
// was read. A slot of the GOP queue, or a thread's own GOP holder.
#pragma once

#include <cstdint>

#include "player/source/GopReadResult.h"  // kGopBufferSize

// What a slot holds. A slot is taken while its state is 0 or above.
enum GopSlotState : int {
    kSlotGop = 0,
    kSlotEndOfData = 1,  // the only marker the read thread queues
    kSlotMarker2 = 2,    // further markers MarkEnd accepts
    kSlotMarker3 = 3,
    kSlotConsumed = -1,
    kSlotEmpty = -2,
};

struct GopBuffer {
    uint8_t* data;           // kGopBufferSize bytes, owned by the slot; null when freed
    int state;               // a GopSlotState
    int length;              // bytes of the GOP in data
    int64_t positionBefore;  // data position of the source before the read
    int64_t positionAfter;   // and after it
};

inline bool IsEndMarker(int state) {
    return state >= kSlotEndOfData && state <= kSlotMarker3;
}

// Zeroes the slot and gives it a new buffer; state empty. True.
bool InitGopBuffer(GopBuffer* slot);

// Deletes the slot's buffer (when present) and zeroes the slot. True.
bool FreeGopBuffer(GopBuffer* slot);
