#include "platform/media/Desktop.h"

#include <atomic>

namespace {

std::atomic<bool> g_drawingPossible{true};

}  // namespace

bool DrawingPossible() {
    return g_drawingPossible.load();
}

void SetDrawingPossible(bool possible) {
    g_drawingPossible.store(possible);
}
