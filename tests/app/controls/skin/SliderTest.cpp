#include "app/controls/PrivateMessage.h"
#include "app/controls/skin/SlideButton.h"
#include "app/controls/skin/SlideVolumn.h"
#include "app/controls/skin/SliderParts.h"
#include "tests/app/controls/skin/Pictures.h"
#include "tests/app/controls/skin/SkinFixture.h"

using namespace pictures;
using namespace skintest;

namespace {

constexpr UINT kTemplate = 63001;
constexpr UINT kTrack = 63002;
constexpr UINT kThumb = 63003;
constexpr UINT kFilled = 63004;
constexpr UINT kEmpty = 63005;
constexpr int kSeek = 10011;
constexpr int kVolume = 10012;
constexpr int kSquare = 10013;

using Posted = CRecordingDlg::Posted;

}  // namespace

namespace skintest {
void PrintTo(const CRecordingDlg::Posted& p, std::ostream* os) {
    *os << "{WM_USER+" << p.message - WM_USER << ", " << p.wParam << ", " << p.lParam << "}";
}
}  // namespace skintest

namespace {

class Sliders : public Fixture {
protected:
    Sliders() : Fixture(kTemplate) {
        AddResource(kTrack, {"rr"});
        AddResource(kThumb, {"g.", "gg"});
        AddResource(kFilled, {"y"});
        AddResource(kEmpty, {"b"});
        const DWORD style = WS_VISIBLE | BS_OWNERDRAW;
        AddTemplate(kTemplate, {
                                   {L"Button", L"", kSeek, style, 0, 0, 0, 4, 4},
                                   {L"Button", L"", kVolume, style, 0, 0, 0, 4, 4},
                                   {L"Button", L"", kSquare, style, 0, 0, 0, 4, 4},
                               });
        Open(kTemplate);
        seek.SubclassDlgItem(kSeek, &dlg);
        seek.Init(kTrack, kThumb, L"slider bar");
        seek.SetRange(0, 100);
        seek.MoveWindow(10, 10, 110, 10);
        volume.SubclassDlgItem(kVolume, &dlg);
        volume.Init(kFilled, kEmpty, kThumb, L"");
        volume.SetRange(0, 100);
        volume.MoveWindow(10, 40, 60, 10);
        square.SubclassDlgItem(kSquare, &dlg);
        square.Init(kTrack, kThumb, L"");
        square.SetRange(0, 100);
        square.MoveWindow(10, 70, 10, 10);
        Pump();
        dlg.posted.clear();
    }
    // The posted messages but the hover reports, which the press's own move adds.
    std::vector<Posted> Pressed() const {
        std::vector<Posted> out;
        for (const Posted& p : dlg.posted)
            if (p.message != UM_SLIDER_MOUSEMOVE)
                out.push_back(p);
        return out;
    }
    std::string Row(const CWnd& w, int y, int width) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += Letter(Pixel(w, x, y));
        return row;
    }

    CSlideButton seek;
    CSlideVolumn volume;
    CSlideButton square;
};

}  // namespace

TEST(SliderArithmetic, PositionAndThumbOffset) {
    EXPECT_EQ(slider::PositionFromX(30, 100, 0, 100), 30);
    EXPECT_EQ(slider::PositionFromX(-20, 100, 0, 100), -20);
    EXPECT_EQ(slider::PositionFromX(33, 50, 1, 100), 66) << "trunc(33 / 50 x 99) + 1";
    EXPECT_EQ(slider::PositionFromX(30, 0, 5, 100), 5) << "no travel: the minimum";
    EXPECT_EQ(slider::ThumbOffset(110, 10, 0, 100, 50), 50);
    EXPECT_EQ(slider::ThumbOffset(60, 10, 0, 100, 33), 16);
    EXPECT_EQ(slider::ThumbOffset(110, 10, 0, 100, 250), 100);
    EXPECT_EQ(slider::ThumbOffset(110, 10, 0, 100, -5), 0);
    EXPECT_EQ(slider::ThumbOffset(110, 10, 7, 7, 7), 0) << "an empty range";
    EXPECT_EQ(slider::ThumbOffset(10, 20, 0, 100, 50), 0) << "taller than wide";
}

TEST_F(Sliders, SeekBarDrawsTrackAndThumbAtThePosition) {
    seek.SetPos(50);
    Pump();
    EXPECT_EQ(Row(seek, 0, 110), std::string(50, 'r') + "ggggg" + std::string(55, 'r'));
    EXPECT_EQ(Row(seek, 9, 110), std::string(50, 'r') + "gggggggggg" + std::string(50, 'r'));
    seek.SetPos(-5);
    Pump();
    EXPECT_EQ(Row(seek, 9, 12), "ggggggggggrr") << "below the minimum: the left end";
    int max = 0, min = 0;
    seek.GetRange(&max, &min);
    EXPECT_EQ(max, 100);
    EXPECT_EQ(min, 0);
}

TEST_F(Sliders, PlainClickPostsTheOldPositionThenTheOneUnderTheCursor) {
    seek.SetPos(50);
    Move(seek, 30, 5);
    Press(seek, 30, 5);
    Release(seek, 30, 5);
    // The display moves the cursor to a release's point first, hence the drag report.
    EXPECT_EQ(Pressed(), (std::vector<Posted>{{UM_SLIDER_BEGIN_DRAG, kSeek, 50},
                                              {UM_SLIDER_DRAGGING, kSeek, 30},
                                              {UM_SLIDER_RELEASED, kSeek, 30}}));
    EXPECT_EQ(seek.GetPos(), 30);
    EXPECT_EQ(Row(seek, 9, 45).substr(28), "rrggggggggggrrrrr");
}

TEST_F(Sliders, DraggingIsClampedButTheThumbStaysInside) {
    Press(seek, 10, 5);
    Move(seek, 200, 5);
    EXPECT_EQ(dlg.posted.back(), (Posted{UM_SLIDER_DRAGGING, kSeek, 100}));
    EXPECT_EQ(Row(seek, 9, 110).substr(98), "rrgggggggggg");
    Move(seek, 100, 5);
    EXPECT_EQ(dlg.posted.back(), (Posted{UM_SLIDER_DRAGGING, kSeek, 100})) << "x = W - H is max";
    Release(seek, -20, 5);
    EXPECT_EQ(dlg.posted.back(), (Posted{UM_SLIDER_RELEASED, kSeek, 0}));
    EXPECT_EQ(seek.GetPos(), 0);
}

TEST_F(Sliders, HoveringPostsTheTimeTipPositionAndNeverMoves) {
    seek.SetPos(7);
    ::SetCursor(nullptr);
    Move(seek, 40, 5);
    Move(seek, 105, 5);
    EXPECT_EQ(dlg.posted, (std::vector<Posted>{{UM_SLIDER_MOUSEMOVE, kSeek, 40},
                                               {UM_SLIDER_MOUSEMOVE, kSeek, 100}}));
    EXPECT_EQ(seek.GetPos(), 7);
    EXPECT_EQ(display.Cursor(), ::LoadCursor(nullptr, IDC_HAND));
}

TEST_F(Sliders, VolumePostsOnlyWhileDraggingAndOnRelease) {
    volume.SetPos(50);
    Pump();
    EXPECT_EQ(Row(volume, 9, 60),
              std::string(25, 'y') + std::string(10, 'g') + std::string(25, 'b'));
    Move(volume, 20, 5);
    Press(volume, 20, 5);
    EXPECT_TRUE(dlg.posted.empty());
    Move(volume, 25, 5);
    EXPECT_EQ(dlg.posted, (std::vector<Posted>{{UM_VOLUME_CHANGED, kVolume, 50}}));
    Release(volume, 90, 5);
    EXPECT_EQ(dlg.posted.back(), (Posted{UM_VOLUME_CHANGED, kVolume, 100}));
    EXPECT_EQ(Row(volume, 9, 60), std::string(50, 'y') + std::string(10, 'g'));
    const size_t released = dlg.posted.size();
    Move(volume, 10, 5);
    EXPECT_EQ(dlg.posted.size(), released) << "moves without a press post nothing";
}

TEST_F(Sliders, SquareControlAndEmptyRangeHaveNoTravel) {
    Press(square, 5, 5);
    Move(square, 8, 5);
    Release(square, 9, 5);
    EXPECT_EQ(dlg.posted.back(), (Posted{UM_SLIDER_RELEASED, kSquare, 0}));
    seek.SetRange(40, 40);
    Pump();
    Press(seek, 50, 5);
    Release(seek, 60, 5);
    EXPECT_EQ(dlg.posted.back(), (Posted{UM_SLIDER_RELEASED, kSeek, 40}));
    EXPECT_EQ(Row(seek, 9, 12), "ggggggggggrr");
}

TEST_F(Sliders, DragThatLosesTheCaptureEndsWhereTheThumbStands) {
    Press(seek, 10, 5);
    Move(seek, 40, 5);
    ASSERT_EQ(CWnd::GetCapture(), &seek);
    seek.SendMessage(WM_CANCELMODE);
    Pump();
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(dlg.posted.back(), (Posted{UM_SLIDER_RELEASED, kSeek, 40}));
    dlg.posted.clear();
    Move(seek, 70, 5);
    EXPECT_EQ(dlg.posted, (std::vector<Posted>{{UM_SLIDER_MOUSEMOVE, kSeek, 70}}))
        << "later moves without a press do not drag";
    EXPECT_EQ(seek.GetPos(), 40);
    Press(volume, 20, 5);
    Move(volume, 25, 5);
    volume.SendMessage(WM_CANCELMODE);
    Pump();
    const size_t posted = dlg.posted.size();
    Move(volume, 40, 5);
    EXPECT_EQ(dlg.posted.size(), posted) << "the volume stops following the cursor";
}
