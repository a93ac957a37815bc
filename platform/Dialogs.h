#pragma once
// Message and input boxes with the original's styles. Every box goes through MsgBox / InputBox,
// which journal it and take scripted answers from KESTROW_ANSWERS before showing anything;
// the implementation behind them is real (Qt) in the programs and scripted in tests.
#include <QString>

namespace mb {
enum Buttons { OKOnly = 0, OKCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 };
enum Icon { NoIcon = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum Answer { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
// Styles combine buttons and icon as the original did (YesNo | Question, or YesNo + Question);
// C++20 frowns on mixing two enumerations, so these say it is meant.
constexpr int operator|(Buttons b, Icon i) { return int(b) | int(i); }
constexpr int operator|(Icon i, Buttons b) { return int(b) | int(i); }
constexpr int operator+(Buttons b, Icon i) { return int(b) + int(i); }
constexpr int operator+(Icon i, Buttons b) { return int(b) + int(i); }
constexpr int ButtonMask = 7;
constexpr int IconMask = 0x70;

// "OK", "OKCancel", ... and "exclamation", "none", ... as the journal writes them.
QString buttonsWord(int style);
QString iconWord(int style);
// "OK", "Cancel", "Yes", ...; and back (0 for an unknown word).
QString answerWord(int answer);
int answerFromWord(const QString& word);
}  // namespace mb

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // style = buttons + icon; title already defaulted to the program's title.
    // Returns an mb::Answer. Text line breaks may be CR, CR LF or LF.
    virtual int msgBox(const QString& text, int style, const QString& title) = 0;
    // Cancel gives "". x, y in twips from the screen's top left; -1 centres the box.
    virtual QString inputBox(const QString& prompt, const QString& title, const QString& defaultText,
                             int xTwips, int yTwips) = 0;
};

// The implementation in force; setDialogs(nullptr) goes back to the real one.
Dialogs& dialogs();
void setDialogs(Dialogs* d);

// The real Qt boxes.
Dialogs& realDialogs();

// The program's title, used when a box is given none.
void setAppTitle(const QString& title);
QString appTitle();

int MsgBox(const QString& text, int style = mb::OKOnly, const QString& title = QString());
QString InputBox(const QString& prompt, const QString& title = QString(), const QString& defaultText = QString(),
                 int xTwips = -1, int yTwips = -1);

// System beep (journalled).
void Beep();
