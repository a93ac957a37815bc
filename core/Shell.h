#pragma once
// What the frame window frmKest offers its child windows. The windows of later folders that
// the shared core opens (the main menu, the activities) it reaches through core/Registry.
#include <QString>

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
