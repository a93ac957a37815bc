#pragma once
// Stored story texts hold "@" for every double quote; ConvertQuotes turns the quotes into the
// marker for storing and the marker back into quotes for showing.
#include <QString>

// Mode 0: every double quote (closing curly, opening curly, straight) becomes "@".
// Mode 1: every "@" becomes a double quote. With curly set (the title box got "Arial") the
// quotes alternate opening / closing, driven by quoteToggle (1 = the last quote produced
// opened); otherwise each is the straight quote. Callers reset quoteToggle to 0 at the start
// of every frame so that each frame's first quote opens.
QString ConvertQuotes(const QString& text, int mode, int& quoteToggle, bool curly);

// The encoding direction needs no toggle.
QString ConvertQuotesToMarkers(const QString& text);
