#include "Canvas.h"

#include <filesystem>
#include <fstream>

namespace {

void WritePpm(const std::string& path, int width, int height, const std::vector<COLORREF>& px) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << width << " " << height << "\n255\n";
    for (COLORREF c : px) {
        out.put(char(GetRValue(c))).put(char(GetGValue(c))).put(char(GetBValue(c)));
    }
}

char NameOf(COLORREF c, const Legend& legend) {
    for (const auto& [name, colour] : legend) {
        if (colour == c)
            return name;
    }
    return '#';
}

}  // namespace

Canvas::Canvas(int width, int height, COLORREF background) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
    Fill(background);
}

Canvas::~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF Canvas::At(int x, int y) const {
    uint32_t w = Word(x, y);
    return RGB(BYTE(w >> 16), BYTE(w >> 8), BYTE(w));
}

void Canvas::Fill(COLORREF colour) {
    uint32_t word = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    std::fill(bits_, bits_ + width_ * height_, word);
}

void Canvas::Paint(const Picture& picture, const Legend& legend) {
    for (int y = 0; y < height_ && y < int(picture.size()); ++y) {
        for (int x = 0; x < width_ && x < int(picture[y].size()); ++x) {
            COLORREF c = legend.at(picture[y][x]);
            bits_[y * width_ + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    }
}

::testing::AssertionResult Canvas::Matches(const Picture& expected, const Legend& legend,
                                           const std::string& name) const {
    std::vector<COLORREF> want, got;
    std::string text;
    bool same = int(expected.size()) == height_;
    for (int y = 0; y < height_; ++y) {
        std::string row;
        for (int x = 0; x < width_; ++x) {
            char e = y < int(expected.size()) && x < int(expected[y].size()) ? expected[y][x] : '#';
            COLORREF actual = At(x, y);
            row += NameOf(actual, legend);
            got.push_back(actual);
            bool any = e == '?';
            want.push_back(any ? actual : (legend.count(e) ? legend.at(e) : RGB(255, 0, 255)));
            if (!any && (!legend.count(e) || legend.at(e) != actual))
                same = false;
        }
        text += "\n  " + row + "   " + (y < int(expected.size()) ? expected[y] : "");
    }
    if (same)
        return ::testing::AssertionSuccess();
    const std::string dir = GDI_FAILURE_DIR;
    std::filesystem::create_directories(dir);
    WritePpm(dir + "/" + name + "-expected.ppm", width_, height_, want);
    WritePpm(dir + "/" + name + "-actual.ppm", width_, height_, got);
    return ::testing::AssertionFailure()
           << name << " (images in " << dir << "): actual, expected:" << text;
}

int Canvas::Ink(const RECT& area, COLORREF background) const {
    int ink = 0;
    for (int y = std::max<int>(0, area.top); y < std::min<int>(height_, area.bottom); ++y) {
        for (int x = std::max<int>(0, area.left); x < std::min<int>(width_, area.right); ++x) {
            if (At(x, y) != background)
                ++ink;
        }
    }
    return ink;
}
