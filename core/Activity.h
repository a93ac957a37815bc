#pragma once
// What runs: the activity codes gActivity holds in the reading program and the edition codes
// gSquareMode holds in the word-square program. Both stay plain integers, as the globals, the
// tests and the activity lines of the log know them; the names only say which is which.

namespace activity {

constexpr int None = 0;             // the main menu, or the teacher options screen has closed
constexpr int Reading = 1;
constexpr int Writing = 2;
constexpr int TeacherSettings = 3;  // the teacher's own settings, edited from the teacher options
constexpr int ClozeType = 4;
constexpr int ClozeClick = 5;
constexpr int TeacherOptions = 6;
constexpr int TreasureRequested = 32;  // what the main menu asks for; the game window makes it 33
constexpr int Treasure = 33;
constexpr int Slide = 34;

// The two cloze activities: a word of the page is hidden and the child gives it.
constexpr bool isCloze(int a) { return a == ClozeType || a == ClozeClick; }
// Reading and the cloze activities show the book's own texts, in labels whose words are
// measured, underlined and heard; Writing edits them in text boxes instead.
constexpr bool showsBookText(int a) { return a == Reading || isCloze(a); }
// Reading and Writing: the whole story can be told and printed, and the page buttons stay on
// the page rather than waiting for a word to be found.
constexpr bool tellsStory(int a) { return a == Reading || a == Writing; }
// The activities of the book window.
constexpr bool opensBookWindow(int a) { return tellsStory(a) || isCloze(a); }
// The codes the main menu opens the word-game window with.
constexpr bool opensWordGame(int a) { return a == TreasureRequested || a == Slide; }
// Treasure, asked for or running; the game window plays Slide for any other code.
constexpr bool isTreasure(int a) { return a == TreasureRequested || a == Treasure; }

}  // namespace activity

namespace squaremode {

constexpr int None = 0;      // before the word-square window has loaded
constexpr int Teacher = 17;  // kestsqrt: the square is drawn as it is built, and printed
constexpr int Pupil = 18;    // KESTSQR: the pupil finds the words

}  // namespace squaremode
