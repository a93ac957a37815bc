#include "square/SquareBuilder.h"

#include <algorithm>
#include <utility>

#include "platform/Lang.h"

namespace {

constexpr int kAttempts = 11;
constexpr int kPairTries = 6;
constexpr int kDrawsPerWord = 80;
constexpr int kDrawsPerPass = 100;
// A generator stuck on one value would never give a second word of the pair.
constexpr int kSecondWordDraws = 1000;

enum WordState { Free = 0, Unusable = 1, Placed = 2, Failed = 3 };

}  // namespace

void CellTable::resize(int cols, int rows) {
    cols_ = std::max(0, cols);
    rows_ = std::max(0, rows);
    cells_.assign(size_t(cols_ + 1) * size_t(rows_ + 1), 0);
}

SquareBuilder::SquareBuilder(std::function<float()> rnd) : rnd_(std::move(rnd)) {}

int SquareBuilder::randomFrom1(int n) {
    // Clamped: a float product may round up to n itself.
    return std::min(n, int(double(n) * double(rnd_())) + 1);
}

int SquareBuilder::randomOffset(int n) {
    return std::clamp(int(double(n) * double(rnd_())), 0, std::max(0, n - 1));
}

int SquareBuilder::wrapCol(int col) const { return ((col - 1) % SquareCols + SquareCols) % SquareCols + 1; }
int SquareBuilder::wrapRow(int row) const { return ((row - 1) % SquareRows + SquareRows) % SquareRows + 1; }

bool SquareBuilder::MakeSquare() {
    for (int attempt = 0; attempt < kAttempts; ++attempt)
        if (TryBuildSquare())
            return true;
    return false;
}

// One attempt: the words that cannot take part marked, a first pair (or one long word) placed,
// two passes of the other words, then the blanks filled.
bool SquareBuilder::TryBuildSquare() {
    const int n = int(SquareWords.size());
    const int c = SquareCols;
    const int r = SquareRows;
    PlacedWords.clear();
    Placements.clear();
    BlankCount = 0;
    GridLetters.resize(c, r);
    GridFlags.resize(c, r);
    if (n < 3 || c < 1 || r < 1)
        return false;

    std::vector<int> state(size_t(n) + 1, Free);
    const std::vector<int> fullLength = markUnusableWords(state);
    if (!placeCrossingPair(fullLength, state) && !placeLongWordAcross(state))
        return false;
    for (int pass = 1; pass <= 2; ++pass)
        runPlacementPass(pass, state);
    FillBlanks();
    return true;
}

// Words shorter than 3 letters or longer than the square is high never take part in the
// passes. The result: the indexes of the words as long as the square is high.
std::vector<int> SquareBuilder::markUnusableWords(std::vector<int>& state) const {
    const int n = int(SquareWords.size());
    const int r = SquareRows;
    std::vector<int> fullLength;
    for (int i = 1; i <= n; ++i) {
        const int len = int(word(i).size());
        if (len < 3 || len > r)
            state[size_t(i)] = Unusable;
        if (len == r)
            fullLength.push_back(i);
    }
    return fullLength;
}

// Two words as long as the square is high, one across from the first column and one down from
// the first row, crossing at a letter they share; a few random pairs are tried.
bool SquareBuilder::placeCrossingPair(const std::vector<int>& fullLength, std::vector<int>& state) {
    const int r = SquareRows;
    bool started = false;
    const int p = int(fullLength.size());
    if (p >= 3) {
        for (int t = 0; t < kPairTries && !started; ++t) {
            const int a = randomFrom1(p);
            int b = randomFrom1(p);
            for (int draws = 1; b == a; ++draws)
                b = draws < kSecondWordDraws ? randomFrom1(p) : a % p + 1;
            const QString w1 = word(fullLength[size_t(a - 1)]);
            const QString w2 = word(fullLength[size_t(b - 1)]);
            int jj = 0, kk = 0;
            for (int j = 1; j <= r; ++j)
                for (int k = 1; k <= r; ++k)
                    if (w1[j - 1] == w2[k - 1]) {
                        jj = j;
                        kk = k;
                        break;
                    }
            if (jj > 0) {
                PlaceWord(w1, 1, kk, 0);
                PlaceWord(w2, jj, 1, 1);
                state[size_t(fullLength[size_t(a - 1)])] = Placed;
                state[size_t(fullLength[size_t(b - 1)])] = Placed;
                started = true;
            }
        }
    }
    return started;
}

// One long word across, away from the first and the last row: the first draw wants more than
// 11 letters, each further one a letter less. False when the search gives up.
bool SquareBuilder::placeLongWordAcross(std::vector<int>& state) {
    const int n = int(SquareWords.size());
    const int c = SquareCols;
    const int r = SquareRows;
    int threshold = 12;
    for (;;) {
        const int i = randomFrom1(n);
        --threshold;
        if (threshold < -100)
            return false;
        const int len = int(word(i).size());
        if (len > threshold && len <= c) {
            const int col = randomOffset(c - len) + 1;
            const int row = randomOffset(r - 2) + 2;
            PlaceWord(word(i), col, row, 0);
            state[size_t(i)] = Placed;
            return true;
        }
    }
}

// One pass of the free words, each tried at every cell from a random one on, in the preferred
// direction and then the other; pass 2 also places words that cross nothing. The words that
// failed are free again for the next pass.
void SquareBuilder::runPlacementPass(int pass, std::vector<int>& state) {
    const int n = int(SquareWords.size());
    const int c = SquareCols;
    const int r = SquareRows;
    int drawsInPass = 0;
    int direction = 0;
    const int allowFree = pass == 2 ? -1 : 0;
    for (;;) {
        direction = 1 - direction;
        int drawn = 0;
        int i = 0;
        do {
            i = randomFrom1(n);
            ++drawn;
            ++drawsInPass;
        } while (state[size_t(i)] != Free && drawn < kDrawsPerWord);
        if (drawn >= kDrawsPerWord || drawsInPass > kDrawsPerPass)
            break;
        const QString w = word(i);
        const int oc = randomOffset(c);
        const int orow = randomOffset(r);
        bool placed = false;
        for (int a = 1; a <= c && !placed; ++a) {
            for (int b = 1; b <= r && !placed; ++b) {
                int d = direction;
                if (CanPlaceWord(w, a + oc, b + orow, d, allowFree) == 0) {
                    d = 1 - direction;
                    if (CanPlaceWord(w, a + oc, b + orow, d, allowFree) == 0)
                        continue;
                }
                PlaceWord(w, a + oc, b + orow, d);
                state[size_t(i)] = Placed;
                placed = true;
            }
        }
        if (!placed)
            state[size_t(i)] = Failed;
    }
    for (int& s : state)
        if (s == Failed)
            s = Free;
}

int SquareBuilder::CanPlaceWord(const QString& w, int col, int row, int direction, int allowFree) const {
    const int len = int(w.size());
    col = wrapCol(col);
    row = wrapRow(row);
    if (direction == 0 && col + len - 1 > SquareCols)
        return 0;
    if (direction == 1 && row + len - 1 > SquareRows)
        return 0;
    bool freeCell = false;
    bool crossing = false;
    for (int t = 1; t <= len; ++t) {
        const int cc = direction == 0 ? col + t - 1 : col;
        const int rr = direction == 0 ? row : row + t - 1;
        const int letter = GridLetters.at(cc, rr);
        if (letter == 0)
            freeCell = true;
        else if (letter == w[t - 1].unicode())
            crossing = true;
        else
            return 0;
    }
    if (!freeCell)
        return 0;
    if (!crossing)
        return allowFree;
    if (direction == 0) {
        if ((GridFlags.at(col, row) & gridflag::Across) || (GridFlags.at(col + len - 1, row) & gridflag::Across))
            return 0;
    } else {
        if ((GridFlags.at(col, row) & gridflag::Down) || (GridFlags.at(col, row + len - 1) & gridflag::Down))
            return 0;
    }
    return -1;
}

void SquareBuilder::PlaceWord(const QString& w, int col, int row, int direction) {
    const int len = int(w.size());
    // The first element that sorts after the word (by character codes), else the end.
    auto at = std::find_if(PlacedWords.begin(), PlacedWords.end(),
                           [&w](const QString& e) { return QString::compare(e, w, Qt::CaseSensitive) > 0; });
    PlacedWords.insert(at, w);
    col = wrapCol(col);
    row = wrapRow(row);
    Placements.push_back(Placement{w, col, row, direction});
    for (int t = 1; t <= len; ++t) {
        const int cc = direction == 0 ? col + t - 1 : col;
        const int rr = direction == 0 ? row : row + t - 1;
        GridLetters.set(cc, rr, w[t - 1].unicode());
        GridFlags.set(cc, rr, GridFlags.at(cc, rr) | (direction == 0 ? gridflag::Across : gridflag::Down));
        if (onLetter)
            onLetter(cc, rr, w[t - 1], t < len ? (direction == 0 ? 5 : 6) : 4);
    }
    if (direction == 0) {
        GridFlags.set(col, row, GridFlags.at(col, row) | gridflag::AcrossStart);
        GridFlags.set(col + len - 1, row, GridFlags.at(col + len - 1, row) | gridflag::AcrossEnd);
    } else {
        GridFlags.set(col, row, GridFlags.at(col, row) | gridflag::DownStart);
        GridFlags.set(col, row + len - 1, GridFlags.at(col, row + len - 1) | gridflag::DownEnd);
    }
}

void SquareBuilder::FillBlanks() {
    static const char kRare[] = "HJQVWXYZ";
    // Letter by letter, as the program upper-cases: "ß" stays one character and no A-Z.
    const QString text = lang::UCase(BlankFillText);
    qsizetype k = 0;
    int filled = 0;
    for (int row = 1; row <= SquareRows; ++row) {
        for (int col = 1; col <= SquareCols; ++col) {
            if (GridFlags.at(col, row) != 0)
                continue;
            QChar letter;
            while (k < text.size()) {
                const QChar ch = text[k++];
                if (ch >= u'A' && ch <= u'Z') {
                    letter = ch;
                    break;
                }
            }
            if (letter.isNull()) {
                const float r = rnd_();
                letter = QChar(kRare[std::clamp(int(r * 8.0f), 0, 7)]);
            }
            if (onLetter)
                onLetter(col, row, letter, 0);
            GridLetters.set(col, row, letter.unicode());
            ++filled;
        }
    }
    BlankCount = filled;
}

bool IsCapitalsOnly(const QString& word) {
    return std::all_of(word.begin(), word.end(), [](QChar c) { return c >= u'A' && c <= u'Z'; });
}

QString CannotBuildMessage() {
    return QStringLiteral("It is not possible to design a tavlorin of the required size from the current wordlist.\r\n\r\n"
                          "Please use the 'File ... Open' menu to open a different wordlist.");
}
