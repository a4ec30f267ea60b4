// The pixels of one top-level window, frame included: what its windows paint
// and what the screen shows of it. The owner thread paints into it through
// device contexts; the video renderer writes into a pane's area from its own
// threads; the display reads it to compose the screen.
//
// `mutex` guards the buffer's size and the pixels that other threads touch:
// renderers and readers hold it, and the owner holds it while it resizes.
// The owner paints without it: it never paints where the renderer writes
// (the renderer's pane) while video runs there. Contexts are counted under
// UserMutex().
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

#include "platform/gdi/PixelBuffer.h"

class BackingStore {
public:
    BackingStore(int width, int height);

    // mutex held or owner thread only.
    PixelBuffer Buffer();
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Keeps the overlapping top-left part; new pixels are black. Contexts
    // still open on the old pixels keep drawing there harmlessly.
    void Resize(int width, int height);

    // Device contexts open on the pixels; while there are any, replaced pixel
    // buffers are kept alive.
    void OpenContext() { ++openContexts_; }
    void CloseContext();

    std::mutex mutex;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
    int openContexts_ = 0;
    std::vector<std::vector<uint32_t>> retired_;
};
