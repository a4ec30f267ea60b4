#include "export/controller/OverlayText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

class OverlayTextTest : public testing::Test {
protected:
    OverlayTextTest() : info_(std::make_unique<GopInfo>()) {
        std::memset(info_.get(), 0, sizeof(GopInfo));
        info_->time = 1560163542;  // 2019-06-10 10:45:42
        std::memcpy(info_->carId, "ABC-123", 8);
        info_->temperatureCount = 1;
        info_->temperature[0] = 25;
        info_->speedCount = 1;
        info_->speed[0] = 100.0f;
        info_->gpsCount = 1;
        std::memcpy(info_->gps[0].latitude, "2459.9952N", 10);
        std::memcpy(info_->gps[0].longitude, "12130.1625E", 11);
        std::memcpy(info_->gps[0].altitude, "00012.5", 7);
    }

    std::wstring Osd() {
        wchar_t text[oskulo::kOsdTextSize];
        oskulo::BuildOsdText(params_, *info_, text);
        return text;
    }

    ExtractParams params_{};
    std::unique_ptr<GopInfo> info_;
};

TEST_F(OverlayTextTest, DateLineIsTheRecordingTimeWithoutTimeZone) {
    wchar_t text[oskulo::kTimeTextSize];
    oskulo::BuildTimeText(params_, *info_, text);
    EXPECT_EQ(std::wstring(text), L"");
    params_.osdDateTime = 1;
    oskulo::BuildTimeText(params_, *info_, text);
    EXPECT_EQ(std::wstring(text), L"2019-06-10 10:45:42");
}

TEST_F(OverlayTextTest, AllPartsInTheirOrderWithTheirPadding) {
    params_.osdVehicleId = params_.osdTemperature = params_.osdSpeed = params_.osdGps = 1;
    EXPECT_EQ(Osd(), L"ABC-123    25\u2103   100.0km/h    Lng\uFF1A121.502708, Lat\uFF1A24.999920");
}

TEST_F(OverlayTextTest, AFirstPartHasNoPadding) {
    params_.osdGps = 1;
    EXPECT_EQ(Osd(), L"Lng\uFF1A121.502708, Lat\uFF1A24.999920");
    params_.osdGps = 0;
    params_.osdSpeed = 1;
    EXPECT_EQ(Osd(), L"100.0km/h");
    params_.osdSpeed = 0;
    params_.osdTemperature = 1;
    EXPECT_EQ(Osd(), L"25\u2103");
}

TEST_F(OverlayTextTest, ImperialUnits) {
    params_.speedUnit = 1;
    params_.temperatureUnit = 1;
    params_.osdSpeed = 1;
    EXPECT_EQ(Osd(), L"62.2mile/h");
    params_.osdSpeed = 0;
    params_.osdTemperature = 1;
    EXPECT_EQ(Osd(), L"77\u2109");
    info_->temperature[0] = -5;
    EXPECT_EQ(Osd(), L"23\u2109");
}

TEST_F(OverlayTextTest, AnInvalidPositionIsLeftOutNotReplacedByTheFallback) {
    params_.osdVehicleId = params_.osdGps = 1;
    std::memcpy(info_->gps[0].latitude, "2459,9952N", 10);
    EXPECT_EQ(Osd(), L"ABC-123");
    std::memcpy(info_->gps[0].latitude, "0000.0000N", 10);
    EXPECT_EQ(Osd(), L"ABC-123    Lng\uFF1A121.502708, Lat\uFF1A 0.000000");
}

TEST_F(OverlayTextTest, ARecordIndexBeyondTheRecordsLeavesThePartOut) {
    params_.osdTemperature = params_.osdSpeed = 1;
    info_->recordIndex = 1;
    EXPECT_EQ(Osd(), L"");
    info_->speedCount = 2;
    info_->speed[1] = 5.5f;
    EXPECT_EQ(Osd(), L"5.5km/h");
}

TEST_F(OverlayTextTest, AnEmptyVehicleIdStillCountsAsAPart) {
    params_.osdVehicleId = params_.osdSpeed = 1;
    info_->carId[0] = '\0';
    EXPECT_EQ(Osd(), L"   100.0km/h");
}

}  // namespace
