#include "book/WordList.h"

#include <gtest/gtest.h>

#include "platform/Mouse.h"
#include "support/ScriptedDialogs.h"
#include "support/TestEnv.h"

namespace {

class WordListFile : public ::testing::Test {
protected:
    QString write(const QByteArray& content) {
        dir.write("WORDLIST/HEN.TXT", content);
        return dir.file("WORDLIST/HEN.TXT");
    }
    ClozeWordListLoad load(const QByteArray& content) { return ReadClozeWordList(write(content)); }

    testsupport::TempDir dir;
};

TEST_F(WordListFile, HeaderInAnyCaseWithBlanksAround) {
    // The last as a text editor saves a list in UTF-8: a byte-order mark before the header.
    for (const char* header : {"*WORDLIST*", "*wordlist*", "  *WordList*  ", "\"*wordList*\"", "\xEF\xBB\xBF*WORDLIST*"}) {
        const ClozeWordListLoad r = load(QByteArray(header) + "\r\nhen\r\ncat\r\ndog\r\npig\r\n");
        EXPECT_EQ(r.outcome, ClozeWordListLoad::Loaded) << header;
        EXPECT_EQ(r.words, (QStringList{"hen", "cat", "dog", "pig"})) << header;
    }
}

TEST_F(WordListFile, CommasAndLineEndsSeparateAlikeAndQuotesHoldCommas) {
    const QStringList byLines = load("*WORDLIST*\r\nHen\nCat\rDog\r\nPig\r\n").words;
    const QStringList byCommas = load("*WORDLIST*, Hen ,Cat,Dog,  Pig").words;
    EXPECT_EQ(byLines, (QStringList{"hen", "cat", "dog", "pig"}));
    EXPECT_EQ(byCommas, byLines);

    const ClozeWordListLoad quoted = load("*WORDLIST*\r\n\"red, hen\",\" big cat \"\r\ndog,pig\r\n");
    EXPECT_EQ(quoted.words, (QStringList{"red, hen", "big cat", "dog", "pig"}));  // blanks around go
}

TEST_F(WordListFile, EndItemStopsTheWordsAndIsNotKept) {
    const ClozeWordListLoad r = load("*WORDLIST*\r\nhen\r\ncat\r\ndog\r\npig\r\n*End*\r\nfox\r\n\"unclosed");
    EXPECT_EQ(r.outcome, ClozeWordListLoad::Loaded);
    EXPECT_EQ(r.words, (QStringList{"hen", "cat", "dog", "pig"}));

    // Without an end item the last word is kept once.
    EXPECT_EQ(load("*WORDLIST*\r\nhen\r\ncat\r\ndog\r\npig").words, (QStringList{"hen", "cat", "dog", "pig"}));
}

TEST_F(WordListFile, OnlyRealWordsOfThreeLettersOrMoreCountTowardFour) {
    const struct {
        const char* content;
        int words;
    } cases[] = {
        {"*WORDLIST*\r\nhen\r\ncat\r\ndog\r\n*END*\r\n", 3},
        {"*WORDLIST*\r\nhen\r\ncat\r\ndog\r\n", 3},
        {"*WORDLIST*\r\na, an, to, up, I, hen, cat, dog, pig", 4},
        {"*WORDLIST*\r\na, an, to, up, I\r\n", 0},
        {"*WORDLIST*\r\n", 0},
        {"", 0},
    };
    for (const auto& c : cases) {
        const ClozeWordListLoad r = load(c.content);
        EXPECT_EQ(r.words.size(), c.words) << c.content;
        EXPECT_EQ(r.outcome, c.words >= 4 ? ClozeWordListLoad::Loaded : ClozeWordListLoad::TooFewWords)
            << c.content;
    }
}

TEST_F(WordListFile, WordsAreStoredInLowerCase) {
    EXPECT_EQ(load("*WORDLIST*\r\nHEN,CAT,DOG,\xC9T\xC9").words, (QStringList{"hen", "cat", "dog", "été"}));
}

TEST_F(WordListFile, MessagesNameThePathAndTheFault) {
    const QString path = write("hen, cat, dog, pig, fox\r\n*WORDLIST*\r\n");
    const ClozeWordListLoad refused = ReadClozeWordList(path);
    EXPECT_EQ(refused.outcome, ClozeWordListLoad::NotSuitable);
    EXPECT_EQ(refused.message, "The file\r\n\r\n" + path + "\r\n\r\nis not a suitable wordlist file.");

    // A missing file reads as too few words, not as a failed load.
    const QString missing = dir.file("WORDLIST/NONE.TXT");
    const ClozeWordListLoad none = ReadClozeWordList(missing);
    EXPECT_EQ(none.outcome, ClozeWordListLoad::TooFewWords);
    EXPECT_EQ(none.message, "The file\r\n\r\n" + missing + "\r\n\r\ndoes not contain enough words.");

    EXPECT_EQ(ClozeWordListMessage(ClozeWordListLoad::Unreadable, path), "Unable to load the file\r\n\r\n" + path);
    EXPECT_EQ(ClozeWordListMessage(ClozeWordListLoad::Loaded, path), "");
}

TEST(DecideClozeWordList, RefusalThenTooFewThenFailure) {
    using S = WordListItems;
    using O = ClozeWordListLoad;
    EXPECT_EQ(DecideClozeWordList(S::NotAWordList, 10), O::NotSuitable);
    EXPECT_EQ(DecideClozeWordList(S::Unreadable, 3), O::TooFewWords);
    EXPECT_EQ(DecideClozeWordList(S::Unreadable, 4), O::Unreadable);
    EXPECT_EQ(DecideClozeWordList(S::NoHeader, 0), O::TooFewWords);
    EXPECT_EQ(DecideClozeWordList(S::Read, 4), O::Loaded);
}

TEST_F(WordListFile, ItemReaderKeepsTheFileCaseForOtherFilters) {
    const WordListItems items = ReadWordListItems(write("*WORDLIST*\r\n Ox , \"A b\",,Fox\r\n*END*\r\nzzz"));
    EXPECT_EQ(items.state, WordListItems::Read);
    EXPECT_EQ(items.items, (QStringList{"Ox", "A b", "", "Fox"}));
    EXPECT_EQ(ReadWordListItems(write("")).state, WordListItems::NoHeader);
    EXPECT_EQ(ReadWordListItems(write("words\r\n")).state, WordListItems::NotAWordList);
    EXPECT_EQ(ReadWordListItems(dir.file("missing.txt")).state, WordListItems::Unreadable);
}

TEST_F(WordListFile, LoadWordListShowsTheMessageInAnExclamationBox) {
    testsupport::ScopedDialogs boxes;
    boxes.answer(mb::OK);
    QStringList words{"old"};
    const QString path = write("*WORDLIST*\r\nhen\r\n");
    EXPECT_FALSE(LoadWordList(path, words));
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    const auto box = boxes.msgBoxes()[0];
    EXPECT_EQ(box.text, "The file\r\n\r\n" + path + "\r\n\r\ndoes not contain enough words.");
    EXPECT_EQ(box.buttons(), mb::OKOnly);
    EXPECT_EQ(box.icon(), mb::Exclamation);
    EXPECT_EQ(mouse::pointer(), mouse::Default);

    EXPECT_TRUE(LoadWordList(write("*WORDLIST*\r\nhen,cat,dog,pig"), words));
    EXPECT_EQ(words, (QStringList{"hen", "cat", "dog", "pig"}));
    EXPECT_EQ(boxes.msgBoxes().size(), 1u);
}

}  // namespace
