#include "menu/MenuRules.h"

#include <cmath>

#include "core/Settings.h"
#include "menu/ButtonArt.h"

namespace menurules {

ButtonState buttonState(MenuButton button, const ActivitySettingsRecord& s) {
    namespace c = buttonart::cell;
    auto state = [](bool on, int onCell, int offCell) { return ButtonState{on, on ? onCell : offCell}; };
    switch (button) {
    case MenuButton::Read: return state(s.ReadOn != 0, c::ReadOn, c::ReadOff);
    case MenuButton::Write: return state(s.WriteOn != 0, c::WriteOn, c::WriteOff);
    case MenuButton::Treasure: return state(s.TreasureOn != 0, c::TreasureOn, c::TreasureOff);
    case MenuButton::Slide: return state((s.SlideFlags & 1) == 1, c::SlideOn, c::SlideOff);
    case MenuButton::ClozeType: return state(s.ClozeTypeOn != 0, c::ClozeTypeOn, c::ClozeTypeOff);
    case MenuButton::ClozeChoose: return state((s.ClozeChoose & 16) == 16, c::ClozeClickOn, c::ClozeClickOff);
    case MenuButton::NewBook: return state(s.BookChoice != 0, c::NewBookOn, c::NewBookOff);
    }
    return {false, c::Unused};
}

bool useBigStrip(double scale) { return float(scale) > 0.9f; }

int pictureZoom(double scale) {
    const int zoom = int(std::floor(scale));
    return zoom < 1 ? 1 : zoom;
}

ColourCheck colourCheck(int32_t colourBits, int16_t noColourWarning) {
    const double colours = std::pow(2.0, double(colourBits));
    if (colours >= 256)
        return noColourWarning == -1 ? ColourCheck::ClearSuppression : ColourCheck::Nothing;
    return noColourWarning == 0 ? ColourCheck::Warn : ColourCheck::Nothing;
}

bool fontWarningNeeded(int16_t noFontWarning, bool arialAvailable) {
    return noFontWarning == 0 && !arialAvailable;
}

}  // namespace menurules
