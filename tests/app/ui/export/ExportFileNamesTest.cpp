#include "app/ui/export/ExportFileNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr uint32_t kTime = 1560163542;  // 2019-06-10 10:45:42

// Copies up to the field's 16 bytes, with no terminator when the id fills
// them, as the recorder writes it.
void CopyId(char (&field)[16], const char* id) {
    std::memcpy(field, id, std::min(std::strlen(id), sizeof field));
}

std::unique_ptr<GopInfo> Gop(const char* carId) {
    auto gop = std::make_unique<GopInfo>();
    *gop = GopInfo{};
    CopyId(gop->carId, carId);
    gop->time = kTime;
    gop->fps[0] = 25;
    gop->fps[1] = 12;
    return gop;
}

ExtractParams Params(const char* dir) {
    ExtractParams p{};
    p.numChannels = 4;
    std::strncpy(p.outputDir, dir, sizeof p.outputDir - 1);
    p.outWidth[0] = 704, p.outHeight[0] = 576;
    p.outWidth[1] = 352, p.outHeight[1] = 288;
    return p;
}

}  // namespace

TEST(ExportFileNames, TimeTextIsTheCalendarTimeWithoutZone) {
    EXPECT_EQ(ExportTimeText(kTime), "20190610_1045_42");
    EXPECT_EQ(ExportTimeText(0), "19700101_0000_00");
}

TEST(ExportFileNames, VehicleIdsCannotLeaveTheFolderOrBreakTheName) {
    const struct {
        const char* id;
        const char* safe;
    } cases[] = {
        {"TRUCK 7", "TRUCK 7"},     {"v1.2", "v1.2"},     {"", ""},
        {"../../etc", "______etc"}, {"..", "__"},         {"AB/CD\\EF", "AB_CD_EF"},
        {"A\tB\nC\x7f", "A_B_C_"},  {"abc...", "abc___"},
    };
    for (const auto& c : cases) {
        char id[16] = {};
        CopyId(id, c.id);
        EXPECT_EQ(SafeVehicleId(id), c.safe) << c.id;
    }
    const char full[16] = {'0', '1', '2', '3', '4', '5', '6', '7',
                           '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    EXPECT_EQ(SafeVehicleId(full), "0123456789ABCDEF") << "16 bytes without a terminator";
}

TEST(ExportFileNames, EachOutputKindGetsItsNames) {
    const auto gop = Gop("../V");
    ExtractParams p = Params("/out");
    p.aviOn[1] = 1;
    p.aviOn[0] = 1;
    p.mosaicOn = 1;
    p.rawOn = 1;
    p.movOn[1] = 1;  // never together with AVI in a real record; each name on its own
    ASSERT_TRUE(FillExportNames(p, *gop));
    EXPECT_STREQ(p.aviPath[0], "/out/AVI____V_20190610_1045_42_ch1_704X576@25fps.avi");
    EXPECT_STREQ(p.aviPath[1], "/out/AVI____V_20190610_1045_42_ch2_352X288@12fps.avi");
    EXPECT_STREQ(p.aviPath[2], "");
    EXPECT_STREQ(p.movBase[1], "/out/MOV____V_20190610_1045_42_ch2_352X288@12fps");
    EXPECT_STREQ(p.movBase[0], "");
    EXPECT_STREQ(p.mosaicPath, "/out/AVI____V_20190610_1045_42_ch_all.avi");
    EXPECT_STREQ(p.dvrPath, "/out/___V_20190610_1045_42.dvr");
    EXPECT_STREQ(p.inxPath, "/out/___V_20190610_1045_42.inx");
}

TEST(ExportFileNames, ChannelsBeyondTheRecordsCountGetNoName) {
    const auto gop = Gop("V");
    ExtractParams p = Params("/out");
    p.numChannels = 1;
    p.aviOn[1] = 1;
    ASSERT_TRUE(FillExportNames(p, *gop));
    EXPECT_STREQ(p.aviPath[1], "");
}

TEST(ExportFileNames, ANameThatDoesNotFitIsRefused) {
    const auto gop = Gop("VEHICLE");
    const std::string dir = "/" + std::string(220, 'd');
    for (int kind = 0; kind < 4; ++kind) {
        ExtractParams p = Params(dir.c_str());
        (kind == 0 ? p.aviOn[0] : kind == 1 ? p.movOn[0] : kind == 2 ? p.mosaicOn : p.rawOn) = 1;
        EXPECT_EQ(FillExportNames(p, *gop), kind == 3) << "kind " << kind;
    }
    ExtractParams p = Params(("/" + std::string(240, 'd')).c_str());
    p.rawOn = 1;
    EXPECT_FALSE(FillExportNames(p, *gop));
}
