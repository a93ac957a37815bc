#pragma once
// Every hook through which the shared core reaches a window it must not include. The programs
// and those windows register them at start; a hook not registered does nothing.
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

// Shows the main menu (frmMenu) as the frame's child.
void setMainMenuOpener(std::function<void()> open);
void showMainMenu();

// Opens the window of an activity (gActivity codes: 1, 2, 4, 5 the book window; 32/34 the
// word games); does nothing for an activity whose window is not registered.
void setActivityOpener(std::function<void(int activity)> open);
void openActivity(int activity);

// Which activities have a window in this program; the menu leaves the others' buttons alone.
// With no rule registered every activity counts as having one.
void setActivityWindows(std::function<bool(int activity)> has);
bool activityHasWindow(int activity);

// Forgets every hook above. A program registers them once at start; a test starts each case
// with none, so no case reaches a window another case registered.
void reset();

}  // namespace registry
