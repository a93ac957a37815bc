// The main menu's rules without a window: button states and pictures, the strip threshold,
// the display checks and the placement arithmetic.
#include <gtest/gtest.h>

#include <cmath>

#include "core/Settings.h"
#include "menu/ButtonArt.h"
#include "menu/MenuRules.h"

using namespace menurules;
namespace cell = buttonart::cell;

namespace {

struct ButtonCase {
    const char* what;
    void (*set)(ActivitySettingsRecord&);
    MenuButton button;
    bool enabled;
    int cell;
};

const ButtonCase kButtonCases[] = {
    {"Read on", [](ActivitySettingsRecord& s) { s.ReadOn = -1; }, MenuButton::Read, true, cell::ReadOn},
    {"Read off", [](ActivitySettingsRecord& s) { s.ReadOn = 0; }, MenuButton::Read, false, cell::ReadOff},
    {"Write any non-zero", [](ActivitySettingsRecord& s) { s.WriteOn = 1; }, MenuButton::Write, true, cell::WriteOn},
    {"Write off", [](ActivitySettingsRecord&) {}, MenuButton::Write, false, cell::WriteOff},
    {"Treasure on", [](ActivitySettingsRecord& s) { s.TreasureOn = -1; }, MenuButton::Treasure, true, cell::TreasureOn},
    {"Treasure off", [](ActivitySettingsRecord&) {}, MenuButton::Treasure, false, cell::TreasureOff},
    {"Slide bit 1", [](ActivitySettingsRecord& s) { s.SlideFlags = 1 + 2 + 16; }, MenuButton::Slide, true, cell::SlideOn},
    {"Slide says words but is not on", [](ActivitySettingsRecord& s) { s.SlideFlags = 2; }, MenuButton::Slide, false,
     cell::SlideOff},
    {"Cloze type on", [](ActivitySettingsRecord& s) { s.ClozeTypeOn = -1; }, MenuButton::ClozeType, true,
     cell::ClozeTypeOn},
    {"Cloze type off", [](ActivitySettingsRecord&) {}, MenuButton::ClozeType, false, cell::ClozeTypeOff},
    {"Cloze click bit 16", [](ActivitySettingsRecord& s) { s.ClozeChoose = 16 + 4; }, MenuButton::ClozeChoose, true,
     cell::ClozeClickOn},
    {"Cloze click choices set, not on", [](ActivitySettingsRecord& s) { s.ClozeChoose = 4; }, MenuButton::ClozeChoose,
     false, cell::ClozeClickOff},
    {"Book choice 2", [](ActivitySettingsRecord& s) { s.BookChoice = 2; }, MenuButton::NewBook, true, cell::NewBookOn},
    {"Book choice -1", [](ActivitySettingsRecord& s) { s.BookChoice = -1; }, MenuButton::NewBook, true,
     cell::NewBookOn},
    {"Book choice 0", [](ActivitySettingsRecord& s) { s.BookChoice = 0; }, MenuButton::NewBook, false,
     cell::NewBookOff},
};

}  // namespace

TEST(MenuRules, ButtonStatesAndPictureCells) {
    for (const ButtonCase& c : kButtonCases) {
        ActivitySettingsRecord s;
        c.set(s);
        const ButtonState st = buttonState(c.button, s);
        EXPECT_EQ(st.enabled, c.enabled) << c.what;
        EXPECT_EQ(st.cell, c.cell) << c.what;
    }
}

TEST(MenuRules, BigStripOnlyAboveNineTenths) {
    EXPECT_FALSE(useBigStrip(0.9));
    EXPECT_FALSE(useBigStrip(double(0.9f)));
    EXPECT_TRUE(useBigStrip(double(std::nextafter(0.9f, 1.0f))));
    EXPECT_FALSE(useBigStrip(0.8));
    EXPECT_TRUE(useBigStrip(1.0));
    EXPECT_TRUE(useBigStrip(2.4));
}

TEST(MenuRules, PicturesGrowByWholeStepsOnLargeScreens) {
    EXPECT_EQ(pictureZoom(0.5), 1);
    EXPECT_EQ(pictureZoom(1.0), 1);
    EXPECT_EQ(pictureZoom(1.99), 1);
    EXPECT_EQ(pictureZoom(2.0), 2);
    EXPECT_EQ(pictureZoom(2.39), 2);
    EXPECT_EQ(pictureZoom(3.0), 3);
}

TEST(MenuRules, ColourCheck) {
    struct Case {
        int32_t bits;
        int16_t suppress;
        ColourCheck expected;
    } cases[] = {
        {4, 0, ColourCheck::Warn},               // 16 colours
        {4, -1, ColourCheck::Nothing},           // suppressed
        {4, 1, ColourCheck::Nothing},            // any non-zero suppresses
        {7, 0, ColourCheck::Warn},               // 128
        {8, 0, ColourCheck::Nothing},            // 256 is enough
        {8, -1, ColourCheck::ClearSuppression},  // the warning comes back if the display drops later
        {24, -1, ColourCheck::ClearSuppression},
        {24, 1, ColourCheck::Nothing},           // only -1 is reset
        {32, 0, ColourCheck::Nothing},
    };
    for (const Case& c : cases)
        EXPECT_EQ(colourCheck(c.bits, c.suppress), c.expected) << c.bits << " bits, " << c.suppress;
}

TEST(MenuRules, FontWarning) {
    EXPECT_TRUE(fontWarningNeeded(0, false));
    EXPECT_FALSE(fontWarningNeeded(0, true));
    EXPECT_FALSE(fontWarningNeeded(-1, false));
    EXPECT_FALSE(fontWarningNeeded(1, false));
}
