#pragma once
// A window's items used as a person uses them: a button clicked with the mouse, a menu item
// chosen, a menu pulled down. Only what its window shows and enables can be used, so the test
// fails on any other item (at the line that used it); what is wired to the item runs, not a
// handler the test names.
#include <source_location>

class QAction;
class QListWidget;
class QMenu;
class QWidget;

namespace testsupport {

// A left click in the middle of the control.
void click(QWidget* control, std::source_location where = std::source_location::current());
// The list's current row double-clicked.
void doubleClick(QListWidget* list, std::source_location where = std::source_location::current());
// The menu item chosen.
void choose(QAction* item, std::source_location where = std::source_location::current());
// The menu opened (what runs as it opens runs) and closed again.
void pullDown(QMenu* menu, std::source_location where = std::source_location::current());

}  // namespace testsupport
