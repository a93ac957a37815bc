// The help window behind every Help menu, and our own help file's topics.
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBrowser>

#include "StartupFixture.h"
#include "core/frmKest.h"
#include "platform/Help.h"
#include "support/Press.h"

using testsupport::choose;

using namespace startuptest;

namespace {

QString ourHelpFile() { return testsupport::sourceDir() + QStringLiteral("/data/help/Reader.html"); }

QByteArray ourHelp() {
    QFile f(ourHelpFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A page of at least the given size, with the title "Big".
QByteArray pageOf(qint64 bytes) {
    const QByteArray paragraph("<p>Press Hear to hear the page read aloud; every word is underlined.</p>\n");
    QByteArray page = "<html><head><title>Big</title></head><body>";
    while (page.size() < bytes)
        page += paragraph;
    return page + "</body></html>";
}

QTextBrowser* browserOf(QWidget* window) { return window ? window->findChild<QTextBrowser*>() : nullptr; }

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
    // It names the file looked for, not the name the program asked for.
    EXPECT_EQ(boxes.msgBoxes()[0].text, QStringLiteral("The help file\r\n/nowhere/SQPUP.html\r\ncannot be found."));
    EXPECT_EQ(boxes.msgBoxes()[0].icon(), int(mb::Exclamation));
    EXPECT_EQ(help::window(), nullptr);
}

// A page of tens of megabytes would hold the program for minutes: past a sane size it is
// refused with a message, as a missing file is, and the program goes on. A page of a megabyte
// is still shown.
TEST_F(HelpWindow, AHelpPageFarTooLargeIsRefusedWithAMessage) {
    dir.write(QStringLiteral("READER.HTML"), pageOf(3 * 1024 * 1024));
    boxes.answer(mb::OK);
    Help(file, help::Context, 90);
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    const auto box = boxes.msgBoxes()[0];
    EXPECT_EQ(box.text, QStringLiteral("The help file\r\n") + dir.file(QStringLiteral("READER.HTML")) +
                            QStringLiteral("\r\nis too large to be shown."));
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

// The help window follows a link by itself (here by the keyboard: Tab to the link, Enter): a
// page it leads to passes the same check as a help call's, and a refused one leaves the page
// that was shown.
TEST_F(HelpWindow, ALinkToAPageThatCannotBeShownIsRefusedWithAMessage) {
    struct Case {
        const char* what;
        const char* target;
        qint64 size;  // < 0: no such file
        const char* says;
    } cases[] = {
        {"far too large", "big.html", 2 * 1024 * 1024 + 1, "is too large to be shown."},
        {"missing", "gone.html", -1, "cannot be found."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString target = QString::fromLatin1(c.target);
        dir.write(QStringLiteral("READER.HTML"), "<html><head><title>Start</title></head><body><p>See <a href=\"" +
                                                     QByteArray(c.target) + "\">more</a>.</p></body></html>");
        if (c.size >= 0)
            dir.write(target, pageOf(c.size));
        Help(file, help::Contents, 0);
        QTextBrowser* browser = browserOf(help::window());
        ASSERT_NE(browser, nullptr);
        const QUrl start = browser->source();
        boxes.answer(mb::OK);
        QTest::keyClick(browser, Qt::Key_Tab);
        QTest::keyClick(browser, Qt::Key_Return);
        testsupport::settle();
        ASSERT_EQ(boxes.msgBoxes().size(), 1u);
        EXPECT_EQ(boxes.msgBoxes()[0].text, QStringLiteral("The help file\r\n") + dir.file(target) +
                                                QStringLiteral("\r\n") + QLatin1String(c.says));
        EXPECT_EQ(browser->source(), start);
        EXPECT_EQ(help::shownFile(), dir.file(QStringLiteral("READER.HTML")));
        EXPECT_EQ(help::window()->windowTitle(), QStringLiteral("Start"));
        Help(file, help::Quit, 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        boxes.clear();
    }
}

// A link to a page that may be shown is followed; going back (Alt+Left) loads the page again,
// and checks it again.
TEST_F(HelpWindow, ALinkIsFollowedAndGoingBackChecksThePageAgain) {
    dir.write(QStringLiteral("READER.HTML"),
              "<html><head><title>Start</title></head><body><p>See <a href=\"next.html\">more</a>.</p></body></html>");
    dir.write(QStringLiteral("next.html"), "<html><head><title>Next</title></head><body><p>Next.</p></body></html>");
    Help(file, help::Contents, 0);
    QTextBrowser* browser = browserOf(help::window());
    ASSERT_NE(browser, nullptr);
    QTest::keyClick(browser, Qt::Key_Tab);
    QTest::keyClick(browser, Qt::Key_Return);
    testsupport::settle();
    EXPECT_TRUE(boxes.calls().empty());
    EXPECT_EQ(help::shownFile(), dir.file(QStringLiteral("next.html")));
    EXPECT_EQ(help::window()->windowTitle(), QStringLiteral("Next"));

    dir.write(QStringLiteral("READER.HTML"), pageOf(2 * 1024 * 1024 + 1));
    boxes.answer(mb::OK);
    QTest::keyClick(browser, Qt::Key_Left, Qt::AltModifier);
    testsupport::settle();
    ASSERT_EQ(boxes.msgBoxes().size(), 1u);
    EXPECT_EQ(boxes.msgBoxes()[0].text, QStringLiteral("The help file\r\n") + dir.file(QStringLiteral("READER.HTML")) +
                                            QStringLiteral("\r\nis too large to be shown."));
    EXPECT_FALSE(browser->toPlainText().contains(QStringLiteral("Press Hear")));
}

TEST_F(HelpWindow, TheFramesItemsUseTheProgramsHelpFile) {
    gProgramRoot = dir.path();
    auto* f = new frmKest;
    choose(f->mnuHelpContents);
    choose(f->mnuHelpSearch);
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
