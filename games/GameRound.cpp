#include "games/GameRound.h"

#include <cmath>
#include <optional>

#include "core/Catalogue.h"
#include "platform/ItemInput.h"
#include "platform/Lang.h"

namespace wordgame {

// ---- word lists ----

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The longest word a round can show: the word panel has twelve cells, the list keeps eleven.
constexpr int kShortestWord = 3;
constexpr int kLongestWord = 11;
constexpr int kFewestWords = 4;

GameWordList readList(std::optional<ItemInput> in, const QString& path) {
    enum { Reading, Ended, Failed, NotList } status = in ? Reading : Failed;
    GameWordList out;
    int wordCount = -1;
    QString item;
    while (status == Reading && lang::UCase(item) != QLatin1String("*END*")) {
        // A read past the end stops here: the item before it is not taken a second time.
        if (!in->next(item)) {
            status = Ended;
            break;
        }
        item = lang::Trim(item);
        if (wordCount == -1) {
            if (lang::UCase(item) == QLatin1String("*WORDLIST*"))
                wordCount = 0;
            else
                status = NotList;
        } else if (!item.startsWith(u'*') && item.size() >= kShortestWord && item.size() <= kLongestWord &&
                   IsAllLetters(item)) {
            ++wordCount;
            out.words.append(item);
            out.maxWordLen = std::max(out.maxWordLen, int(item.size()));
        }
    }
    if (status == NotList) {
        out.outcome = GameWordList::NotAList;
        out.message = "The file" + kCrLf + kCrLf + path + kCrLf + kCrLf + "is not a suitable wordlist file.";
    } else if (wordCount < kFewestWords) {
        out.outcome = GameWordList::TooFewWords;
        out.message = "The file" + kCrLf + kCrLf + path + kCrLf + kCrLf + "does not contain enough words.";
    } else if (status != Failed) {
        out.outcome = GameWordList::Loaded;
    } else {
        out.outcome = GameWordList::Unreadable;
        out.message = "Unable to load the file" + kCrLf + kCrLf + path;
    }
    if (out.outcome != GameWordList::Loaded) {
        out.words.clear();
        out.maxWordLen = 0;
    }
    return out;
}

}  // namespace

GameWordList ReadGameWordList(const QString& path) { return readList(ItemInput::open(path), path); }

GameWordList ParseGameWordList(const QByteArray& content, const QString& path) {
    return readList(ItemInput(content), path);
}

QString WordListStem(const QString& path) {
    const qsizetype slash = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    QString name = path.mid(slash + 1);
    const qsizetype dot = name.indexOf(u'.');
    return dot < 0 ? name : name.left(dot);
}

// ---- rounds ----

int AlphabetIndex(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'A' && u <= u'Z')
        return u - u'A' + 1;
    if (u >= u'a' && u <= u'z')
        return u - u'a' + 1;
    return 0;
}

int GameRound::drawPick(int wordCount, const std::function<float()>& rnd, int* draws) {
    int pick = 0;
    int count = 0;
    auto recent = [this](int p) { return std::find(recent_.begin(), recent_.end(), p) != recent_.end(); };
    do {
        pick = int(std::floor(double(rnd()) * wordCount)) + 1;
        pick = std::clamp(pick, 1, std::max(1, wordCount));
        ++count;
    } while (recent(pick) && count <= 100);
    recent_[3] = recent_[2];
    recent_[2] = recent_[1];
    recent_[1] = recent_[0];
    recent_[0] = pick;
    if (draws)
        *draws = count;
    return pick;
}

void GameRound::start(Game game, const QString& word) {
    game_ = game;
    word_ = word;
    shown_ = word;
    const QChar hidden = game == Game::Treasure ? u'-' : u' ';
    for (qsizetype i = 0; i < shown_.size(); ++i)
        if (AlphabetIndex(shown_[i]) != 0)
            shown_[i] = hidden;
    used_.fill(0);
    slidePos_ = 1;
    active_ = true;
    wrong_ = 0;
    right_ = 0;
}

GameRound::Guess GameRound::guess(int index, const std::function<void()>& step) {
    Guess g;
    if (!active_ || index < 1 || index > 26 || used_[size_t(index - 1)] != 0)
        return g;
    const QChar letter = QChar(u'A' + (index - 1));
    const QString up = lang::UCase(word_);
    bool found;
    if (game_ == Game::Slide)
        found = slidePos_ <= up.size() && up[slidePos_ - 1] == letter;
    else
        found = up.contains(letter);

    if (!found) {
        used_[size_t(index - 1)] = 2;
        ++wrong_;
        g.kind = Guess::Wrong;
        if (step)
            step();
    } else if (game_ == Game::Treasure) {
        used_[size_t(index - 1)] = 1;
        g.kind = Guess::Right;
        for (qsizetype i = 0; i < up.size(); ++i) {
            if (up[i] != letter)
                continue;
            shown_[i] = word_[i];
            ++right_;
            g.revealed.append(int(i) + 1);
            if (step)
                step();
        }
    } else {
        g.kind = Guess::Right;
        shown_[slidePos_ - 1] = word_[slidePos_ - 1];
        ++right_;
        g.revealed.append(slidePos_);
        ++slidePos_;
        // Every letter is free again for the next position, the one just placed too.
        used_.fill(0);
        if (step)
            step();
    }
    if (complete()) {
        active_ = false;
        g.complete = true;
    }
    return g;
}

int GameRound::clueLetter(const std::function<bool(int index)>& lit) const {
    if (game_ == Game::Slide) {
        if (slidePos_ < 1 || slidePos_ > word_.size())
            return 0;
        const QChar c = lang::UCase(QString(word_[slidePos_ - 1]))[0];
        return c >= u'A' && c <= u'Z' ? AlphabetIndex(c) : 0;
    }
    for (QChar c : word_) {
        const int k = AlphabetIndex(c);
        if (k == 0)
            continue;
        if (used_[size_t(k - 1)] == 0 || (lit && lit(k)))
            return k;
    }
    return 0;
}

bool GameRound::lostWith(int allowedWrong) const { return game_ == Game::Treasure && wrong_ >= allowedWrong; }

QString GameRound::revealed() const {
    QString out = shown_;
    for (qsizetype i = 0; i < out.size() && i < word_.size(); ++i)
        if (out[i] == u'-')
            out[i] = word_[i];
    return out;
}

// ---- pictures ----

namespace {

TwipRect scaled(double left, double top, double width, double height, const Scale& s) {
    return scaledTwips(TwipRect{left, top, width, height}, s.x, s.y);
}

ScenePicture shown(const char* file, const TwipRect& box) {
    return ScenePicture{true, QString::fromLatin1(file), box};
}

// The right-hand figure's top: a design top scaled, never above seven pixels.
double rightTop(double designTop, const Scale& s) {
    return std::max(lang::RoundHalfEven(designTop * s.y), lang::RoundHalfEven(7.0 * s.py));
}

}  // namespace

PirateScene pirateScene(int wordLen, int right, int wrong, int allowedWrong, const Scale& s, RoundOutcome outcome) {
    PirateScene scene;
    const bool won = outcome == RoundOutcome::Won || right == wordLen;

    // The walker: at home, then stepping right with each letter found; gone once the word is.
    if (right == 0 && !won) {
        scene.left = shown("BMPS\\PIRATE5.BMP", TwipRect{double(s.px), 330.0 * s.y, 720.0 * s.x, 1725.0 * s.y});
    } else if (!won) {
        const double left = (right * 2325.0 / (wordLen - 1) + 15) * s.x;
        if (right % 2 == 1)
            scene.left = shown("BMPS\\PIRATE4.BMP", TwipRect{left, 330.0 * s.y, 825.0 * s.x, 1710.0 * s.y});
        else
            scene.left = shown("BMPS\\PIRATE5.BMP", TwipRect{left, 330.0 * s.y, 720.0 * s.x, 1725.0 * s.y});
    }

    // A round that is won stays won and one that is lost stays lost, whatever the allowance
    // became after it; a running round is lost once the allowance is used up.
    scene.lost = outcome == RoundOutcome::Lost || (outcome == RoundOutcome::Running && !won && wrong >= allowedWrong);
    if (scene.lost)
        scene.mid = shown("BMPS\\PIRATE3.BMP", scaled(3210, 120, 2115, 2280, s));
    else if (won)
        scene.mid = shown("BMPS\\PIRATE2.BMP", scaled(2805, 780, 1875, 1545, s));
    else
        scene.mid = shown("BMPS\\PIRATE1.BMP", scaled(3180, 1095, 1305, 1095, s));

    // The right-hand figure comes closer with each wrong letter. A won round drawn with an
    // allowance below its wrong letters shows him as close as he comes.
    if (scene.lost) {
        // hidden
    } else if (wrong >= allowedWrong - 1) {
        scene.right = shown("BMPS\\PIRATE8.BMP", TwipRect{4545.0 * s.x, rightTop(210, s), 2250.0 * s.x, 1980.0 * s.y});
    } else if (wrong <= 0) {
        if (allowedWrong == 2 || allowedWrong == 3)
            scene.right = shown("BMPS\\PIRATE6.BMP", scaled(allowedWrong == 2 ? 6000 : 6510, 150, 1710, 2130, s));
    } else {
        const double top = rightTop(150, s);
        const int span = allowedWrong - 2;  // at least 1: here 1 <= wrong <= allowedWrong - 2
        if (allowedWrong == 3 && wrong == 1)
            scene.right = shown("BMPS\\PIRATE7.BMP", TwipRect{5400.0 * s.x, top, 2100.0 * s.x, 2100.0 * s.y});
        else if (wrong % 2 == 0)
            scene.right = shown("BMPS\\PIRATE6.BMP",
                                TwipRect{double(6420 - ((wrong - 1) * 1875) / span) * s.x, top, 1710.0 * s.x, 2130.0 * s.y});
        else
            scene.right = shown("BMPS\\PIRATE7.BMP",
                                TwipRect{double(6210 - ((wrong - 1) * 1665) / span) * s.x, top, 2100.0 * s.x, 2100.0 * s.y});
    }
    return scene;
}

int slidePicture(int wordLen, int right) {
    if (right == wordLen)
        return 11;
    static const char* const patterns[] = {"048",       "0369",      "02468",      "01357a",
                                           "0235679",   "0234567a",  "012345679",  "012345678a"};
    const QString pattern = QString::fromLatin1(wordLen >= 3 && wordLen <= 10 ? patterns[wordLen - 3] : "0123456789a");
    const QChar c = right >= 0 && right < pattern.size() ? pattern[right] : QChar(u'a');
    return c == u'a' ? 10 : c.digitValue();
}

namespace {

struct FigureRow {
    double left, top, width, height;
};
constexpr FigureRow kFigures[12] = {
    {8895, 4215, 450, 1935}, {8355, 4035, 870, 1725}, {8445, 3690, 705, 1830}, {8355, 3585, 840, 1710},
    {8190, 3315, 825, 1725}, {8190, 3045, 795, 1725}, {8220, 2775, 705, 1770}, {8145, 2580, 810, 1740},
    {8160, 2280, 810, 1860}, {8310, 2220, 705, 1740}, {8220, 1845, 690, 1815}, {7455, 1410, 975, 1650},
};
constexpr FigureRow kAnim[6] = {
    {7380, 2170, 615, 1725}, {7260, 2685, 660, 1680}, {6810, 3465, 990, 1545},
    {6300, 4020, 1275, 1365}, {5565, 4755, 1545, 945}, {5400, 5145, 1155, 600},
};

}  // namespace

QString slidePictureFile(int picture) {
    const int p = std::clamp(picture, 0, 11);
    return QStringLiteral("bmps\\sp") + QChar(p < 10 ? u'0' + p : u'a' + (p - 10)) + QStringLiteral(".bmp");
}

TwipRect slidePictureBox(int picture, const Scale& s) {
    const FigureRow& r = kFigures[std::clamp(picture, 0, 11)];
    TwipRect b = scaled(r.left, r.top, r.width, r.height, s);
    if (picture == 10)
        b.width = r.width * s.both;
    return b;
}

TwipRect slideSceneBox(const Scale& s) { return scaled(5415, 1800, 3825, 4305, s); }

TwipRect slideAnimBox(int frame, const Scale& s) {
    const FigureRow& r = kAnim[std::clamp(frame, 1, 6) - 1];
    return scaled(r.left, r.top, r.width, r.height, s);
}

PixelSize slideAnimSize(int frame) {
    static constexpr PixelSize sizes[6] = {{41, 115}, {44, 112}, {66, 103}, {85, 91}, {103, 63}, {77, 40}};
    return sizes[std::clamp(frame, 1, 6) - 1];
}

// ---- layout ----

TwipRect panelBand(double designWidth, const Scale& s) { return TwipRect{0, 0, designWidth * s.x, design::kBandDepth}; }

TwipRect slidePicturePanel(const Scale& s) {
    TwipRect r = scaledTwips(design::kSlidePictures, s.x, s.y);
    r.top += design::kBandDepth;
    r.height -= design::kBandDepth;
    return r;
}

int cellSize(float scale, int twipsPerPixel) {
    const int p = std::max(1, twipsPerPixel);
    return p * (int(lang::RoundHalfEven(765.0 * double(scale))) / p);
}

CellPlace alphabetPlace(Game game, int i) {
    if (game == Game::Treasure) {
        if (i <= 9)
            return {(i - 1) % 9, 0, false};
        if (i <= 17)
            return {i - 10, 1, true};
        return {i - 18, 2, false};
    }
    if (i <= 3)
        return {i - 1, 0, false};
    if (i <= 23)
        return {((i + 1) % 5) - 1, (i + 1) / 5, false};
    return {i - 24, 5, false};
}

bool bigButtonFaces(float scale) { return scale > 0.74f; }

QString activityName(int activity) {
    return activity == activity::Treasure ? QStringLiteral("   Treasure") : QStringLiteral("   Slide   ");
}

}  // namespace wordgame
