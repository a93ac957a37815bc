#include <gtest/gtest.h>

#include <random>

#include "platform/ItemInput.h"
#include "support/TestEnv.h"

using testsupport::TempDir;

namespace {

std::vector<QByteArray> itemsOf(const QByteArray& content) {
    ItemInput in(content);
    std::vector<QByteArray> items;
    QByteArray item;
    while (in.nextBytes(item))
        items.push_back(item);
    EXPECT_TRUE(in.atEnd());
    EXPECT_FALSE(in.nextBytes(item));  // and stays at the end
    return items;
}

using Items = std::vector<QByteArray>;

TEST(ItemInput, CutsItemsByTheRules) {
    struct Case {
        const char* name;
        QByteArray content;
        Items items;
    };
    const Case cases[] = {
        {"empty input", "", {}},
        {"only blanks and line ends", "  \t\r\n \r\n\n", {}},
        {"commas and line ends", "cat,dog\r\nhat", {"cat", "dog", "hat"}},
        {"blanks around plain items", "  cat  ,\t dog \t\r\n  hat  ", {"cat", "dog", "hat"}},
        {"inner blanks stay", "big  red dog", {"big  red dog"}},
        {"quoted item holds commas", "\"a, b, c\",d", {"a, b, c", "d"}},
        {"quoted item keeps its blanks", "\"  a  \"", {"  a  "}},
        {"quoted item spans lines", "\"line 1\r\nline 2\r\n\"\r\nnext", {"line 1\r\nline 2\r\n", "next"}},
        {"text after closing quote is dropped", "\"abc\"xyz, next", {"abc", "next"}},
        {"text after closing quote to line end", "\"abc\" xyz \r\nnext", {"abc", "next"}},
        {"quote inside a plain item is data", "ab\"c,d", {"ab\"c", "d"}},
        {"empty quoted item", "\"\",x", {"", "x"}},
        {"unclosed quote runs to the end", "\"abc, def\r\nghi", {"abc, def\r\nghi"}},
        {"lone LF", "a\nb\nc", {"a", "b", "c"}},
        {"lone CR", "a\rb\rc", {"a", "b", "c"}},
        {"CR LF is one line end", "a\r\nb\r\n", {"a", "b"}},
        {"blank line reads an empty item", "a\r\n\r\nb", {"a", "", "b"}},
        {"blank line with blanks", "a\r\n   \r\nb", {"a", "", "b"}},
        {"two commas give an empty item", "a,,b", {"a", "", "b"}},
        {"comma then line end", "a,\r\nb", {"a", "", "b"}},
        {"trailing blank lines give nothing", "a\r\n\r\n\r\n  \r\n", {"a"}},
        {"Ctrl-Z and NUL are data", QByteArray("a\x1a" "b,\0c", 6), {QByteArray("a\x1a" "b"), QByteArray("\0c", 2)}},
        {"high bytes are data", "caf\xe9,\x93x\x94", {"caf\xe9", "\x93x\x94"}},
        {"a byte-order mark at the start is skipped", "\xEF\xBB\xBF*WORDLIST*,cat", {"*WORDLIST*", "cat"}},
        {"a byte-order mark alone is no item", "\xEF\xBB\xBF\r\n", {}},
        {"a byte-order mark later is data", "a,\xEF\xBB\xBF" "b", {"a", "\xEF\xBB\xBF" "b"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(itemsOf(c.content), c.items) << c.name;
}

TEST(ItemInput, BookFileRecordsOnePerLine) {
    const QByteArray content =
        "\"QUORRIN DATA FILE.\"\r\n"
        "\"header, with comma\r\nsecond field\"\r\n"
        "\"frame 1\"\r\n";
    ItemInput in(content);
    QString item;
    ASSERT_TRUE(in.next(item));
    EXPECT_EQ(item, QStringLiteral("QUORRIN DATA FILE."));
    ASSERT_TRUE(in.next(item));
    EXPECT_EQ(item, QStringLiteral("header, with comma\r\nsecond field"));
    EXPECT_FALSE(in.atEnd());
    ASSERT_TRUE(in.next(item));
    EXPECT_EQ(item, QStringLiteral("frame 1"));
    EXPECT_TRUE(in.atEnd());
    item = QStringLiteral("unchanged");
    EXPECT_FALSE(in.next(item));  // input past end of file
}

TEST(ItemInput, NextDecodesWindows1252) {
    ItemInput in(QByteArray("\x80 caf\xe9 \x93q\x94"));
    QString item;
    ASSERT_TRUE(in.next(item));
    EXPECT_EQ(item, QString::fromUtf8("€ café “q”"));
}

TEST(ItemInput, OpenReadsAFile) {
    TempDir tmp;
    tmp.write("WORDLIST/list.txt", "*WORDLIST*\r\ncat, dog\r\n*END*\r\n");
    auto in = ItemInput::open(tmp.path() + "/WORDLIST/list.txt");
    ASSERT_TRUE(in.has_value());
    QString item;
    std::vector<QString> items;
    while (in->next(item))
        items.push_back(item);
    EXPECT_EQ(items, (std::vector<QString>{"*WORDLIST*", "cat", "dog", "*END*"}));
    EXPECT_FALSE(ItemInput::open(tmp.path() + "/missing.txt").has_value());
    EXPECT_FALSE(ItemInput::open(tmp.path() + "/WORDLIST").has_value());
}

TEST(ItemInput, RandomBytesAlwaysProgressToTheEnd) {
    // Every successful next() must consume input; the item is never longer than the input.
    std::mt19937 gen(7);
    const char alphabet[] = {'"', ',', '\r', '\n', ' ', '\t', 'a', '\x1a', '\0', '\xff'};
    for (int round = 0; round < 2000; ++round) {
        QByteArray content;
        const int len = static_cast<int>(gen() % 64);
        for (int i = 0; i < len; ++i)
            content.append(alphabet[gen() % sizeof alphabet]);
        ItemInput in(content);
        QByteArray item;
        int count = 0;
        while (in.nextBytes(item)) {
            ASSERT_LE(item.size(), content.size());
            ASSERT_LE(++count, content.size() + 1) << "no progress on " << content.toHex().constData();
        }
        EXPECT_TRUE(in.atEnd());
    }
}

}  // namespace
