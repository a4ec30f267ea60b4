// CColorConvert: planar 4:2:0 pictures to 24-bit pixels and back, in BT.601
// fixed-point table arithmetic (16 fraction bits, no floating point).
//
// Both directions read and write the two chroma planes and the three bytes of
// a pixel in the same order, so a picture that goes to pixels and back keeps
// its colours (up to rounding and the 2 x 2 chroma averaging) whichever
// chroma plane comes first. Pixel rows are `pitch` bytes apart.
//
// Tables only: one object serves any picture size; it is only read after
// construction, so several threads may share it.
#pragma once

#include <array>
#include <cstdint>

namespace oskulo {

class CColorConvert {
public:
    CColorConvert();

    // picture: w x h luma bytes, then two (w/2) x (h/2) chroma planes; w, h
    // even. Only the rows [rowBegin, rowEnd) and columns [colBegin, colEnd)
    // are converted (all even); pixel (x, r) is that of the picture.
    void PictureToPixels(const uint8_t* picture, int width, int height, uint8_t* pixels, int pitch,
                         int rowBegin, int rowEnd, int colBegin, int colEnd) const;
    void PixelsToPicture(const uint8_t* pixels, int pitch, int width, int height, uint8_t* picture,
                         int rowBegin, int rowEnd, int colBegin, int colEnd) const;
    void PictureToPixels(const uint8_t* picture, int width, int height, uint8_t* pixels,
                         int pitch) const {
        PictureToPixels(picture, width, height, pixels, pitch, 0, height, 0, width);
    }
    void PixelsToPicture(const uint8_t* pixels, int pitch, int width, int height,
                         uint8_t* picture) const {
        PixelsToPicture(pixels, pitch, width, height, picture, 0, height, 0, width);
    }

private:
    uint8_t Clamp(int value) const { return m_clamp[std::size_t(value + 384)]; }
    // Clamps a 16.16 sum, keeping the table's reach for sums far out of range.
    uint8_t ClampFixed(int value) const;

    // RGB to YUV: Y from R, G, B; Cb from R, G; Cb from B and Cr from R; Cr from G, B.
    std::array<int32_t, 256> m_y65481, m_y128553, m_y24966;
    std::array<int32_t, 256> m_u37797, m_u74203, m_uv112;
    std::array<int32_t, 256> m_v93786, m_v18214;
    // YUV to RGB.
    std::array<int32_t, 256> m_rv, m_bu, m_gu, m_gv, m_luma;
    std::array<uint8_t, 1024> m_clamp;
};

}  // namespace oskulo
