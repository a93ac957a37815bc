#pragma once
// The hand-written sources of the sample books and word lists (data/books/*.book,
// data/wordlists/*.words) and their reading.
//
// A book source, one statement a line, "#" starts a comment line:
//   title Pip the Pup
//   font 28
//   page
//   text <left> <top> <width> <height> <label left> <the line of text>
//   picture <left> <top> <width> <height> <name> <8|24>
//       <scene item>            (indented lines draw the picture above them)
//   next <name>                 (the picture of the following page)
// Coordinates are twips of the 9600 x 6630 page; a double quote may be written as " or @.
//
// A word list source: words separated by blanks or line ends; "+<stem>" takes in the words of
// another list; "#" starts a comment line.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace mkinstall {

class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One drawing statement of a picture: a kind, its numbers, then its words (colours, poses).
struct SceneItem {
    QString kind;
    std::vector<double> numbers;
    QStringList words;
    int line = 0;
};

struct SourceBlock {
    int left = 0, top = 0, width = 0, height = 0, labelLeft = 0;
    QString text;  // "@" for every double quote
};

struct SourcePicture {
    int left = 0, top = 0, width = 0, height = 0;
    QString name;
    int bits = 24;
    std::vector<SceneItem> scene;
    int line = 0;
};

struct SourcePage {
    std::vector<SourceBlock> blocks;
    std::vector<SourcePicture> pictures;
    QString next;
    int line = 0;
};

struct SourceBook {
    QString code;  // the file stem, lower case
    QString title;
    int fontSize = 0;
    std::vector<SourcePage> pages;
    QString file;  // for messages
};

struct SourceWordList {
    QString stem;  // as named, e.g. "01pip" or "_001_030"
    QStringList words;      // in the order given, lower case
    QStringList includes;   // stems taken in
    QString file;
};

SourceBook parseBookSource(const QString& file, const QByteArray& content);
SourceWordList parseWordListSource(const QString& file, const QByteArray& content);

// Checks what the book window and the page printing rely on; throws SourceError naming the
// first fault. Text is measured in Liberation Sans (the "Arial" of our platform); it needs a
// QGuiApplication.
void checkBook(const SourceBook& book);

// Width and line height in twips of a text at a size in points, in the book's font.
double textWidthTwips(const QString& text, int points);
double lineHeightTwips(int points);

// Every word list with its includes resolved: sorted, each word once.
std::vector<SourceWordList> resolveWordLists(const std::vector<SourceWordList>& lists);

}  // namespace mkinstall
