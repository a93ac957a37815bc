#include "Installation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <map>
#include <stdexcept>

#include "BookEncoder.h"
#include "BookSource.h"
#include "Bmp.h"
#include "Scene.h"
#include "SentenceMarks.h"
#include "Tones.h"
#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/Password.h"
#include "core/Settings.h"
#include "book/BookButtonArt.h"
#include "games/GameArt.h"
#include "menu/ButtonArt.h"
#include "platform/Ansi.h"
#include "platform/Speech.h"
#include "platform/WavFile.h"
#include "platform/WholeFile.h"

namespace mkinstall {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

class Output {
public:
    explicit Output(const QString& root) : root_(root) {}

    void write(const QString& relative, const QByteArray& bytes) {
        const QString path = root_ + u'/' + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!wholefile::replace(path, bytes))
            throw std::runtime_error(("cannot write " + path).toStdString());
        ++files_;
    }
    void folder(const QString& relative) { QDir().mkpath(root_ + u'/' + relative); }
    int files() const { return files_; }

private:
    QString root_;
    int files_ = 0;
};

QByteArray readSource(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw SourceError(("cannot read " + path).toStdString());
    return f.readAll();
}

QStringList sourceFiles(const QString& folder, const QString& pattern) {
    QStringList out;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({pattern}, QDir::Files, QDir::Name))
        out << dir.filePath(name);
    return out;
}

SpeechSamples speak(const QString& text) {
    std::optional<SpeechSamples> s = synthesize(text);
    if (!s || s->samples.empty())
        throw std::runtime_error(("the speech engine could not say \"" + text + "\"").toStdString());
    return std::move(*s);
}

QByteArray wavOf(const SpeechSamples& s) {
    return makeWav16(s.samples.data(), qsizetype(s.samples.size()), s.sampleRate);
}

QString twoDigits(int frame) {
    return QStringLiteral("%1").arg(frame % 100, 2, 10, QChar(u'0'));
}

// Pictures of one book: each page's pictures, the twins of the COL pictures, and the cover.
void writePictures(const SourceBook& book, Output& out) {
    const QString folder = QStringLiteral("BMPS/") + book.code.toUpper() + u'/';
    for (const SourcePage& page : book.pages) {
        for (const SourcePicture& p : page.pictures) {
            const QImage colour = paintPicture(p, false);
            out.write(folder + p.name + QStringLiteral(".BMP"), p.bits == 8 ? bmp8(colour) : bmp24(colour));
            if (p.name.startsWith(QStringLiteral("COL")))
                out.write(folder + p.name.mid(3) + QStringLiteral("BW.BMP"), bmp8(paintPicture(p, true)));
        }
    }
    // The cover is the title page's picture as a 256-colour bitmap with the .DIB extension.
    SourcePicture cover = book.pages.front().pictures.front();
    cover.bits = 8;
    out.write(folder + book.code.toUpper() + QStringLiteral(".DIB"), bmp8(paintPicture(cover, false)));
}

// The sentence sounds of one book and the book file with their marks.
bookenc::Book writeSentences(const SourceBook& book, Output& out) {
    bookenc::Book encoded;
    encoded.title = book.title;
    encoded.fontSize = book.fontSize;
    for (size_t f = 0; f < book.pages.size(); ++f) {
        const SourcePage& page = book.pages[f];
        QStringList texts;
        bookenc::Frame frame;
        for (const SourceBlock& b : page.blocks) {
            texts << b.text;
            bookenc::Block eb;
            eb.left = b.left;
            eb.top = b.top;
            eb.width = b.width;
            eb.height = b.height;
            eb.labelLeft = b.labelLeft;
            eb.text = b.text;
            frame.blocks << eb;
        }
        for (const SourcePicture& p : page.pictures) {
            bookenc::Picture ep;
            ep.left = p.left;
            ep.top = p.top;
            ep.width = p.width;
            ep.height = p.height;
            ep.name = p.name;
            frame.pictures << ep;
        }
        const PageSpeech speech = pageSpeech(texts);
        const SpeechSamples sound = speak(speech.spoken);
        const double end = voicedEnd(sound.samples, sound.sampleRate);
        for (double m : alignMarks(speech.words, sound.words, end))
            frame.marks << m;
        frame.link = page.next;
        encoded.frames << frame;
        out.write(QStringLiteral("WAVS/%1/SNT%2.WAV").arg(book.code.toUpper(), twoDigits(int(f) + 1)), wavOf(sound));
    }
    return encoded;
}

// Every word sound the books and lists need, by file key, with the text that says it. The
// first spelling met in sorted sources wins, so the choice is stable.
std::map<QString, QString> wordSounds(const std::vector<SourceBook>& books,
                                      const std::vector<SourceWordList>& lists) {
    std::map<QString, QString> out;
    auto add = [&](const QString& word) {
        const QString spoken = spokenWord(word).toLower();
        if (spoken.isEmpty())
            return;
        // The lone letter A has two sounds; the settings choose which one is heard.
        if (FileKey(word) == u"AY" || FileKey(word) == u"UH") {
            out.emplace(QStringLiteral("AY"), QStringLiteral("a"));
            out.emplace(QStringLiteral("UH"), QStringLiteral("uh"));
            return;
        }
        out.emplace(FileKey(word), spoken);
    };
    for (const SourceBook& book : books)
        for (const SourcePage& page : book.pages)
            for (const SourceBlock& b : page.blocks)
                for (const PageWord& w : pageSpeech({b.text}).words)
                    add(w.text);
    for (const SourceWordList& list : lists)
        for (const QString& w : list.words)
            add(w);
    return out;
}

QByteArray wordListFile(const SourceWordList& list) {
    QString text = QStringLiteral("*WORDLIST*") + kCrLf;
    for (const QString& w : list.words)
        text += w + kCrLf;
    text += QStringLiteral("*END*") + kCrLf;
    return ansi::encode(text);
}

// The teacher's settings of the sample: the first book, everything offered and every help on.
ActivitySettingsRecord teacherSettings() {
    ActivitySettingsRecord s;
    s.Book.setText(QStringLiteral("01pip"));
    s.TextFont.setText(QStringLiteral("Arial"));
    s.ReservedFlag = 0;
    s.ForceMono = 0;
    s.BookChoice = -1;
    s.ReadOn = s.ReadHearSentence = s.ReadHearWord = s.ReadPrint = s.ReadTellStory = -1;
    s.WriteOn = s.WriteStartWithText = s.WritePrint = s.WriteSaveLoad = s.WriteHearSentence = -1;
    s.WriteTellStory = -1;
    s.TreasureOn = s.TreasureLoad = s.TreasureSay = s.TreasureChooseGuesses = -1;
    s.TreasureClues = 3;   // sound and letter clues
    s.TreasureFails = 6;   // five wrong letters allowed
    s.SlideFlags = 31;     // offered, said, sound clue, other lists, letter clue
    s.ClozeTypeOn = s.ClozeTypeSound = -1;
    s.ClozeChoose = 16 + 3;  // offered, three choices
    s.ClozeChooseSound = -1;
    s.AasAy = -1;
    s.SquareFlags = 5;  // 5 x 5 squares, every pupil option allowed
    s.SquareWordList.setText(QStringLiteral("_001_030"));
    for (FixedText<8>* name : {&s.ReservedName1, &s.ReservedName2, &s.ReservedName3, &s.ReservedName4,
                               &s.ReservedName5, &s.ReservedName6, &s.ReservedName7, &s.ReservedName8})
        name->setText(QString());
    return s;
}

GlobalSettingsRecord globalSettings() {
    GlobalSettingsRecord g;
    g.NoColourWarning = 0;
    g.SpeechDisabled = 0;
    g.NoFontWarning = 0;
    g.Password.setText(ScramblePassword(QString(), 8));
    g.ReservedBytes.setText(QString());
    g.UserNameFlags = 1;  // ask the name at start, one settings file for all
    g.TrackingOn = 1;
    g.DataFolder.setText(QString());
    return g;
}

void writeRecords(Output& out) {
    out.write(QStringLiteral("GLOBSET.DAT"), globalSettings().encode());
    const QByteArray teacher = teacherSettings().encode();
    out.write(QStringLiteral("TEACHER.DAT"), teacher);

    // The teacher is listed too, so the teacher can sign in at start; the teacher's settings
    // file is TEACHER.DAT itself.
    const QStringList users = {QStringLiteral("Ann"), QStringLiteral("Ben"), QStringLiteral("Teacher")};
    QByteArray list;
    FixedText<16> record;
    record.setText(QStringLiteral(" %1").arg(users.size()));
    list += record.bytes();
    for (const QString& name : users) {
        record.setText(name);
        list += record.bytes();
        // A listed user's own settings start as a copy of the teacher's.
        if (FileKey(name) != QStringLiteral("TEACHER"))
            out.write(FileKey(name) + QStringLiteral(".DAT"), teacher);
    }
    out.write(QStringLiteral("USERS.DAT"), list);

    out.write(QStringLiteral("LOG.DAT"), *LogFileImage(LogHeader()));
    out.folder(QStringLiteral("TEXT"));
}

}  // namespace

void makeInstallation(const QString& dataDir, const QString& outDir, QTextStream& log) {
    QElapsedTimer total;
    total.start();
    QElapsedTimer step;
    step.start();
    auto lap = [&](const QString& what) {
        log << what << ": " << step.elapsed() << " ms" << Qt::endl;
        step.restart();
    };

    std::vector<SourceBook> books;
    for (const QString& file : sourceFiles(dataDir + QStringLiteral("/books"), QStringLiteral("*.book"))) {
        books.push_back(parseBookSource(file, readSource(file)));
        checkBook(books.back());
    }
    if (books.empty())
        throw SourceError(("no book sources in " + dataDir + "/books").toStdString());
    std::vector<SourceWordList> sources;
    for (const QString& file : sourceFiles(dataDir + QStringLiteral("/wordlists"), QStringLiteral("*.words")))
        sources.push_back(parseWordListSource(file, readSource(file)));
    const std::vector<SourceWordList> lists = resolveWordLists(sources);
    for (const SourceBook& book : books) {
        const bool listed = std::any_of(lists.begin(), lists.end(), [&](const SourceWordList& l) { return l.stem == book.code; });
        if (!listed)
            throw SourceError(("the book " + book.code + " has no word list").toStdString());
    }
    // What a book's author needs when editing its layout: how much room the lines have left.
    for (const SourceBook& book : books) {
        double widest = 0.0;
        for (const SourcePage& page : book.pages)
            for (const SourceBlock& b : page.blocks)
                widest = std::max(widest, textWidthTwips(b.text, book.fontSize) / (b.left + b.width - b.labelLeft));
        log << book.code << ": " << book.pages.size() << " pages, " << book.fontSize << " pt, line height "
            << qRound(lineHeightTwips(book.fontSize)) << " twips, widest line " << qRound(widest * 100)
            << "% of its label" << Qt::endl;
    }
    lap(QStringLiteral("sources read and checked"));

    // FileKey reads the setting for a lone A; we make both sounds anyway.
    ActiveSettings.AasAy = -1;
    Output out(outDir);
    for (const SourceBook& book : books)
        writePictures(book, out);
    lap(QStringLiteral("pictures"));

    for (const SourceBook& book : books) {
        const bookenc::Book encoded = writeSentences(book, out);
        out.write(QStringLiteral("DATA/") + book.code.toUpper() + QStringLiteral(".DAT"), bookenc::encodeBook(encoded));
    }
    lap(QStringLiteral("sentence sounds and book files"));

    const std::map<QString, QString> words = wordSounds(books, lists);
    for (const auto& [key, spoken] : words)
        out.write(QStringLiteral("WAVS/WDS/") + key + QStringLiteral(".WAV"), wavOf(speak(spoken)));
    lap(QStringLiteral("%1 word sounds").arg(words.size()));

    for (const EffectSound& e : effectSounds())
        out.write(QStringLiteral("WAVS/") + e.fileName, e.wav);
    for (const SourceWordList& list : lists)
        out.write(QStringLiteral("WORDLIST/") + list.stem.toUpper() + QStringLiteral(".TXT"), wordListFile(list));
    writeRecords(out);
    lap(QStringLiteral("effects, word lists and records"));

    if (!buttonart::writeMenuPictures(outDir))
        throw std::runtime_error(("cannot write the menu pictures into " + outDir).toStdString());
    if (!bookbuttonart::writeButtonStrips(outDir))
        throw std::runtime_error(("cannot write the book window's button pictures into " + outDir).toStdString());
    lap(QStringLiteral("button pictures"));

    // The word games' pictures: flat colours, so a small palette keeps them exact.
    for (const gameart::PictureFile& f : gameart::pictureFiles())
        out.write(QString(f.name).replace(u'\\', u'/'), bmp8(f.image));
    lap(QStringLiteral("word game pictures"));

    log << out.files() << " files in " << total.elapsed() << " ms" << Qt::endl;
}

}  // namespace mkinstall
