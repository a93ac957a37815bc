#pragma once
// The resize step that every child window of the frame shares (menu, book, games, teacher
// screens, the word-square windows): keep a restored frame near 4:3 and no smaller than the
// minimum, otherwise recompute the scale factors from the resized window. It lives in core so
// that every folder can call it.
#include <optional>

class Form;

namespace shaping {

struct FrameSize {
    int width;
    int height;
};

// The restored frame's outer size in pixels against the 4:3 rule and the minimum size:
// nullopt when it is accepted as it is, else the size to give it (same top-left corner).
std::optional<FrameSize> correctedFrameSize(int width, int height, int minWidth, int minHeight);

// A factor strictly between 0.99 and 1.01 is exactly 1; any other is kept.
float snapScale(float factor);

// gScaleX, gScaleY and gScale from an inner size in twips against gDesignWidth x gDesignHeight.
void setScaleFactors(int innerWidthTwips, int innerHeightTwips);

}  // namespace shaping

// Form_Resize's shared first step for `form`. True when the form must now lay itself out
// (the scale factors are current); false when nothing is to be done yet or the frame was
// reshaped (its new size brings a further resize).
bool ShapeChildWindow(Form& form);
