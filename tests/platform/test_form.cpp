#include <QApplication>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/Form.h"
#include "platform/Journal.h"
#include "platform/Screen.h"
#include "support/TestEnv.h"

namespace {

// Records its events; handlers can be given behaviour per test.
class TestForm : public Form {
public:
    explicit TestForm(const QString& name = QStringLiteral("frmTest"), QWidget* parent = nullptr)
        : Form(name, parent) {}

    QStringList events;
    int queryCancel = 0;
    int unloadCancel = 0;
    int lastUnloadMode = -1;
    std::function<void()> onLoad;
    std::function<void()> onActivate;
    std::function<void()> onUnload;

    int count(const QString& e) const { return int(events.count(e)); }

protected:
    void Form_Load() override {
        events << QString::fromLatin1(isVisible() ? "Load(visible)" : "Load");
        if (onLoad)
            onLoad();
    }
    void Form_Activate() override {
        events << QStringLiteral("Activate");
        if (onActivate)
            onActivate();
    }
    void Form_Deactivate() override { events << QStringLiteral("Deactivate"); }
    void Form_Resize() override { events << QStringLiteral("Resize"); }
    void Form_QueryUnload(int& cancel, int unloadMode) override {
        events << QStringLiteral("QueryUnload");
        lastUnloadMode = unloadMode;
        cancel = queryCancel;
    }
    void Form_Unload(int& cancel) override {
        events << QStringLiteral("Unload");
        cancel = unloadCancel;
        if (onUnload)
            onUnload();
    }
};

void processDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Lets the posted first activation and any window-system events through.
void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

class FormTest : public ::testing::Test {
protected:
    void TearDown() override {
        settle();
        processDeferredDeletes();
    }
};

TEST_F(FormTest, LoadRunsOnceBeforeTheFirstShowAndNeverFromTheConstructor) {
    QPointer<TestForm> f = new TestForm;
    EXPECT_TRUE(f->events.isEmpty());
    EXPECT_FALSE(f->isLoaded());

    f->Load();
    f->Load();
    f->Show();
    f->Hide();
    f->Show();
    EXPECT_EQ(f->count("Load"), 1);
    EXPECT_EQ(f->count("Load(visible)"), 0);
    EXPECT_TRUE(f->isLoaded());
    f->Unload();
}

TEST_F(FormTest, ShowingThroughQWidgetStillLoadsFirst) {
    QPointer<TestForm> f = new TestForm;
    f->show();
    EXPECT_EQ(f->events.value(0), "Load");
    f->Unload();
}

TEST_F(FormTest, FirstActivateFiresAfterTheFirstShowOnce) {
    QPointer<TestForm> f = new TestForm;
    f->Show();
    // Not during Show itself: the activation is posted.
    EXPECT_EQ(f->count("Activate"), 0);
    settle();
    EXPECT_EQ(f->count("Activate"), 1);
    // Load, then Resize, then Activate, as the original forms do.
    ASSERT_GE(f->events.size(), 2);
    EXPECT_EQ(f->events.first(), "Load");
    EXPECT_EQ(f->events.last(), "Activate");
    EXPECT_LT(f->events.indexOf("Resize"), f->events.indexOf("Activate"));
    f->Unload();
}

TEST_F(FormTest, ChildFormActivatesWhenShownInsideAVisibleParent) {
    QWidget parent;
    parent.resize(400, 300);
    parent.show();
    settle();
    QPointer<TestForm> child = new TestForm(QStringLiteral("frmChild"), &parent);
    child->Show();
    settle();
    EXPECT_EQ(child->count("Activate"), 1);
    child->Unload();
    processDeferredDeletes();
    EXPECT_TRUE(child.isNull());
}

TEST_F(FormTest, ActivateFiresAgainWhenAnotherFormHadBeenActive) {
    QPointer<TestForm> a = new TestForm(QStringLiteral("frmA"));
    QPointer<TestForm> b = new TestForm(QStringLiteral("frmB"));
    a->Show();
    settle();
    b->Show();
    settle();
    QApplication::setActiveWindow(a);  // what the window system does when the user clicks A
    settle();
    EXPECT_EQ(a->count("Activate"), 2) << a->events.join(' ').toStdString();
    EXPECT_EQ(a->count("Deactivate"), 1);
    EXPECT_EQ(b->count("Activate"), 1);
    a->Unload();
    b->Unload();
}

TEST_F(FormTest, ResizeFiresForSizeChangesOnceLoaded) {
    QPointer<TestForm> f = new TestForm;
    f->Show();
    settle();
    const int before = f->count("Resize");
    f->resize(f->width() + 50, f->height() + 20);
    EXPECT_EQ(f->count("Resize"), before + 1);
    f->Unload();
}

TEST_F(FormTest, QueryUnloadOrUnloadCancelKeepsTheForm) {
    for (const bool inQuery : {true, false}) {
        SCOPED_TRACE(inQuery ? "QueryUnload cancels" : "Unload cancels");
        QPointer<TestForm> f = new TestForm;
        f->Show();
        (inQuery ? f->queryCancel : f->unloadCancel) = 1;
        EXPECT_FALSE(f->Unload(unload::FormCode));
        EXPECT_FALSE(f->isUnloaded());
        EXPECT_TRUE(f->isVisible());
        EXPECT_EQ(f->count("Unload"), inQuery ? 0 : 1);
        processDeferredDeletes();
        ASSERT_FALSE(f.isNull());

        f->queryCancel = f->unloadCancel = 0;
        EXPECT_TRUE(f->Unload(unload::FormCode));
        EXPECT_TRUE(f->isUnloaded());
        EXPECT_FALSE(f->isVisible());
        processDeferredDeletes();
        EXPECT_TRUE(f.isNull());
    }
}

TEST_F(FormTest, CloseBoxRunsUnloadWithModeZeroAndMayBeCancelled) {
    QPointer<TestForm> f = new TestForm;
    f->Show();
    f->queryCancel = 1;
    EXPECT_FALSE(f->close());
    EXPECT_EQ(f->lastUnloadMode, unload::FormControlMenu);
    EXPECT_TRUE(f->isVisible());
    EXPECT_FALSE(f->isUnloaded());

    f->queryCancel = 0;
    EXPECT_TRUE(f->close());
    EXPECT_TRUE(f->isUnloaded());
    EXPECT_EQ(f->count("QueryUnload"), 2);
    EXPECT_EQ(f->count("Unload"), 1);
    processDeferredDeletes();
    EXPECT_TRUE(f.isNull());
}

TEST_F(FormTest, UnloadInsideItsOwnHandlerIsSafe) {
    // A button handler unloads its own form and then goes on using it, as the original code does.
    QPointer<TestForm> f = new TestForm;
    auto* button = new QPushButton(QStringLiteral("Exit"), f);
    bool unloadedInHandler = false;
    QObject::connect(button, &QPushButton::clicked, f, [&] {
        f->Unload();
        unloadedInHandler = f->isUnloaded();
        f->events << QStringLiteral("after Unload");  // the object is still there
        f->Unload();                                 // a second Unload does nothing
    });
    f->Show();
    settle();
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_TRUE(unloadedInHandler);
    ASSERT_FALSE(f.isNull());
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->count("Unload"), 1);
    EXPECT_EQ(f->events.last(), "after Unload");

    // An unloaded form stays unloaded and hears nothing more.
    const QStringList seen = f->events;
    f->Show();
    f->show();
    f->resize(500, 500);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->events, seen);

    settle();
    processDeferredDeletes();
    EXPECT_TRUE(f.isNull());
}

TEST_F(FormTest, UnloadInsideActivateDeletesTheFormOnceTheHandlerHasReturned) {
    QPointer<TestForm> f = new TestForm;
    bool aliveAfterUnload = false;
    f->onActivate = [&] {
        f->Unload();
        aliveAfterUnload = !f.isNull() && f->isUnloaded();
    };
    f->Show();
    settle();
    processDeferredDeletes();
    EXPECT_TRUE(aliveAfterUnload);
    EXPECT_TRUE(f.isNull());
}

TEST_F(FormTest, UnloadInsideLoadMeansTheFormIsNeverShown) {
    QPointer<TestForm> f = new TestForm;
    f->onLoad = [&] { f->Unload(); };
    f->Show();
    ASSERT_FALSE(f.isNull());
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(f->isUnloaded());
    EXPECT_EQ(f->events, QStringList({"Load", "QueryUnload", "Unload"}));
}

TEST_F(FormTest, UnloadOfAFormNeverLoadedRunsNoHandler) {
    QPointer<TestForm> f = new TestForm;
    EXPECT_TRUE(f->Unload());
    EXPECT_TRUE(f->events.isEmpty());
    processDeferredDeletes();
    EXPECT_TRUE(f.isNull());
}

TEST_F(FormTest, ModalShowReturnsWhenTheFormUnloadsItselfFromATimer) {
    QPointer<TestForm> f = new TestForm(QStringLiteral("frmModal"));
    bool safetyFired = false;
    f->onLoad = [&] { QTimer::singleShot(30, f, [&] { f->Unload(); }); };
    // If Show never returns, this ends the loop and the test fails instead of hanging.
    QTimer::singleShot(5000, [&] {
        safetyFired = true;
        if (f)
            f->Hide();
    });
    f->Show(true);
    EXPECT_FALSE(safetyFired);
    ASSERT_FALSE(f.isNull());  // deleted only later, when the caller's loop runs again
    EXPECT_TRUE(f->isUnloaded());
    processDeferredDeletes();
    EXPECT_TRUE(f.isNull());
}

TEST_F(FormTest, ModalShowReturnsWhenTheFormIsHidden) {
    QPointer<TestForm> f = new TestForm(QStringLiteral("frmModal"));
    bool safetyFired = false;
    QTimer::singleShot(30, f, [&] { f->Hide(); });
    QTimer::singleShot(5000, [&] {
        safetyFired = true;
        if (f)
            f->Unload();
    });
    f->Show(true);
    EXPECT_FALSE(safetyFired);
    ASSERT_FALSE(f.isNull());
    EXPECT_FALSE(f->isUnloaded());
    EXPECT_TRUE(f->isLoaded());
    f->Unload();
}

TEST_F(FormTest, ShowAndUnloadAreJournalled) {
    testsupport::TempDir dir;
    const QString path = dir.file("journal.txt");
    qputenv("KESTROW_JOURNAL", path.toLocal8Bit());
    journal::reset();

    QPointer<TestForm> f = new TestForm(QStringLiteral("frmMenu"));
    f->setCaption(QStringLiteral("Main menu"));
    f->Show();
    f->Unload();

    qunsetenv("KESTROW_JOURNAL");
    journal::reset();
    const QList<QByteArray> lines = dir.read("journal.txt").split('\n');
    ASSERT_EQ(lines.size(), 3);  // two lines and the end of the last
    EXPECT_TRUE(lines[0].endsWith("\tshow\tfrmMenu\tMain menu")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].endsWith("\tunload\tfrmMenu")) << lines[1].toStdString();
}

TEST_F(FormTest, TwipsFollowTheScreensTwipsPerPixel) {
    screen::setOverride(800, 600, 96);
    QWidget parent;
    parent.resize(800, 600);
    auto* child = new TestForm(QStringLiteral("frmChild"), &parent);
    child->moveTwips(1500, 3000, 9600, 6630);
    EXPECT_EQ(child->pos(), QPoint(100, 200));
    EXPECT_EQ(child->size(), QSize(640, 442));
    EXPECT_EQ(child->twipsLeft(), 1500);
    EXPECT_EQ(child->twipsTop(), 3000);
    EXPECT_EQ(child->twipsWidth(), 9600);
    EXPECT_EQ(child->scaleHeight(), 442 * 15);

    child->moveTwips(0, 0, -1, 1500);  // a negative size keeps that dimension
    EXPECT_EQ(child->size(), QSize(640, 100));

    screen::setOverride(800, 600, 120);
    EXPECT_EQ(child->twipsWidth(), 640 * 12);
    screen::clearOverride();
}

TEST_F(FormTest, WindowOuterSizeIncludesTheFrame) {
    screen::setOverride(800, 600, 96);
    QPointer<TestForm> f = new TestForm;
    f->Show();
    settle();
    f->moveTwips(1500, 1500, 6000, 4500);
    settle();
    const int frameW = f->frameGeometry().width() - f->width();
    EXPECT_EQ(f->twipsWidth(), 6000);
    EXPECT_EQ(f->scaleWidth(), 6000 - frameW * 15);
    EXPECT_EQ(f->twipsHeight(), 4500);
    f->Unload();
    screen::clearOverride();
}

}  // namespace
