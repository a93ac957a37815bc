#pragma once
// Writing: the page's text flowed again over its lines (one block, one line), and the caret
// carried from the old line breaks to the new ones. Free of any window: widths come from a
// measure in the window's font.
#include <QString>
#include <QStringList>
#include <functional>

#include "book/BookLayout.h"

namespace writingrefit {

// A block slot of the frame: present when its left edge is above 0; width in design twips.
struct BlockSlot {
    bool present = false;
    int width = 0;
};

// Joins the present blocks' texts and deals them out again over places 1..n (n = the number of
// present blocks), as many whole words a line as fit its width x scaleX (less 30 twips). A line
// that starts with a blank gives it back to the line before when that one has room for it.
// texts[i - 1] is block i. False when a line cannot take one word or text is left over after
// the last line; texts then hold what was dealt out so far.
bool refitBlocks(QStringList& texts, const QList<BlockSlot>& places, double scaleX, const booklayout::TextMeasure& m);

struct Caret {
    int block = 0;  // 1-based; below 1: none
    int pos = 0;    // characters before the caret in that block
};

// The caret at old (in the blocks as they were, `before`) placed in the refitted `after`:
// the same offset into the joined text plus `offset`. A caret at the very end of a block lands
// at the start of the next. When that block is beyond the page or not visible, the caret goes
// to the end of the last visible block with text (old block kept when there is none).
Caret carryCaret(const QStringList& before, const QStringList& after, Caret old, int offset,
                 const std::function<bool(int)>& visible);

}  // namespace writingrefit
