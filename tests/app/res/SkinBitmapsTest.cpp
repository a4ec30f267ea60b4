#include <optional>
#include <string>

#include "ResourceFixture.h"
#include "app/res/ResourceIds.h"

namespace {

constexpr uint32_t kBlack = 0x000000;      // skin buttons and slider thumbs
constexpr uint32_t kTransport = 0x0A0A0A;  // play bar transport and audio buttons
constexpr uint32_t kLamp = 0x191919;
constexpr uint32_t kDial = 0x0000FF;

struct SkinCase {
    UINT id;
    int width, height, cells;
    std::optional<uint32_t> key;
};

// The sizes the controls draw at or cut cells from.
const SkinCase kSkins[] = {
    {IDB_TOP_BAR, 64, 83, 1, {}},
    {IDB_MINIMISE, 16, 16, 1, {}},
    {IDB_MINIMISE_HOVER, 16, 16, 1, {}},
    {IDB_MAXIMISE, 16, 16, 1, {}},
    {IDB_RESTORE, 16, 16, 1, {}},
    {IDB_CLOSE, 16, 16, 1, {}},
    {IDB_CLOSE_HOVER, 16, 16, 1, {}},
    {IDB_OPEN_FILE, 120, 50, 2, kBlack},
    {IDB_SEARCH_HDD, 120, 50, 2, kBlack},
    {IDB_SEARCH_SD, 120, 50, 2, kBlack},
    {IDB_SETTINGS, 120, 50, 2, kBlack},
    {IDB_MAP_ON_OFF, 120, 50, 2, kBlack},
    {IDB_BACKDROP, 64, 256, 1, {}},
    {IDB_MAP_PANE_SHOW, 48, 40, 2, kBlack},
    {IDB_MAP_PANE_HIDE, 48, 40, 2, kBlack},
    {IDB_INFO_PANE_HIDE, 96, 20, 2, kBlack},
    {IDB_INFO_PANE_SHOW, 96, 20, 2, kBlack},
    {IDB_SEEK_THUMB, 68, 60, 1, kBlack},
    {IDB_SEEK_TRACK, 38, 10, 1, {}},
    {IDB_VOLUME_EMPTY, 100, 33, 1, {}},
    {IDB_VOLUME_FILLED, 100, 33, 1, {}},
    {IDB_VOLUME_THUMB, 28, 31, 1, kBlack},
    {IDB_VOLUME_MIN, 44, 22, 2, kBlack},
    {IDB_VOLUME_MAX, 44, 22, 2, kBlack},
    {IDB_FAST_BACKWARD, 80, 40, 2, kTransport},
    {IDB_SNAPSHOT, 80, 40, 2, kTransport},
    {IDB_EXPORT, 80, 40, 2, kTransport},
    {IDB_FAST_FORWARD, 80, 40, 2, kTransport},
    {IDB_PLAY, 80, 40, 2, kTransport},
    {IDB_PAUSE, 80, 40, 2, kTransport},
    {IDB_SPLIT, 80, 40, 2, kTransport},
    {IDB_STEP_BACKWARD, 80, 40, 2, kTransport},
    {IDB_STEP_FORWARD, 80, 40, 2, kTransport},
    {IDB_STOP, 80, 40, 2, kTransport},
    {IDB_AUDIO_CHANNEL_0, 112, 28, 2, kTransport},
    {IDB_AUDIO_CHANNEL_1, 112, 28, 2, kTransport},
    {IDB_DIAL_0, 200, 200, 1, kDial},
    {IDB_DIAL_1, 200, 200, 1, kDial},
    {IDB_DIAL_2, 200, 200, 1, kDial},
    {IDB_BORDER_HORIZONTAL, 1047, 6, 1, {}},
    {IDB_BORDER_VERTICAL, 3, 379, 1, {}},
    {IDB_RELAY_1_OFF, 56, 32, 1, kLamp},
    {IDB_RELAY_1_ON, 56, 32, 1, kLamp},
    {IDB_RELAY_2_OFF, 56, 32, 1, kLamp},
    {IDB_RELAY_2_ON, 56, 32, 1, kLamp},
    {IDB_SPEED_DIGITS, 322, 97, 1, {}},
    {IDB_TELEMETRY_PANEL, 64, 128, 1, {}},
};

std::string Hex(uint32_t colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%06x", colour);
    return text;
}

// Every pixel on the outermost ring of the cell is the key.
void ExpectKeyedBorder(const LoadedBitmap& b, int left, int width, uint32_t key) {
    for (int x = left; x < left + width; ++x)
        for (int y : {0, b.height - 1})
            ASSERT_EQ(b.At(x, y), key) << "(" << x << ", " << y << ") is " << Hex(b.At(x, y));
    for (int y = 0; y < b.height; ++y)
        for (int x : {left, left + width - 1})
            ASSERT_EQ(b.At(x, y), key) << "(" << x << ", " << y << ") is " << Hex(b.At(x, y));
}

// The middle half of the cell in both directions lies inside the shape.
void ExpectNoKeyInside(const LoadedBitmap& b, int left, int width, uint32_t key) {
    for (int y = b.height / 4; y < b.height * 3 / 4; ++y)
        for (int x = left + width / 4; x < left + width * 3 / 4; ++x)
            ASSERT_NE(b.At(x, y), key)
                << "key colour inside the shape at (" << x << ", " << y << ")";
}

void CheckSkin(const SkinCase& c) {
    SCOPED_TRACE("bitmap " + std::to_string(c.id));
    const LoadedBitmap b = LoadSkin(c.id);
    ASSERT_EQ(b.width, c.width);
    ASSERT_EQ(b.height, c.height);
    if (!c.key)
        return;
    const int cellWidth = c.width / c.cells;
    for (int cell = 0; cell < c.cells; ++cell) {
        SCOPED_TRACE("cell " + std::to_string(cell + 1));
        ExpectKeyedBorder(b, cell * cellWidth, cellWidth, *c.key);
        ExpectNoKeyInside(b, cell * cellWidth, cellWidth, *c.key);
    }
}

}  // namespace

TEST_F(Resources, EverySkinBitmapHasItsSizeAndKeysOnlyItsOutside) {
    for (const SkinCase& c : kSkins)
        CheckSkin(c);
    for (UINT lamp = 0; lamp < 8; ++lamp) {
        CheckSkin({IDB_LAMP_FIRST + 2 * lamp, 32, 32, 1, kLamp});
        CheckSkin({IDB_LAMP_FIRST + 2 * lamp + 1, 32, 32, 1, kLamp});
    }
}

TEST_F(Resources, StatesAndNumbersLookDifferent) {
    // A hover cell that looked like the normal one would hide the highlight.
    for (const SkinCase& c : kSkins) {
        if (c.cells != 2)
            continue;
        const LoadedBitmap b = LoadSkin(c.id);
        int differing = 0;
        const int cell = b.width / 2;
        for (int y = 0; y < b.height; ++y)
            for (int x = 0; x < cell; ++x)
                differing += b.At(x, y) != b.At(x + cell, y);
        EXPECT_GT(differing, b.height) << "bitmap " << c.id;
    }
    EXPECT_NE(LoadSkin(IDB_CLOSE).pixels, LoadSkin(IDB_CLOSE_HOVER).pixels);
    EXPECT_NE(LoadSkin(IDB_LAMP_FIRST).pixels, LoadSkin(IDB_LAMP_FIRST + 1).pixels);
    EXPECT_NE(LoadSkin(IDB_DIAL_0).pixels, LoadSkin(IDB_DIAL_2).pixels);
    // Each lamp and relay carries its own number.
    for (UINT lamp = 1; lamp < 8; ++lamp)
        EXPECT_NE(LoadSkin(IDB_LAMP_FIRST).pixels, LoadSkin(IDB_LAMP_FIRST + 2 * lamp).pixels)
            << "lamp " << lamp + 1;
    EXPECT_NE(LoadSkin(IDB_RELAY_1_ON).pixels, LoadSkin(IDB_RELAY_2_ON).pixels);
}

TEST_F(Resources, UnknownBitmapIdsLoadNothing) {
    for (UINT id : {1000u, 1008u, 1010u, 1036u, 1091u, 1104u})
        EXPECT_EQ(LoadSkin(id).width, 0) << id;
}
