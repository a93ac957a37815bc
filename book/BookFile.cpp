#include "book/BookFile.h"

#include <cmath>
#include <optional>

#include "book/Quotes.h"
#include "core/Activity.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "platform/Ansi.h"
#include "platform/ItemInput.h"
#include "platform/Lang.h"

// ---- tables ----

const BookFrame* BookData::frame(int f) const {
    return f >= 1 && f <= frames.size() ? &frames[f - 1] : nullptr;
}

QString BookData::BlockText(int i, int f) const {
    const BookFrame* fr = frame(f);
    return fr && i >= 1 && i <= fr->blocks.size() ? fr->blocks[i - 1].text : QString();
}

int BookData::BlockRect(int field, int i, int f) const {
    const BookFrame* fr = frame(f);
    if (!fr || i < 1 || i > fr->blocks.size() || field < 1 || field > 5)
        return 0;
    return fr->blocks[i - 1].rect[field - 1];
}

QString BookData::PictureName(int j, int f) const {
    const BookFrame* fr = frame(f);
    return fr && j >= 1 && j <= fr->pictures.size() ? fr->pictures[j - 1].name : QString();
}

int BookData::PictureRect(int field, int j, int f) const {
    const BookFrame* fr = frame(f);
    if (!fr || j < 1 || j > fr->pictures.size() || field < 1 || field > 4)
        return 0;
    return fr->pictures[j - 1].rect[field - 1];
}

double BookData::MarkTime(int i, int f) const {
    const BookFrame* fr = frame(f);
    return fr && i >= 1 && i <= fr->marks.size() ? fr->marks[i - 1] : 0.0;
}

QString BookData::NextLink(int f) const {
    const BookFrame* fr = frame(f);
    return fr ? fr->nextLink : QString();
}

void BookData::setBlockText(int i, int f, const QString& text) {
    if (f < 1 || f > frames.size() || i < 1 || i > MaxBlocks)
        return;
    QList<BookBlock>& blocks = frames[f - 1].blocks;
    while (blocks.size() < i)
        blocks.append(BookBlock{});
    blocks[i - 1].text = text;
}

// ---- scrambling ----

namespace {

// The key runs on as a signed 32-bit number; wrapping keeps a long file from overflowing it.
int32_t addWrapping(int32_t key, int32_t v) {
    return static_cast<int32_t>(static_cast<uint32_t>(key) + static_cast<uint32_t>(v));
}

}  // namespace

QByteArray UnscrambleText(const QByteArray& text, int32_t& key) {
    if (key == 0) {
        for (char ch : text)
            key = addWrapping(key, static_cast<unsigned char>(ch));
        return text;
    }
    static constexpr char kLowCodes[4] = {'\n', '\r', ' ', '!'};
    QByteArray out;
    out.reserve(text.size());
    for (char ch : text) {
        const int c = static_cast<unsigned char>(ch);
        if (c <= 33) {
            // Line breaks, blanks and "!" may be stored as any low code that fits the key.
            const int r = ((c + 7) - (key % 4)) % 4;
            out.append(kLowCodes[r]);
        } else if (c == 34) {
            out.append('"');
        } else {
            int64_t d = (static_cast<int64_t>(c) - 35 - key) % 221;
            if (d < 0)
                d += 221;
            out.append(static_cast<char>(d));
            key = addWrapping(key, static_cast<int32_t>(d));
        }
    }
    return out;
}

QString UnscrambleText(const QString& text, int32_t& key) {
    return ansi::decode(UnscrambleText(ansi::encode(text), key));
}

// ---- reading ----

namespace {

std::optional<int> number16(const QString& field) {
    const std::optional<int16_t> v = lang::CInt(lang::Val(field));
    if (!v)
        return std::nullopt;
    return *v;
}

// Signals the end of the read with a fatal kind.
struct Fatal {
    const char* kind;
};

class BookReader {
public:
    BookReader(ItemInput& in, const BookReadOptions& options) : in_(in), options_(options) {}

    BookData read() {
        QByteArray magic;
        if (!in_.nextBytes(magic))
            throw Fatal{"file"};
        UnscrambleText(magic, key_);  // seeds the key with the record as read, blanks included
        QByteArray header;
        if (!in_.nextBytes(header))
            throw Fatal{"file"};
        // The fields are taken from the front of gRecordBuffer by NextLine.
        gRecordBuffer = ansi::decode(UnscrambleText(header, key_));

        if (lang::Trim(ansi::decode(magic)) != QLatin1String(kBookMagic))
            throw Fatal{"badfile"};

        BookData book;
        readHeader(book);
        for (int f = 1; f <= book.frameCount; ++f)
            book.frames.append(readFrame(book, f));
        return book;
    }

private:
    static int headerNumber(int low, int high) {
        const std::optional<int> v = number16(NextLine());
        if (!v || *v < low || *v > high)
            throw Fatal{"badfile"};
        return *v;
    }

    static void readHeader(BookData& book) {
        book.title = lang::Trim(NextLine());
        book.frameCount = headerNumber(1, INT16_MAX);
        book.MaxPictures = headerNumber(0, kBookSlotLimitPictures);
        book.MaxBlocks = headerNumber(1, kBookSlotLimitBlocks);
        book.MaxMarks = headerNumber(0, kBookSlotLimitMarks);
        book.BookFontSize = headerNumber(1, kBookFontSizeLimit);
        for (int reserved = 0; reserved < 4; ++reserved)
            headerNumber(INT16_MIN, INT16_MAX);
    }

    static int frameNumber() {
        const std::optional<int> v = number16(NextLine());
        if (!v)
            throw Fatal{"badframe"};
        return *v;
    }

    static int frameCount(int maximum) {
        const int n = frameNumber();
        if (n < 0 || n > maximum)
            throw Fatal{"badframe"};
        return n;
    }

    BookFrame readFrame(const BookData& book, int f) {
        QByteArray record;
        if (!in_.nextBytes(record))
            throw Fatal{"badframe"};  // fewer frame records than the header's count
        gRecordBuffer = ansi::decode(UnscrambleText(record, key_));

        if (NextLine().left(15) != QLatin1String(kFrameMarker))
            throw Fatal{"badframe"};

        BookFrame frame;
        const int n = frameCount(book.MaxBlocks);
        int quoteToggle = 0;
        for (int i = 0; i < n; ++i) {
            BookBlock block;
            for (int& v : block.rect)
                v = frameNumber();
            block.text = ConvertQuotes(NextLine(), 1, quoteToggle, options_.curlyQuotes);
            if (options_.activity == activity::Writing)
                block.text = WritingBlockText(block.text, options_.writeStartWithText);
            frame.blocks.append(std::move(block));
        }
        // The font fit needs a first block of some height.
        if (f == 1 && (frame.blocks.isEmpty() || frame.blocks[0].rect[3] <= 0))
            throw Fatal{"badframe"};

        NextLine();
        const int m = frameCount(book.MaxPictures);
        for (int j = 0; j < m; ++j) {
            BookPicture picture;
            for (int& v : picture.rect)
                v = frameNumber();
            picture.name = NextLine();
            frame.pictures.append(std::move(picture));
        }

        NextLine();
        const int k = frameCount(book.MaxMarks);
        for (int i = 0; i < k; ++i) {
            const double t = lang::Val(NextLine());
            if (!std::isfinite(t))
                throw Fatal{"badframe"};
            frame.marks.append(t);
        }

        NextLine();
        const QString link = NextLine();
        if (link.left(4) == QLatin1String("NEXT"))
            frame.nextLink = lang::Trim(link.mid(4));
        return frame;
    }

    ItemInput& in_;
    const BookReadOptions& options_;
    int32_t key_ = 0;
};

BookReadResult readFrom(ItemInput& in, const QString& path, const BookReadOptions& options) {
    BookReadResult result;
    result.path = path;
    try {
        result.book = BookReader(in, options).read();
        result.ok = true;
    } catch (const Fatal& fatal) {
        result.fatalKind = QLatin1String(fatal.kind);
    }
    gRecordBuffer.clear();  // means nothing after the load
    return result;
}

}  // namespace

BookReadResult ReadBookFile(const QString& path, const BookReadOptions& options) {
    std::optional<ItemInput> in = ItemInput::open(path);
    if (!in) {
        BookReadResult result;
        result.path = path;
        result.fatalKind = QStringLiteral("file");
        return result;
    }
    return readFrom(*in, path, options);
}

BookReadResult ReadBookBytes(const QByteArray& bytes, const QString& path, const BookReadOptions& options) {
    ItemInput in(bytes);
    return readFrom(in, path, options);
}

QString WritingBlockText(const QString& text, int writeStartWithText) {
    if (writeStartWithText == 0)
        return QString();
    const QString padded = text + u' ';
    QString out;
    out.reserve(padded.size());
    for (QChar c : padded)
        if (!(c == u' ' && out.endsWith(u' ')))
            out.append(c);
    return out;
}

int FitBookFontSize(int size, double blockHeight, const std::function<double(int size)>& heightOfTy) {
    if (size < 1)
        size = 1;
    while (size > 1 && heightOfTy(size) > blockHeight)
        --size;
    return size;
}
