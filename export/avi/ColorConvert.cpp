#include "export/avi/ColorConvert.h"

#include <algorithm>

namespace oskulo {
namespace {

void Fill(std::array<int32_t, 256>& table, double factor) {
    for (int i = 0; i < 256; ++i)
        table[std::size_t(i)] = int32_t(i * 256 * factor);
}

void FillCentred(std::array<int32_t, 256>& table, int32_t factor) {
    for (int i = 0; i < 256; ++i)
        table[std::size_t(i)] = (i - 128) * factor;
}

}  // namespace

CColorConvert::CColorConvert() {
    Fill(m_y65481, 65.481);
    Fill(m_y128553, 128.553);
    Fill(m_y24966, 24.966);
    Fill(m_u37797, 37.797);
    Fill(m_u74203, 74.203);
    Fill(m_uv112, 112.0);
    Fill(m_v93786, 93.786);
    Fill(m_v18214, 18.214);
    FillCentred(m_rv, 104597);
    FillCentred(m_bu, 132201);
    FillCentred(m_gu, 25675);
    FillCentred(m_gv, 53279);
    for (int i = 0; i < 256; ++i)
        m_luma[std::size_t(i)] = i * 76309 - 1220944;
    for (int i = 0; i < 1024; ++i)
        m_clamp[std::size_t(i)] = uint8_t(std::clamp(i - 384, 0, 255));
}

uint8_t CColorConvert::ClampFixed(int value) const {
    return Clamp(std::clamp(value >> 16, -384, 639));
}

void CColorConvert::PictureToPixels(const uint8_t* picture, int width, int height, uint8_t* pixels,
                                    int pitch, int rowBegin, int rowEnd, int colBegin,
                                    int colEnd) const {
    const uint8_t* second = picture + width * height;
    const uint8_t* third = second + (width / 2) * (height / 2);
    for (int y = std::max(rowBegin, 0); y < std::min(rowEnd, height); ++y) {
        const uint8_t* luma = picture + y * width;
        const uint8_t* u = second + (y / 2) * (width / 2);
        const uint8_t* v = third + (y / 2) * (width / 2);
        const int first = std::max(colBegin, 0);
        uint8_t* out = pixels + y * pitch + first * 3;
        for (int x = first; x < std::min(colEnd, width); ++x, out += 3) {
            const int l = m_luma[luma[x]];
            const int cu = u[x / 2];
            const int cv = v[x / 2];
            out[0] = ClampFixed(l + m_rv[std::size_t(cv)]);
            out[1] = ClampFixed(l - m_gu[std::size_t(cu)] - m_gv[std::size_t(cv)]);
            out[2] = ClampFixed(l + m_bu[std::size_t(cu)]);
        }
    }
}

void CColorConvert::PixelsToPicture(const uint8_t* pixels, int pitch, int width, int height,
                                    uint8_t* picture, int rowBegin, int rowEnd, int colBegin,
                                    int colEnd) const {
    const int cw = width / 2;
    uint8_t* second = picture + width * height;
    uint8_t* third = second + cw * (height / 2);
    const int end = std::min(rowEnd, height);
    for (int y = std::max(rowBegin, 0) & ~1; y + 1 < end; y += 2) {
        for (int x = std::max(colBegin, 0) & ~1; x + 1 < std::min(colEnd, width); x += 2) {
            int sumU = 0;
            int sumV = 0;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    const uint8_t* p = pixels + (y + dy) * pitch + (x + dx) * 3;
                    const std::size_t a = p[0], b = p[1], c = p[2];
                    picture[(y + dy) * width + x + dx] =
                        uint8_t((m_y65481[a] + m_y128553[b] + m_y24966[c] + 16 * 65536) >> 16);
                    sumU += (m_uv112[c] - m_u37797[a] - m_u74203[b] + 128 * 65536) >> 16;
                    sumV += (m_uv112[a] - m_v93786[b] - m_v18214[c] + 128 * 65536) >> 16;
                }
            }
            second[(y / 2) * cw + x / 2] = uint8_t(std::clamp(sumU >> 2, 0, 255));
            third[(y / 2) * cw + x / 2] = uint8_t(std::clamp(sumV >> 2, 0, 255));
        }
    }
}

}  // namespace oskulo
