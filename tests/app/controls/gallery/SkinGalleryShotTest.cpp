// End-to-end: the gallery of skinned controls on the GTK display, on an X
// server of its own (with-xvfb.sh), read back from the screen and compared
// with the expected image that was looked at and committed. On a mismatch
// the picture seen and the difference picture are written to the build
// folder. Fonts come from the project's font packages, so text renders alike
// on every machine; the tolerance takes small rendering differences only.
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/app/controls/gallery/ImageCompare.h"
#include "tests/platform/user/Reaper.h"
#include "tools/skingallery/GalleryShot.h"

namespace {

const std::string kExpected = GALLERY_EXPECTED_IMAGE;
const std::string kOutput = GALLERY_OUTPUT_DIR;
const Tolerance kTolerance;

// Whether fontconfig finds the family itself rather than a stand-in.
bool FamilyInstalled(const char* family) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    FcChar8* name = nullptr;
    const bool same = found != nullptr &&
                      FcPatternGetString(found, FC_FAMILY, 0, &name) == FcResultMatch &&
                      std::string(reinterpret_cast<const char*>(name)) == family;
    if (found != nullptr)
        FcPatternDestroy(found);
    FcPatternDestroy(pattern);
    return same;
}

TEST(SkinGalleryShot, TheScreenShowsEveryControlAsTheExpectedImage) {
    const Reaper reaper(std::chrono::seconds(60));
    const std::unique_ptr<GtkDisplay> display = GtkDisplay::Open();
    ASSERT_NE(display, nullptr) << "no X server: run under with-xvfb.sh";
    // Every text of the gallery ("MS Shell Dlg" and "Arial") is drawn in it.
    ASSERT_TRUE(FamilyInstalled("Liberation Sans"))
        << "the expected image was drawn with Liberation Sans (fonts-liberation2)";
    const RgbImage expected = ReadPng(kExpected);
    ASSERT_FALSE(expected.Empty()) << "cannot read " << kExpected;

    const RgbImage actual = ShootGallery(*display);
    ASSERT_FALSE(actual.Empty()) << "the screen never showed the gallery as composed";
    const ImageDifference d = Compare(expected, actual, kTolerance);
    if (!d.Within(kTolerance)) {
        const std::string seen = kOutput + "/skin_gallery.actual.png";
        const std::string marked = kOutput + "/skin_gallery.diff.png";
        EXPECT_TRUE(WritePng(actual, seen));
        if (d.sizesMatch) {
            EXPECT_TRUE(WritePng(d.picture, marked));
        }
        ADD_FAILURE() << d.Describe() << "\nseen: " << seen << "\ndifferences: " << marked
                      << "\nexpected: " << kExpected;
    }
}

}  // namespace
