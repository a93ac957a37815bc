// The sample installation the build makes: every file the programs look for is there, the books
// read back with the book reader and agree with their sources, and the generator gives the same
// bytes on every run.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "BookSource.h"
#include "SentenceMarks.h"
#include "book/BookFile.h"
#include "book/WordList.h"
#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Log.h"
#include "core/Password.h"
#include "core/Settings.h"
#include "platform/Paths.h"
#include "platform/WavFile.h"

using namespace mkinstall;

namespace {

QString installation() {
    return qEnvironmentVariable("KESTROW_BUILD") + QStringLiteral("/installation");
}

QString dataSources() {
    return qEnvironmentVariable("KESTROW_SOURCE") + QStringLiteral("/data");
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The installation's file for a stored relative name, found as the programs find it.
QString file(const QString& relative) {
    return resolvePath(installation(), relative);
}

std::vector<SourceBook> sourceBooks() {
    std::vector<SourceBook> books;
    const QDir dir(dataSources() + QStringLiteral("/books"));
    for (const QString& name : dir.entryList({QStringLiteral("*.book")}, QDir::Files, QDir::Name))
        books.push_back(parseBookSource(dir.filePath(name), readAll(dir.filePath(name))));
    return books;
}

// Bits per pixel of a BMP file, from its info header.
int bmpBits(const QByteArray& bmp) {
    return bmp.size() > 29 ? uchar(bmp[28]) | (uchar(bmp[29]) << 8) : 0;
}

// Every file below a folder, relative to it.
QStringList filesBelow(const QString& root) {
    QStringList out;
    QDirIterator it(root, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

QString generator() {
    return qEnvironmentVariable("KESTROW_BUILD") + QStringLiteral("/tools/mkinstall/mkinstall");
}

// Runs the generator into folder; empty on success, else what went wrong.
std::string generate(const QString& folder) {
    QProcess run;
    run.start(generator(), {dataSources(), folder});
    if (!run.waitForFinished(120000))
        return "the generator did not finish";
    if (run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0)
        return run.readAllStandardError().toStdString();
    return {};
}

// A generation of its own, made once. The build's folder is where Kestrow runs (it stores the
// data folder and logs sessions there), so the records as made are checked here.
const QTemporaryDir& freshInstallation() {
    static QTemporaryDir dir;
    static const std::string failure = generate(dir.path());
    EXPECT_EQ(failure, "");
    return dir;
}

class SampleInstallation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(QFileInfo::exists(installation() + QStringLiteral("/GLOBSET.DAT")))
            << "the build makes the sample installation in " << installation().toStdString();
        books_ = sourceBooks();
        ASSERT_GE(books_.size(), 3u);
    }
    std::vector<SourceBook> books_;
};

}  // namespace

TEST_F(SampleInstallation, RecordsHoldTheSampleSettings) {
    // The build's installation has them all, whatever Kestrow has written into them since.
    EXPECT_EQ(QFileInfo(file(QStringLiteral("GLOBSET.DAT"))).size(), GlobalSettingsRecord::Length);
    EXPECT_EQ(QFileInfo(file(QStringLiteral("TEACHER.DAT"))).size(), ActivitySettingsRecord::Length);
    for (const char* name : {"USERS.DAT", "LOG.DAT", "ANN.DAT", "BEN.DAT"})
        EXPECT_TRUE(QFileInfo(file(QLatin1String(name))).isFile()) << name;
    EXPECT_TRUE(QFileInfo(file(QStringLiteral("TEXT"))).isDir());

    const QString made = freshInstallation().path();
    auto record = [&](const QString& relative) { return resolvePath(made, relative); };
    const QByteArray globals = readAll(record(QStringLiteral("GLOBSET.DAT")));
    ASSERT_EQ(globals.size(), GlobalSettingsRecord::Length);
    const GlobalSettingsRecord g = GlobalSettingsRecord::decode(globals);
    EXPECT_EQ(DescramblePassword(g.Password.rawText(), 8), QString());
    EXPECT_EQ(g.TrackingOn, 1);
    EXPECT_EQ(g.UserNameFlags, 1);
    EXPECT_EQ(g.NoColourWarning, 0);
    EXPECT_EQ(g.NoFontWarning, 0);
    EXPECT_EQ(g.DataFolder.text(), QString());

    const QByteArray teacher = readAll(record(QStringLiteral("TEACHER.DAT")));
    ASSERT_EQ(teacher.size(), ActivitySettingsRecord::Length);
    const ActivitySettingsRecord t = ActivitySettingsRecord::decode(teacher);
    EXPECT_EQ(t.Book.text(), QStringLiteral("01pip"));
    EXPECT_EQ(t.TextFont.text(), QStringLiteral("Arial"));
    for (int16_t flag : {t.ReadOn, t.ReadHearSentence, t.ReadHearWord, t.ReadPrint, t.ReadTellStory, t.WriteOn,
                         t.WriteStartWithText, t.WritePrint, t.WriteSaveLoad, t.WriteHearSentence, t.WriteTellStory,
                         t.TreasureOn, t.TreasureLoad, t.TreasureSay, t.TreasureChooseGuesses, t.ClozeTypeOn,
                         t.ClozeTypeSound, t.ClozeChooseSound, t.AasAy, t.BookChoice})
        EXPECT_EQ(flag, -1);
    EXPECT_EQ(t.ClozeChoose, 16 + 3);
    EXPECT_EQ(t.SlideFlags, 31);
    EXPECT_EQ(t.TreasureClues, 3);
    EXPECT_GE(t.TreasureFails, 1);
    EXPECT_LE(t.TreasureFails, 10);

    const QByteArray users = readAll(record(QStringLiteral("USERS.DAT")));
    EXPECT_EQ(users, QByteArray(" 3              Ann             Ben             Teacher         "));
    EXPECT_EQ(readAll(record(QStringLiteral("ANN.DAT"))), teacher);
    EXPECT_EQ(readAll(record(QStringLiteral("BEN.DAT"))), teacher);

    const QByteArray log = readAll(record(QStringLiteral("LOG.DAT")));
    EXPECT_EQ(log, QByteArray("\x1e\x00", 2) + LogHeader().toLatin1());
    EXPECT_TRUE(QFileInfo(record(QStringLiteral("TEXT"))).isDir());
}

TEST_F(SampleInstallation, EffectSoundsArePlayable) {
    for (const char* name : {"CLICK", "DEATH", "YES", "NO", "CHEER"}) {
        const std::optional<WavData> wav = readWavFile(file(QStringLiteral("WAVS/%1.WAV").arg(QLatin1String(name))));
        ASSERT_TRUE(wav) << name;
        EXPECT_EQ(wav->bitsPerSample, 16) << name;
        EXPECT_GT(wav->seconds(), 0.02) << name;
        EXPECT_LT(wav->seconds(), 3.0) << name;
    }
}

TEST_F(SampleInstallation, BooksReadBackAsTheirSourcesWithAMarkForEveryWord) {
    bool quotes = false;
    bool apostrophes = false;
    for (const SourceBook& source : books_) {
        const QString code = source.code;
        const BookReadResult read = ReadBookFile(file(QStringLiteral("DATA/%1.DAT").arg(code)), BookReadOptions{1, 0, false});
        ASSERT_TRUE(read.ok) << code.toStdString() << " " << read.fatalKind.toStdString();
        const BookData& book = read.book;
        EXPECT_EQ(book.title, source.title);
        EXPECT_EQ(book.BookFontSize, source.fontSize);
        ASSERT_EQ(book.frameCount, int(source.pages.size()));
        for (int f = 1; f <= book.frameCount; ++f) {
            const SourcePage& page = source.pages[size_t(f - 1)];
            const std::string where = code.toStdString() + " frame " + std::to_string(f);
            QStringList texts;
            for (int i = 1; i <= int(page.blocks.size()); ++i) {
                const SourceBlock& b = page.blocks[size_t(i - 1)];
                texts << b.text;
                EXPECT_EQ(book.BlockText(i, f), QString(b.text).replace(u'@', u'"')) << where;
                EXPECT_EQ(book.BlockRect(1, i, f), b.left) << where;
                EXPECT_EQ(book.BlockRect(4, i, f), b.height) << where;
                EXPECT_EQ(book.BlockRect(5, i, f), b.labelLeft) << where;
                quotes = quotes || b.text.contains(u'@');
                apostrophes = apostrophes || b.text.contains(u'\'');
            }
            for (int j = 1; j <= int(page.pictures.size()); ++j) {
                EXPECT_EQ(book.PictureName(j, f), page.pictures[size_t(j - 1)].name) << where;
                EXPECT_EQ(book.PictureRect(3, j, f), page.pictures[size_t(j - 1)].width) << where;
            }
            EXPECT_EQ(book.NextLink(f), page.next) << where;

            const std::optional<WavData> sound =
                readWavFile(file(QStringLiteral("WAVS/%1/SNT%2.WAV").arg(code).arg(f % 100, 2, 10, QChar(u'0'))));
            ASSERT_TRUE(sound) << where;
            const size_t words = pageSpeech(texts).words.size();
            ASSERT_EQ(book.frames[f - 1].marks.size(), qsizetype(words)) << where;
            double previous = 0.0;
            for (int i = 1; i <= int(words); ++i) {
                EXPECT_GT(book.MarkTime(i, f), previous) << where << " word " << i;
                previous = book.MarkTime(i, f);
            }
            EXPECT_LE(previous, sound->seconds()) << where;
        }
    }
    EXPECT_TRUE(quotes) << "one sample book speaks in quotation marks";
    EXPECT_TRUE(apostrophes);
}

TEST_F(SampleInstallation, PicturesHaveTheirSizeDepthTwinsAndCover) {
    int depth8 = 0;
    int depth24 = 0;
    for (const SourceBook& source : books_) {
        const QString folder = QStringLiteral("BMPS/") + source.code + u'/';
        EXPECT_FALSE(QImage(file(folder + source.code + QStringLiteral(".DIB")), "BMP").isNull()) << source.code.toStdString();
        for (const SourcePage& page : source.pages)
            for (const SourcePicture& p : page.pictures) {
                const QString path = file(folder + p.name + QStringLiteral(".BMP"));
                const QImage image(path, "BMP");
                ASSERT_FALSE(image.isNull()) << path.toStdString();
                // Unstretched, a picture shows at 15 twips to the pixel.
                EXPECT_EQ(image.width() * 15, p.width) << path.toStdString();
                EXPECT_EQ(image.height() * 15, p.height) << path.toStdString();
                const int bits = bmpBits(readAll(path));
                EXPECT_EQ(bits, p.bits) << path.toStdString();
                (bits == 8 ? depth8 : depth24) += 1;
                if (p.name.startsWith(QStringLiteral("COL"), Qt::CaseInsensitive)) {
                    const QImage twin(file(folder + p.name.mid(3) + QStringLiteral("BW.BMP")), "BMP");
                    ASSERT_FALSE(twin.isNull()) << p.name.toStdString();
                    EXPECT_EQ(twin.size(), image.size());
                    EXPECT_TRUE(twin.allGray());
                }
            }
    }
    EXPECT_GT(depth8, 0);
    EXPECT_GT(depth24, 0);
}

TEST_F(SampleInstallation, EveryWordOfEveryBookAndListHasItsSound) {
    ActiveSettings.AasAy = -1;
    QStringList keys;
    for (const SourceBook& source : books_)
        for (const SourcePage& page : source.pages)
            for (const SourceBlock& b : page.blocks)
                for (const PageWord& w : pageSpeech({b.text}).words)
                    keys << FileKey(w.text);
    const QDir lists(file(QStringLiteral("WORDLIST")));
    QStringList stems;
    for (const QString& name : lists.entryList({QStringLiteral("*.TXT")}, QDir::Files, QDir::Name)) {
        stems << QFileInfo(name).completeBaseName().toLower();
        const WordListItems items = ReadWordListItems(lists.filePath(name));
        ASSERT_EQ(items.state, WordListItems::Read) << name.toStdString();
        EXPECT_GE(items.items.size(), 20) << name.toStdString();
        for (const QString& w : items.items) {
            EXPECT_GE(w.size(), 3) << name.toStdString();
            EXPECT_TRUE(IsAllLetters(w)) << w.toStdString();
            keys << FileKey(w);
        }
    }
    for (const SourceBook& source : books_)
        EXPECT_TRUE(stems.contains(source.code)) << source.code.toStdString();
    EXPECT_TRUE(stems.contains(QStringLiteral("_001_030")));

    // The lone "a" has both of its sounds.
    keys << QStringLiteral("AY") << QStringLiteral("UH");
    keys.removeDuplicates();
    for (const QString& key : keys) {
        const std::optional<WavData> wav = readWavFile(file(QStringLiteral("WAVS/WDS/") + key + QStringLiteral(".WAV")));
        ASSERT_TRUE(wav) << key.toStdString();
        EXPECT_GT(wav->seconds(), 0.1) << key.toStdString();
    }
}

TEST(SampleGenerator, MakesTheSameBytesEveryTime) {
    ASSERT_TRUE(QFileInfo(generator()).isExecutable());
    const QTemporaryDir& first = freshInstallation();
    QTemporaryDir second;
    ASSERT_EQ(generate(second.path()), "");
    const QStringList files = filesBelow(first.path());
    ASSERT_GT(files.size(), 100);
    ASSERT_EQ(files, filesBelow(second.path()));
    for (const QString& f : files)
        EXPECT_EQ(readAll(first.path() + u'/' + f), readAll(second.path() + u'/' + f)) << f.toStdString();
}
