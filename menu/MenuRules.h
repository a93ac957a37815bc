#pragma once
// The main menu's rules that need no window: which buttons the settings allow and which picture
// each shows, which strip a scale asks for, the start-up display checks, and the design
// rectangles of the layout.
#include <cstdint>

#include "platform/Twips.h"

struct ActivitySettingsRecord;

namespace menurules {

// The picture buttons whose state follows the settings.
enum class MenuButton { Read, Write, Treasure, Slide, ClozeType, ClozeChoose, NewBook };

struct ButtonState {
    bool enabled;
    int cell;  // picture cell of the strip
};
ButtonState buttonState(MenuButton button, const ActivitySettingsRecord& settings);

// The big strip above a scale of 0.9 (single precision), else the small one.
bool useBigStrip(double scale);

// How many times its own size a button picture is shown: the strips are drawn for screens up
// to about twice the design size, so beyond that the pictures grow by whole steps.
int pictureZoom(double scale);

// First-load display checks.
enum class ColourCheck { Nothing, Warn, ClearSuppression };
// colourBits as the display reports it; the colour count is 2 to that power.
ColourCheck colourCheck(int32_t colourBits, int16_t noColourWarning);
bool fontWarningNeeded(int16_t noFontWarning, bool arialAvailable);

// The design of the window (9600 x 6630 twips).
namespace design {
constexpr TwipRect framePupil{360, 3000, 8895, 3375};
constexpr TwipRect shape2{240, 120, 9135, 2665};
constexpr TwipRect shape1{240, 2880, 9135, 3615};
constexpr TwipRect label4{570, 180, 4695, 975};   // "KESTROW", white
constexpr TwipRect label1{600, 210, 4695, 975};   // "KESTROW", black
constexpr TwipRect label3{600, 1200, 4695, 855};  // "talking"
constexpr TwipRect label5{570, 1650, 4695, 975};  // "READERS", white
constexpr TwipRect label2{600, 1680, 4695, 975};  // "READERS", black
constexpr TwipRect cmdRead{600, 3240, 1290, 1455};
constexpr TwipRect cmdWrite{2040, 3240, 1290, 1455};
constexpr TwipRect cmdBook{3480, 3240, 1290, 1455};
constexpr TwipRect cmdExit{4920, 3240, 1290, 1455};
constexpr TwipRect cmdSlide{600, 4800, 1290, 1455};
constexpr TwipRect cmdHangman{2040, 4800, 1290, 1455};
constexpr TwipRect cmdClozeChoose{3480, 4800, 1290, 1455};
constexpr TwipRect cmdClozeType{4920, 4800, 1290, 1455};
constexpr TwipRect cmdTeacher{6600, 3240, 2460, 375};
// Pictures: centre and size; Image1 lies in the panel (coordinates relative to it).
constexpr int image1X = 7297, image1Y = 1980, image1W = 2835, image1H = 2520;
constexpr int image2X = 7080, image2Y = 1425, image2W = 3360, image2H = 2520;
constexpr double titleFontSize = 48;
constexpr double subtitleFontSize = 24;
constexpr double buttonFontSize = 9.75;
constexpr int whiteCopyOffset = 30;  // twips left of and above the black copy
}  // namespace design

}  // namespace menurules
