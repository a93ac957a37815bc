#pragma once
// Thirty short words, upper case: the list the word-square builder is measured and checked
// with (a 14 x 10 square from these places about 28 of them).
#include <QStringList>

namespace testsupport {

inline QStringList thirtyWords() {
    QStringList words;
    for (const char* w : {"apple", "bread", "chair", "dance", "eagle", "fence", "grape", "house", "igloo", "juice",
                          "kite",  "lemon", "mouse", "night", "ocean", "piano", "queen", "river", "snake", "table",
                          "uncle", "violin", "water", "yacht", "zebra", "cat",  "dog",   "hen",   "pig",   "frog"})
        words << QString::fromLatin1(w).toUpper();
    return words;
}

}  // namespace testsupport
