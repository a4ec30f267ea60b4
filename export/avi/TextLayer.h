// CTextLayer: the burnt-in text lines of an AVI writer, drawn once while
// they stay the same and laid on every picture. The lines are drawn on black
// and on white, which gives each pixel the text's colour and how much of the
// picture shows through it; a picture then has only the 2 x 2 blocks the
// texts touch converted to pixels, blended and converted back. Every other
// sample keeps its exact value, and a frame costs no text drawing.
//
// One writer owns one layer and uses it on its own thread, with its overlay
// (whose bits serve as the pixels of the blocks being blended).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/avi/ColorConvert.h"
#include "export/avi/TextOverlay.h"

namespace oskulo {

class CTextLayer {
public:
    struct Line {
        const wchar_t* text;  // not empty
        int x, y;
    };

    // Draws `count` lines (at most 2) with the overlay, unless the same lines
    // in the same font were drawn last. The overlay must be ready.
    void Prepare(CTextOverlay& overlay, const Line* lines, int count);
    // Lays the lines drawn last on a picture of the overlay's size (planar
    // 4:2:0, pitch = width).
    void Apply(CTextOverlay& overlay, const CColorConvert& convert, uint8_t* picture, int width,
               int height) const;
    // Forgets the lines and frees the layer's memory.
    void Reset();

private:
    // Blocks of one pair of rows, columns [x0, x1), both even.
    struct Run {
        int y, x0, x1;
    };

    bool SameAsDrawn(const CTextOverlay& overlay, const Line* lines, int count) const;
    // Draws the lines on a background of `shade` and keeps the rows they reach in `kept`.
    void DrawOn(CTextOverlay& overlay, uint8_t shade, std::vector<uint8_t>& kept) const;
    void FindRuns(const CTextOverlay& overlay);

    std::vector<std::wstring> m_texts;
    std::vector<Line> m_lines;                 // their positions; text points into m_texts
    std::vector<std::pair<int, int>> m_bands;  // the rows each line can reach
    int m_fontHeight = 0;
    std::vector<uint8_t> m_onBlack, m_onWhite;  // pixels of the overlay's layout
    std::vector<Run> m_runs;
};

}  // namespace oskulo
