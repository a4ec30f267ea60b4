#include <gtest/gtest.h>
#include <turbojpeg.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "Canvas.h"
#include "platform/gdi/GdiPlusBitmap.h"
#include "platform/gdi/GdiPlusGraphics.h"

namespace {

using namespace Gdiplus;

// GDI+ started for one test, and a scratch folder.
class GdiPlusTest : public ::testing::Test {
protected:
    void SetUp() override {
        GdiplusStartupInput input;
        ASSERT_EQ(GdiplusStartup(&token_, &input, nullptr), Ok);
        dir_ = std::filesystem::temp_directory_path() /
               ("gdiplus-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        GdiplusShutdown(token_);
        std::filesystem::remove_all(dir_);
    }

    CLSID EncoderFor(const wchar_t* mime) {
        UINT count = 0, size = 0;
        EXPECT_EQ(GetImageEncodersSize(&count, &size), Ok);
        std::vector<unsigned char> buffer(size);
        auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
        EXPECT_EQ(GetImageEncoders(count, size, codecs), Ok);
        for (UINT i = 0; i < count; ++i) {
            if (std::wcscmp(codecs[i].MimeType, mime) == 0)
                return codecs[i].Clsid;
        }
        ADD_FAILURE() << "no encoder";
        return {};
    }

    ULONG_PTR token_ = 0;
    std::filesystem::path dir_;
};

std::vector<unsigned char> ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(GdiPlusTest, EncoderListHasBmpAndJpeg) {
    UINT count = 0, size = 0;
    ASSERT_EQ(GetImageEncodersSize(&count, &size), Ok);
    EXPECT_EQ(count, 2u);
    std::vector<unsigned char> small(size - 1);
    EXPECT_EQ(GetImageEncoders(count, size - 1, reinterpret_cast<ImageCodecInfo*>(small.data())),
              InvalidParameter);
    CLSID jpeg = EncoderFor(L"image/jpeg");
    CLSID bmp = EncoderFor(L"image/bmp");
    EXPECT_FALSE(jpeg == bmp);
}

TEST_F(GdiPlusTest, CapturedBitmapSavesAsJpegThatDecodesBack) {
    // What the picture capture does: a GDI bitmap with text on black, made
    // into a GDI+ bitmap, drawn at scale 1 and saved at quality 200.
    Canvas screen(64, 32, RGB(0, 0, 200));
    RECT left{0, 0, 32, 32};
    HBRUSH red = CreateSolidBrush(RGB(220, 30, 30));
    FillRect(screen.dc(), &left, red);
    DeleteObject(red);
    Bitmap captured(screen.bitmap(), nullptr);
    ASSERT_EQ(captured.GetLastStatus(), Ok);
    Bitmap output(64, 32, PixelFormat32bppARGB);
    Graphics graphics(&output);
    ASSERT_EQ(graphics.ScaleTransform(1.0f, 1.0f), Ok);
    ASSERT_EQ(graphics.DrawImage(&captured, 0, 0), Ok);
    ULONG quality = 200;
    EncoderParameters parameters{1, {{EncoderQuality, 1, EncoderParameterValueTypeLong, &quality}}};
    CLSID jpeg = EncoderFor(L"image/jpeg");
    std::filesystem::path file = dir_ / "capture.jpg";
    ASSERT_EQ(output.Save(file.wstring().c_str(), &jpeg, &parameters), Ok);

    std::vector<unsigned char> data = ReadAll(file);
    ASSERT_GT(data.size(), 100u);
    tjhandle tj = tjInitDecompress();
    int w = 0, h = 0, sub = 0, space = 0;
    ASSERT_EQ(tjDecompressHeader3(tj, data.data(), data.size(), &w, &h, &sub, &space), 0);
    EXPECT_EQ(w, 64);
    EXPECT_EQ(h, 32);
    std::vector<unsigned char> rgb(size_t(w * h * 3));
    ASSERT_EQ(tjDecompress2(tj, data.data(), data.size(), rgb.data(), w, 0, h, TJPF_RGB, 0), 0);
    tjDestroy(tj);
    auto near = [&](int x, int y, int r, int g, int b) {
        const unsigned char* p = &rgb[size_t((y * w + x) * 3)];
        return std::abs(p[0] - r) < 12 && std::abs(p[1] - g) < 12 && std::abs(p[2] - b) < 12;
    };
    EXPECT_TRUE(near(8, 16, 220, 30, 30));
    EXPECT_TRUE(near(56, 16, 0, 0, 200));
}

TEST_F(GdiPlusTest, ScaledDrawingAndBmpFiles) {
    Canvas screen(2, 1);
    SetPixel(screen.dc(), 0, 0, RGB(10, 20, 30));
    SetPixel(screen.dc(), 1, 0, RGB(40, 50, 60));
    Bitmap captured(screen.bitmap(), nullptr);
    Bitmap output(4, 2);
    Graphics graphics(&output);
    graphics.ScaleTransform(2.0f, 2.0f);
    ASSERT_EQ(graphics.DrawImage(&captured, 0, 0), Ok);
    EXPECT_EQ(output.Pixels()[0], 0xFF0A141Eu);
    EXPECT_EQ(output.Pixels()[1], 0xFF0A141Eu);
    EXPECT_EQ(output.Pixels()[2], 0xFF28323Cu);
    EXPECT_EQ(output.Pixels()[7], 0xFF28323Cu);
    CLSID bmp = EncoderFor(L"image/bmp");
    std::filesystem::path file = dir_ / "out.bmp";
    ASSERT_EQ(output.Save(file.wstring().c_str(), &bmp, nullptr), Ok);
    std::vector<unsigned char> data = ReadAll(file);
    ASSERT_EQ(data.size(), 54u + 4 * 2 * 4);
    EXPECT_EQ(data[0], 'B');
    // The bottom row comes first: blue of its pixels 0 and 2.
    EXPECT_EQ(data[54], 0x1E);
    EXPECT_EQ(data[54 + 8], 0x3C);
    CLSID unknown{};
    EXPECT_EQ(output.Save(file.wstring().c_str(), &unknown, nullptr), UnknownImageFormat);
    std::filesystem::path missing = dir_ / "no" / "such" / "dir.bmp";
    EXPECT_EQ(output.Save(missing.wstring().c_str(), &bmp, nullptr), Win32Error);
}

TEST(GdiPlus, ImagesNeedAStartUp) {
    Bitmap bitmap(4, 4);
    EXPECT_EQ(bitmap.GetLastStatus(), GdiplusNotInitialized);
    EXPECT_EQ(bitmap.GetWidth(), 0u);
    ULONG_PTR token = 0;
    GdiplusStartupInput input;
    ASSERT_EQ(GdiplusStartup(&token, &input, nullptr), Ok);
    Bitmap fine(4, 4);
    EXPECT_EQ(fine.GetLastStatus(), Ok);
    Bitmap stale(reinterpret_cast<HBITMAP>(intptr_t(12345)), nullptr);
    EXPECT_NE(stale.GetLastStatus(), Ok);
    GdiplusShutdown(token);
    EXPECT_EQ(fine.Save(L"/tmp/never-written.bmp", nullptr, nullptr), GdiplusNotInitialized);
}

}  // namespace
