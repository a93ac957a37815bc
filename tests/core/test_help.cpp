// The help window behind every Help menu, and our own help file's topics.
#include <QRegularExpression>
#include <QSet>

#include "StartupFixture.h"
#include "core/frmKest.h"
#include "platform/Help.h"

using namespace startuptest;

namespace {

QString ourHelpFile() { return testsupport::sourceDir() + QStringLiteral("/data/help/Reader.html"); }

QByteArray ourHelp() {
    QFile f(ourHelpFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class HelpWindow : public testsupport::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        // Stored in another letter case than the programs ask for.
        dir.write(QStringLiteral("READER.HTML"), ourHelp());
        // As the programs pass it: a Windows-style name with a NUL after it.
        file = dir.path() + QStringLiteral("\\Reader.hlp") + QChar(0);
    }
    testsupport::TempDir dir;
    QString file;
};

TEST_F(HelpWindow, AContextOpensTheFileAtItsTopic) {
    Help(file, help::Context, 80);
    ASSERT_NE(help::window(), nullptr);
    EXPECT_TRUE(help::window()->isVisible());
    EXPECT_EQ(help::shownFile(), dir.file(QStringLiteral("READER.HTML")));
    EXPECT_EQ(help::shownAnchor(), QStringLiteral("topic-80"));
    EXPECT_FALSE(help::findBoxShown());
    EXPECT_EQ(help::window()->windowTitle(), QStringLiteral("Kestrow Readers - Help"));
    EXPECT_EQ(journalOf(QStringLiteral("help")),
              QStringList{QStringLiteral("help\t") + journal::escape(dir.path() + QStringLiteral("\\Reader.hlp")) +
                          QStringLiteral("\t1\t80")});

    // The same window serves the next call.
    QWidget* first = help::window();
    Help(file, help::Contents, 0);
    EXPECT_EQ(help::window(), first);
    EXPECT_EQ(help::shownAnchor(), QString());
}

TEST_F(HelpWindow, SearchOpensTheFindBox) {
    Help(file, help::PartialKey, 0);
    ASSERT_NE(help::window(), nullptr);
    EXPECT_TRUE(help::findBoxShown());
    EXPECT_TRUE(help::find(QStringLiteral("pirate")));
    EXPECT_TRUE(help::find(QStringLiteral("PIRATE")));
    EXPECT_FALSE(help::find(QStringLiteral("xylophone")));
    Help(file, help::Context, 140);
    EXPECT_FALSE(help::findBoxShown());
}

TEST_F(HelpWindow, QuitClosesTheWindow) {
    Help(file, help::Context, 290);
    ASSERT_NE(help::window(), nullptr);
    Help(file, help::Quit, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(help::window(), nullptr);
    // Quit with no window and no file is no error.
    Help(QStringLiteral("/nowhere/Reader.hlp"), help::Quit, 0);
    EXPECT_TRUE(boxes.calls().empty());
}

TEST_F(HelpWindow, AMissingFileSaysSoAndTheProgramGoesOn) {
    boxes.answer(mb::OK);
    Help(QStringLiteral("/nowhere/SQPUP.HLP"), help::Contents, 0);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].title, QStringLiteral("Help"));
    EXPECT_TRUE(boxes.msgBoxes()[0].text.contains(QStringLiteral("/nowhere/SQPUP.HLP")));
    EXPECT_EQ(boxes.msgBoxes()[0].icon(), int(mb::Exclamation));
    EXPECT_EQ(help::window(), nullptr);
}

// A page of tens of megabytes would hold the program for minutes: past a sane size it is
// refused with a message, as a missing file is, and the program goes on. A page of a megabyte
// is still shown.
TEST_F(HelpWindow, AHelpPageFarTooLargeIsRefusedWithAMessage) {
    const QByteArray paragraph("<p>Press Hear to hear the page read aloud; every word is underlined.</p>\n");
    auto pageOf = [&](qint64 bytes) {
        QByteArray page = "<html><head><title>Big</title></head><body>";
        while (page.size() < bytes)
            page += paragraph;
        return page + "</body></html>";
    };
    dir.write(QStringLiteral("READER.HTML"), pageOf(3 * 1024 * 1024));
    boxes.answer(mb::OK);
    Help(file, help::Context, 90);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    const auto box = boxes.msgBoxes()[0];
    EXPECT_EQ(box.text, QStringLiteral("The help file\r\n") + dir.path() + QStringLiteral("\\Reader.hlp\r\n") +
                            QStringLiteral("is too large to be shown."));
    EXPECT_EQ(box.title, QStringLiteral("Help"));
    EXPECT_EQ(box.icon(), int(mb::Exclamation));
    EXPECT_EQ(help::window(), nullptr);
    EXPECT_EQ(journalOf(QStringLiteral("help")).size(), 1);

    dir.write(QStringLiteral("READER.HTML"), pageOf(1024 * 1024));
    Help(file, help::Context, 90);
    ASSERT_NE(help::window(), nullptr);
    EXPECT_EQ(help::window()->windowTitle(), QStringLiteral("Big"));
    EXPECT_EQ(boxes.msgBoxes().size(), 1u);
}

TEST_F(HelpWindow, TheFramesItemsUseTheProgramsHelpFile) {
    gProgramRoot = dir.path();
    auto* f = new frmKest;
    f->mnuHelpContents_Click();
    f->mnuHelpSearch_Click();
    EXPECT_EQ(journalOf(QStringLiteral("help")),
              (QStringList{QStringLiteral("help\t") + dir.path() + QStringLiteral("/Reader.hlp\t3\t0"),
                           QStringLiteral("help\t") + dir.path() + QStringLiteral("/Reader.hlp\t261\t0")}));
    EXPECT_TRUE(help::findBoxShown());
    delete f;
}

// Every topic number a window asks for has its section, and every contents entry leads to one.
TEST(HelpFile, HasASectionForEveryTopicTheWindowsUse) {
    const QString html = QString::fromUtf8(ourHelp());
    ASSERT_FALSE(html.isEmpty()) << ourHelpFile().toStdString();
    QSet<int> anchors;
    const QRegularExpression name(QStringLiteral("name=\"topic-(\\d+)\""));
    for (auto it = name.globalMatch(html); it.hasNext();)
        anchors.insert(it.next().captured(1).toInt());
    for (int topic : {10, 80, 90, 100, 110, 130, 140, 150, 160, 170, 200, 285, 290})
        EXPECT_TRUE(anchors.contains(topic)) << topic;
    const QRegularExpression link(QStringLiteral("href=\"#topic-(\\d+)\""));
    for (auto it = link.globalMatch(html); it.hasNext();) {
        const int target = it.next().captured(1).toInt();
        EXPECT_TRUE(anchors.contains(target)) << target;
    }
}
