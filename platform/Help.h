#pragma once
// The programs' help engine, called as the original called its help system: a help file, a
// command and a data value. The file named (Reader.hlp ...) is looked up without regard to
// letter case with the extension .html in its place, and shown in one help window, at the
// anchor "topic-<number>" for a context. Every call is journalled ("help <file> <command>
// <data>"). A missing file, or a page far larger than any help page, gives a message naming
// the file looked for, and the program goes on; a page a link leads to is checked the same.
#include <QString>

class QWidget;

namespace help {
constexpr int Context = 1;       // data: the topic number
constexpr int Quit = 2;          // the program is done with the file
constexpr int Contents = 3;
constexpr int PartialKey = 0x105;  // search: the window opens with its find box

// The HTML file that stands for a help file name (a trailing NUL, either separator and any
// letter case accepted); empty when there is none.
QString resolveHelpFile(const QString& file);

// The open help window (for tests), nullptr when none is shown.
QWidget* window();
// What the window shows: the file, the anchor it was opened at ("" for the top), and whether
// its find box is showing.
QString shownFile();
QString shownAnchor();
bool findBoxShown();
// Finds the text in the shown page from the current place on, wrapping once; false when
// it is nowhere.
bool find(const QString& text);
}  // namespace help

void Help(const QString& file, int command, int data = 0);
