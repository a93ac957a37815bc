#pragma once
// The book window's arithmetic, apart from any window: where the button column, the pictures,
// the block labels, the title and the credits go at given scale factors, how a block's text is
// cut into measured words with their underline marks, how a line is trimmed to a width, and the
// activity line the window leaves in the session. All lengths are twips of the design page
// (9600 x 6630) or of the window, computed in double precision so large screens do not
// overflow.
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "core/Layout.h"
#include "platform/Twips.h"

namespace booklayout {

// The design page.
constexpr int kDesignWidth = 9600;
constexpr int kDesignHeight = 6630;

// The buttons of the column down the left margin; two share each of the upper places, and
// Stop, which shows only while a story is told, is a narrow bar at the top.
constexpr TwipRect kNextPlace = layout::column::kFirst;
constexpr TwipRect kRestartPlace = layout::column::kFirst;
constexpr TwipRect kBackPlace = layout::column::kSecond;
constexpr TwipRect kEarSmallPlace = layout::column::kSecond;
constexpr TwipRect kEarPlace = layout::column::kThird;
constexpr TwipRect kMenuPlace = layout::column::kFourth;
constexpr TwipRect kCancelPlace{0, 0, 705, 255};
constexpr double kCancelFontSize = 8.4;

// The title page: the title is centred on this design x; the credits sit below the picture.
constexpr double kTitleCentre = 5160;
constexpr TwipRect kCredits{2100, 6120, 6150, 300};
constexpr double kCreditsFontSize = 8.25;
constexpr double kCreditsDesignFontSize = 10;

// The label of a block (left, top, width, height, label left) in Reading and the cloze
// activities: it runs from the label's own left edge to the block's right edge.
TwipRect blockLabelRect(const std::array<int, 5>& block, double sx, double sy);
// The Writing text box of a block: the block's own rectangle.
TwipRect blockBoxRect(const std::array<int, 5>& block, double sx, double sy);

// Left edge of the title label on the title page: 5160 x sx - (titleWidth \ 2), rounded half
// to even (titleWidth already a whole number of twips).
double centredTitleLeft(int titleWidth, double sx);

// Pictures stretch when the page is not at its design size or the screen is not 15 twips a
// pixel.
bool picturesStretch(float scale, int twipsPerPixelX);
// A stretched picture (left, top, width, height): position by sx, sy, size by the uniform
// scale s. The title page's cover (coverSlot) is centred in the room its slot has at sx.
TwipRect stretchedPictureRect(const std::array<int, 4>& picture, double sx, double sy, double s, bool coverSlot);

// The large button pictures with captions above this scale, the small ones at or below it.
bool useBigButtonPictures(float scale);

// Stored names of a book's files, as FindDataFile takes them.
QString pictureFileName(const QString& bookCode, const QString& pictureName);
QString coverPictureFileName(const QString& bookCode);
// The sentence sound of a frame: the last two digits of the frame number (frame 100: SNT00).
QString sentenceSoundFileName(const QString& bookCode, int frame);

// The activity's 15-character field of the activity line, "" for codes other than 1, 2, 4, 5.
QString activityField(int activity);
// The whole activity line, CR LF included; "" for codes other than 1, 2, 4, 5. minutesText
// is FormatMinutes' short form ("5 mins"); Writing shows no title.
QString activityLine(int activity, const QString& bookTitle, const QString& minutesText);

// The Help menu's first item and its help topic, per activity; "" and 10 for other codes.
QString helpLocalCaption(int activity);
int helpContext(int activity);

// ---- words ----

// A block's text as its label shows it and its words are measured: a tab is a blank, so the
// line is measured as wide as it is drawn (and the font steps down when it does not fit).
QString blockCaption(const QString& blockText);

// Text measured in the window's current font, in twips, not rounded.
struct TextMeasure {
    std::function<double(const QString&)> width;
    std::function<double(const QString&)> height;
};

// Letters A-Z (after upper-casing) and digits; every other character, accented letters
// included, counts as punctuation.
bool isLetterOrDigit(QChar c);

// The frame's measured words, in reading order across its blocks (1-based as the window
// reads them: word(1) is the first).
struct FrameWordTable {
    QStringList FrameWords;
    QList<int> FrameWordLeft;
    QList<int> FrameWordTop;
    QList<int> FrameWordWidth;
    QList<int> FrameWordHeight;
    QList<int> FrameWordMarkLeft;
    QList<int> FrameWordMarkWidth;

    int FrameWordCount() const { return int(FrameWords.size()); }
    void clear();
    // Drops the words after the first n.
    void truncate(int n);
};

struct MeasureOutcome {
    bool fits = true;
    QString overflowLine;  // the line that did not fit, when fits is false
};

// Cuts the caption into its lines (CR LF) and their words and appends each word's chunk
// rectangle and letter mark to words. A line whose trimmed width, rounded, exceeds
// labelWidth stops the measuring with fits false (the words before it stay recorded), unless
// acceptOverflow is set, when it is measured all the same. gap: twips each following word
// moves left (30 for fonts whose name begins with "MS").
MeasureOutcome measureBlockWords(const QString& caption, int labelLeft, int labelTop, int labelWidth, int gap,
                                 const TextMeasure& measure, FrameWordTable& words, bool acceptOverflow = false);

// The step-down of a block font that is too big: 2 points less, never below 1 point.
double steppedDownFontSize(double size);
constexpr double kSmallestFontSize = 1.0;

// The longest leading run of whole words of text that fits width - 30 twips: returned and
// removed from text. "" (text unchanged) when the first word alone is too wide; "*BAD*" (text
// unchanged) when not even that fits because the limit is not positive.
QString TrimBlockWord(QString& text, int width, const TextMeasure& measure);

// Line n (1-based) of a text whose lines end with CR LF; "" when it has fewer lines.
QString BlockTextLine(const QString& text, int n);

}  // namespace booklayout
