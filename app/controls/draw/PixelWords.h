// Colour operations on the pixel words of 32-bit DIB sections (blue in the
// lowest byte). Each reads the low 24 bits and returns a word whose top byte
// is 0; components are truncated to integers.
#pragma once

#include <cstdint>

#include "platform/gdi/GdiTypes.h"

namespace pixelwords {

// A COLORREF (red lowest) as a pixel word, and back: red and blue exchanged.
uint32_t FromColour(COLORREF colour);
COLORREF ToColour(uint32_t word);

uint32_t Grey(uint32_t p);
uint32_t Negate(uint32_t p);
// 0 <= f < 1: every component x f; any other f leaves the word unchanged.
uint32_t ScaleDown(uint32_t p, double f);
// 0 < f <= 1: every component x (1 + f), capped at 255; else unchanged.
uint32_t ScaleUp(uint32_t p, double f);
// Every component alpha x a + beta x b.
uint32_t Mix(uint32_t a, double alpha, uint32_t b, double beta);

}  // namespace pixelwords
