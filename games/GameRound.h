#pragma once
// The rules of the two word games, free of any window: reading a word list, drawing the word
// of a round, letter guesses, clues, and what the pictures show for a round's progress. The
// word-game window keeps one GameRound and draws what it says.
//
// Treasure: letters are guessed in any order; a limited number of wrong letters is allowed.
// Slide: the word is spelled from the left, one letter at a time; wrong letters only count.
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "core/Activity.h"
#include "platform/Twips.h"

namespace wordgame {

enum class Game { Treasure, Slide };

// ---- word lists ----

struct GameWordList {
    enum Outcome { Loaded, NotAList, TooFewWords, Unreadable };
    Outcome outcome = Unreadable;
    QStringList words;  // in file order, as stored
    int maxWordLen = 0;
    QString message;    // the text of the box when not Loaded
};

// The games' filter: the items after "*WORDLIST*" up to "*END*" (both any case) that have 3 to
// 11 characters and only letters A-Z; at least 4 of them. A missing file counts as too few
// words, as it always has.
GameWordList ReadGameWordList(const QString& path);
GameWordList ParseGameWordList(const QByteArray& content, const QString& path);

// The list's stem as gWordListName keeps it: no folder (either separator), nothing from the
// first "." on.
QString WordListStem(const QString& path);

// ---- rounds ----

// Letter positions 1..26 for A..Z; 0 for anything else.
int AlphabetIndex(QChar c);

// How a round stands: running, or ended as won or as lost.
enum class RoundOutcome { Running, Won, Lost };

class GameRound {
public:
    // Draws the index (1-based) of the next word among wordCount, avoiding the last four picks:
    // up to 101 draws, the last taken even when recent. rnd gives numbers in [0, 1).
    // `draws` receives how many were made.
    int drawPick(int wordCount, const std::function<float()>& rnd, int* draws = nullptr);
    const std::array<int, 4>& recentPicks() const { return recent_; }

    // Starts a round on the word: hidden letters "-" in Treasure, " " in Slide.
    void start(Game game, const QString& word);

    struct Guess {
        enum Kind { Ignored, Wrong, Right } kind = Ignored;
        QList<int> revealed;    // 1-based positions filled in, left to right
        bool complete = false;  // the word is now shown whole: the round is won
    };
    // A guess of the letter at alphabet position index (1..26). step runs after a wrong letter
    // and after each filled-in position (the window redraws there). Ignored when the round is
    // not running, the letter was tried, or the index is out of range.
    Guess guess(int index, const std::function<void()>& step = {});

    // The clue: the alphabet position to light, or 0 for none. Slide: the next letter.
    // Treasure: the first letter of the word, from the left, not yet tried (lit counts as not
    // tried); `lit` tells which alphabet positions are already lit as clues.
    int clueLetter(const std::function<bool(int index)>& lit = {}) const;

    // Treasure: whether the round is lost with this allowance (AllowedWrong).
    bool lostWith(int allowedWrong) const;
    // Ends the round without a win (a Treasure loss).
    void end() { active_ = false; }
    // Before the first word there is nothing to find: that counts as won.
    RoundOutcome outcome() const {
        return active_ ? RoundOutcome::Running : complete() ? RoundOutcome::Won : RoundOutcome::Lost;
    }

    Game game() const { return game_; }
    const QString& word() const { return word_; }
    const QString& shown() const { return shown_; }
    bool active() const { return active_; }
    bool complete() const { return shown_ == word_; }
    int wrongCount() const { return wrong_; }
    int rightCount() const { return right_; }
    int slidePos() const { return slidePos_; }
    // 0 untried, 1 right, 2 wrong.
    int letterUsed(int index) const { return index >= 1 && index <= 26 ? used_[size_t(index - 1)] : 0; }

    // The shown word with hidden letters filled in from the word (the revealed cells of a loss).
    QString revealed() const;

private:
    Game game_ = Game::Treasure;
    std::array<int, 4> recent_{0, 0, 0, 0};
    std::array<int, 26> used_{};
    QString word_;
    QString shown_;
    bool active_ = false;
    int wrong_ = 0;
    int right_ = 0;
    int slidePos_ = 1;
};

// ---- pictures ----

// One picture of the Treasure scene: hidden, or a file shown in a rectangle of Frame4 (twips).
struct ScenePicture {
    bool visible = false;
    QString file;  // "BMPS\PIRATE1.BMP" ...
    TwipRect box;
    bool operator==(const ScenePicture&) const = default;
};

struct PirateScene {
    ScenePicture left, mid, right;
    bool lost = false;  // the allowance is used up (a finished, won round never is)
};

struct Scale {
    float x = 1, y = 1, both = 1;
    int px = 15, py = 15;  // twips per pixel
};

// The Treasure scene for the counters of a round (wordLen 0 before the first word). A round
// that has ended is drawn as it ended, won or lost, whatever its counters say of the allowance.
PirateScene pirateScene(int wordLen, int right, int wrong, int allowedWrong, const Scale& s,
                        RoundOutcome outcome = RoundOutcome::Running);

// The Slide figure's picture after `right` letters of a word of wordLen: 0..10, 11 when done.
int slidePicture(int wordLen, int right);
// Its file ("bmps\sp0.bmp" .. "bmps\spb.bmp") and scaled rectangle in the window (twips).
QString slidePictureFile(int picture);
TwipRect slidePictureBox(int picture, const Scale& s);
// The scene behind it, and the six frames of the finishing animation (1..6), scaled.
TwipRect slideSceneBox(const Scale& s);
TwipRect slideAnimBox(int frame, const Scale& s);
// Sizes in pixels of the stored pictures: the scene and the animation frames (1..6).
constexpr int SlideSceneWidth = 255, SlideSceneHeight = 287;
struct PixelSize {
    int width, height;
};
PixelSize slideAnimSize(int frame);

// ---- layout ----

// The window's design (9600 x 6630 twips) right of the button column: the panels of each game,
// placed scaled. The pale band along the top of a panel scales across but is always
// kBandDepth deep.
namespace design {
// Treasure: the pictures, the alphabet below them, the word at the foot.
constexpr TwipRect kTreasurePictures{960, 0, 8415, 2445};
constexpr TwipRect kTreasureAlphabet{960, 2520, 8415, 2910};
constexpr TwipRect kTreasureWord{960, 5520, 8415, 975};
constexpr double kTreasureBandWidth = 8445;
// Slide: the word at the top on its ground, the alphabet at the left, the pictures at the
// right, their panel starting below the alphabet's band.
constexpr TwipRect kSlideWord{960, 0, 8415, 1020};
constexpr TwipRect kSlideWordGround{0, 0, 8445, 1500};
constexpr TwipRect kSlideAlphabet{960, 1065, 4215, 5415};
constexpr TwipRect kSlidePictures{5385, 1065, 3975, 5415};
constexpr double kSlideBandWidth = 4245;
constexpr double kBandDepth = 105;
// Where the alphabet's letter A stands in its panel.
struct Corner {
    double left, top;
};
constexpr Corner kTreasureFirstLetter{720, 360};
constexpr Corner kSlideFirstLetter{975, 510};
}  // namespace design
// A panel's band at the scale: from its left edge, designWidth scaled, kBandDepth deep.
TwipRect panelBand(double designWidth, const Scale& s);
// Slide's picture panel at the scale, starting kBandDepth below the alphabet's top.
TwipRect slidePicturePanel(const Scale& s);

// A letter cell: 765 design twips scaled and cut down to whole pixels (twips).
int cellSize(float scale, int twipsPerPixel);
// Where letter i (1..26) of the alphabet lies, in cells from letter A: Treasure a keyboard of
// three rows (the middle row half a cell right), Slide a block of five columns.
struct CellPlace {
    int column, row;
    bool halfRight;
};
CellPlace alphabetPlace(Game game, int i);
// The big button pictures with captions above this scale, the small ones without at or below.
bool bigButtonFaces(float scale);

// The activity line's name field: "   Treasure" (activity::Treasure) or "   Slide   ".
QString activityName(int activity);

}  // namespace wordgame
