// The burnt-in telemetry line fits the picture's width: the overlay's font
// keeps the height the picture size gives where the widest line the options
// can make fits, and is made smaller where it would run over the edge.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "export/avi/TextOverlay.h"
#include "export/controller/OverlayText.h"

namespace {

// Every overlay option, in metric or imperial units.
ExtractParams AllParts(bool imperial) {
    ExtractParams p{};
    p.osdDateTime = p.osdVehicleId = p.osdSpeed = p.osdTemperature = p.osdGps = 1;
    p.speedUnit = p.temperatureUnit = imperial ? 1 : 0;
    return p;
}

std::wstring WidestLine(const ExtractParams& params, const char* carId) {
    auto info = std::make_unique<GopInfo>();
    std::memset(info.get(), 0, sizeof(GopInfo));
    std::strncpy(info->carId, carId, sizeof info->carId - 2);
    wchar_t text[oskulo::kOsdTextSize];
    oskulo::BuildWidestOsdText(params, *info, text);
    return text;
}

TEST(OverlayFit, TheWidestTelemetryLineFitsEveryPictureWidth) {
    const struct {
        int width, height;
        int heightToday;       // what the picture size gives
        bool sampleFitsToday;  // the sample's line at that height
    } pictures[] = {{352, 288, 14, false}, {704, 576, 25, true}, {1280, 720, 40, true}};
    // The sample's id, and one of the full 14 characters the recorder keeps.
    const char* const kSampleId = "SAMPLE-01";
    const char* const ids[] = {kSampleId, "ABCD-123456789"};
    for (const auto& picture : pictures) {
        for (const char* id : ids) {
            for (bool imperial : {false, true}) {
                const std::wstring line = WidestLine(AllParts(imperial), id);
                SCOPED_TRACE(testing::Message() << picture.width << " x " << picture.height << ", "
                                                << id << (imperial ? ", imperial" : ""));
                oskulo::CTextOverlay overlay;
                ASSERT_TRUE(overlay.Create(picture.width, picture.height));
                ASSERT_EQ(overlay.FontHeight(), picture.heightToday);
                // The shadow reaches one pixel right of the text.
                const auto right = [&] { return 2 + overlay.LineWidth(line.c_str()) + 1; };
                const bool fitsToday = right() <= picture.width;
                if (id == kSampleId) {
                    EXPECT_EQ(fitsToday, picture.sampleFitsToday);
                }
                overlay.FitLine(line.c_str(), 2);
                EXPECT_LE(right(), picture.width) << "the line ends in the picture";
                if (fitsToday) {
                    EXPECT_EQ(overlay.FontHeight(), picture.heightToday) << "kept where it fits";
                } else {
                    EXPECT_LT(overlay.FontHeight(), picture.heightToday);
                }
                EXPECT_GE(overlay.FontHeight(), oskulo::CTextOverlay::kSmallestFontHeight);
            }
        }
    }
}

}  // namespace
