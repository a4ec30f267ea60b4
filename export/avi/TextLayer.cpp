#include "export/avi/TextLayer.h"

#include <algorithm>
#include <cstring>

namespace oskulo {
namespace {

// The rows a line drawn at y can reach in a picture of `height` rows: from
// y's even row to past the font and its shadow, also even.
std::pair<int, int> BandOf(int y, int fontHeight, int height) {
    const int begin = std::clamp(y, 0, height) & ~1;
    const int end = std::min(height, (std::max(y, 0) + fontHeight + 4 + 1) & ~1);
    return {begin, std::max(begin, end)};
}

}  // namespace

bool CTextLayer::SameAsDrawn(const CTextOverlay& overlay, const Line* lines, int count) const {
    if (count != int(m_lines.size()) || overlay.FontHeight() != m_fontHeight)
        return false;
    for (int i = 0; i < count; ++i) {
        if (lines[i].x != m_lines[i].x || lines[i].y != m_lines[i].y ||
            m_texts[std::size_t(i)] != lines[i].text)
            return false;
    }
    return true;
}

void CTextLayer::Prepare(CTextOverlay& overlay, const Line* lines, int count) {
    if (SameAsDrawn(overlay, lines, count))
        return;
    m_texts.clear();
    m_lines.clear();
    m_bands.clear();
    m_fontHeight = overlay.FontHeight();
    for (int i = 0; i < count; ++i) {
        m_texts.emplace_back(lines[i].text);
        m_lines.push_back(lines[i]);
        m_bands.push_back(BandOf(lines[i].y, m_fontHeight, overlay.Height()));
    }
    for (int i = 0; i < count; ++i)
        m_lines[std::size_t(i)].text = m_texts[std::size_t(i)].c_str();
    m_runs.clear();
    if (count == 0)
        return;
    DrawOn(overlay, 0, m_onBlack);
    DrawOn(overlay, 255, m_onWhite);
    FindRuns(overlay);
}

// Every band is cleared before any line is drawn, so a line reaching into
// another's band is kept whole, as when the lines are drawn one by one.
void CTextLayer::DrawOn(CTextOverlay& overlay, uint8_t shade, std::vector<uint8_t>& kept) const {
    const int pitch = overlay.Pitch();
    kept.resize(std::size_t(pitch) * std::size_t(overlay.Height()));
    for (const auto& [begin, end] : m_bands)
        std::memset(overlay.Pixels() + std::size_t(begin) * pitch, shade,
                    std::size_t(end - begin) * pitch);
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        overlay.Draw(m_lines[i].text, m_lines[i].x, m_lines[i].y, m_bands[i].second);
    for (const auto& [begin, end] : m_bands)
        std::memcpy(kept.data() + std::size_t(begin) * pitch,
                    overlay.Pixels() + std::size_t(begin) * pitch,
                    std::size_t(end - begin) * pitch);
}

// A pixel is touched when the text changed it on either background.
void CTextLayer::FindRuns(const CTextOverlay& overlay) {
    const int pitch = overlay.Pitch(), width = overlay.Width();
    std::vector<bool> rowPairs(std::size_t(overlay.Height() / 2), false);
    for (const auto& [begin, end] : m_bands)
        for (int y = begin; y + 1 < end; y += 2)
            rowPairs[std::size_t(y / 2)] = true;
    auto touched = [&](int x, int y) {
        for (int dy = 0; dy < 2; ++dy) {
            const std::size_t at = std::size_t(y + dy) * pitch + std::size_t(x) * 3;
            for (std::size_t k = 0; k < 6; ++k)
                if (m_onBlack[at + k] != 0 || m_onWhite[at + k] != 255)
                    return true;
        }
        return false;
    };
    for (int y = 0; y < int(rowPairs.size()) * 2; y += 2) {
        if (!rowPairs[std::size_t(y / 2)])
            continue;
        for (int x = 0; x + 1 < width; x += 2) {
            if (!touched(x, y))
                continue;
            if (!m_runs.empty() && m_runs.back().y == y && m_runs.back().x1 == x)
                m_runs.back().x1 = x + 2;
            else
                m_runs.push_back({y, x, x + 2});
        }
    }
}

// A pixel shows the text's colour (its value on black) plus the picture
// scaled by what shows through (white less black).
void CTextLayer::Apply(CTextOverlay& overlay, const CColorConvert& convert, uint8_t* picture,
                       int width, int height) const {
    const int pitch = overlay.Pitch();
    uint8_t* pixels = overlay.Pixels();
    for (const Run& r : m_runs) {
        convert.PictureToPixels(picture, width, height, pixels, pitch, r.y, r.y + 2, r.x0, r.x1);
        for (int y = r.y; y < r.y + 2; ++y) {
            const std::size_t from = std::size_t(y) * pitch + std::size_t(r.x0) * 3;
            const std::size_t to = from + std::size_t(r.x1 - r.x0) * 3;
            for (std::size_t i = from; i < to; ++i) {
                const int through = std::max(0, m_onWhite[i] - m_onBlack[i]);
                pixels[i] = uint8_t(m_onBlack[i] + (pixels[i] * through + 127) / 255);
            }
        }
        convert.PixelsToPicture(pixels, pitch, width, height, picture, r.y, r.y + 2, r.x0, r.x1);
    }
}

void CTextLayer::Reset() {
    m_texts.clear();
    m_lines.clear();
    m_bands.clear();
    m_fontHeight = 0;
    m_onBlack = {};
    m_onWhite = {};
    m_runs.clear();
}

}  // namespace oskulo
