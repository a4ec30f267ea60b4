#include "player/queue/GopBuffer.h"

bool InitGopBuffer(GopBuffer* slot) {
    *slot = GopBuffer{};
    slot->data = new uint8_t[kGopBufferSize];
    slot->state = kSlotEmpty;
    return true;
}

bool FreeGopBuffer(GopBuffer* slot) {
    delete[] slot->data;
    *slot = GopBuffer{};
    return true;
}
