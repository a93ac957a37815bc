#pragma once
// What the frame window frmKest offers its child windows, and the registry through which the
// shared core opens windows of later folders (the main menu, the activities) without including
// them. programs/ fills the registry at start.
#include <QString>
#include <functional>

class Form;
class QMenuBar;

namespace shell {

// The frame window, or nullptr before it is loaded / after it is unloaded.
Form* frame();

// Shows a child window inside the frame's client area, maximised and frameless; the child's
// own menu bar (if it has one) replaces the frame's while it is the active child.
void showChild(Form* child, QMenuBar* childMenus = nullptr);

// The frame's caption ("Kestrow Reading" ...).
void setFrameCaption(const QString& caption);

// The frame's state as the original reads it: maximised, or its outer size in pixels.
bool frameMaximised();

// Unloads a child window and shows the main menu in its place, with the hourglass meanwhile.
// False, and nothing shown, when the window refuses to close.
bool replaceWithMainMenu(Form& child);

}  // namespace shell

namespace registry {

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

}  // namespace registry
