#pragma once
// Hooks through which the shared core reaches windows it must not include: each window
// registers itself when it loads. Small and open: later windows add their own entries here.
#include <functional>

class Form;

namespace registry {

// The frame window's unload (it runs every child's unload first, then its own). A fatal error
// calls it before the program ends; nothing happens when none is registered.
void setFrameUnloader(std::function<void()> unload);
void unloadFrame();

// The frame window the start-up window shows in a program other than the reading program (the
// word-square programs): made when the splash's pause is over; with none registered nothing
// is shown.
void setStartupFrameMaker(std::function<Form*()> make);
Form* makeStartupFrame();

}  // namespace registry
