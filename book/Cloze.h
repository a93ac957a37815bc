#pragma once
// The rules of the two cloze activities, apart from any window: which word of a page is hidden,
// how a typed answer is checked letter by letter, which candidates the Choices window offers
// beside the answer, and where that window goes so that the hidden word stays in sight.
// Randomness and text widths come in as functions, so every rule can be tested directly.
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

namespace cloze {

// A number in [0, 1), as the program's shared generator gives it.
using RandomSource = std::function<float()>;
// Text width in the book's current font, twips.
using WidthOf = std::function<double(const QString&)>;

// The letters A-Z, after upper-casing; digits and accented letters are not letters here.
bool isLetter(QChar c);
bool startsWithLetter(const QString& word);
bool hasLetter(const QString& word);

// The page's hidden word. index is 1-based in the page's words; 0 when the page has no word
// that can be asked for (no words at all, or after 100 draws a word without any letter).
struct WordChoice {
    int index = 0;
    QString word;  // trimmed
};
// Draws with a bias towards the page's first words, until a word starts with a letter; the
// 100th draw is taken whatever it starts with, provided it holds a letter.
WordChoice chooseClozeWord(const QStringList& frameWords, const RandomSource& rnd);
constexpr int kMaxWordDraws = 100;

// ---- Cloze (type) ----

// The typed text against the word: good is the correct beginning in the word's own case, with
// the non-letters that follow it filled in; allRight is false when a typed character was wrong.
struct AnswerCheck {
    QString good;
    bool allRight = true;
};
AnswerCheck checkAnswer(const QString& typed, const QString& word);
// The box holds the whole word (blanks around either do not count; case does).
bool isSolved(const QString& boxText, const QString& word);
// Whether a key typed into the box is dropped: Enter always, and every key once the box holds
// as many characters as the word.
bool swallowsKey(int keyAscii, int boxLength, int wordLength);

// ---- Cloze (click) ----

// The word without the non-letters at either end ("Yes!" -> "Yes", "'Oh," -> "Oh"); "" when it
// holds no letter.
QString stripToLetters(const QString& word);

// Whether the candidates are capitalised to match the answer: an answer starting with a
// capital, except "I" and "I'm", which are capitals anywhere in a sentence.
bool capitalisesCandidates(const QString& answer);
// A candidate as it is shown beside the answer.
QString shownCandidate(const QString& candidate, bool capitalise);

// The candidates in display order, the answer among them. The answer is offered with up to
// level - 1 words of the list whose width is close to its own; words equal to the answer or to
// a word already taken (case ignored) are never offered, so a short list offers fewer.
QStringList drawChoices(const QString& answer, const QStringList& wordList, int level, const WidthOf& widthOf,
                        const RandomSource& rnd);

// ---- the Choices window's place, screen pixels ----

// A text block's vertical extent on the screen.
struct RowExtent {
    int top;
    int bottom;
};
// The window's top-left corner: above the covered word, moved up past the page's text blocks
// where it can be; else below the word, moved down past them; the word itself is never
// covered when the screen has room above or below it, and the window stays on the screen.
QPoint choicesWindowPlace(const QRect& word, const QList<RowExtent>& blocks, const QSize& window, const QRect& screen,
                          int step);

}  // namespace cloze
