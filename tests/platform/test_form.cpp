#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <tuple>

#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/FileDialogs.h"
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

// Every kind of modal window, once closed, leaves the keys with the window that opened it, on
// the control that had them. Offscreen, as without a window manager, nobody else gives them back.
TEST_F(FormTest, AModalWindowGivesTheFocusBackToTheWindowThatOpenedIt) {
    QPointer<Form> opener = new Form(QStringLiteral("frmOpener"));
    auto* layout = new QVBoxLayout(opener);
    layout->addWidget(new QPushButton(QStringLiteral("One"), opener));
    auto* second = new QPushButton(QStringLiteral("Two"), opener);
    layout->addWidget(second);
    opener->resize(200, 120);
    opener->Show();
    opener->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(opener));
    second->setFocus();
    struct Case {
        const char* name;
        std::function<void()> open;
    };
    const Case cases[] = {
        {"modal form",
         [] {
             auto* f = new Form(QStringLiteral("frmModal"));
             f->resize(100, 80);
             f->Show(true);
         }},
        {"message box", [] { realDialogs().msgBox(QStringLiteral("Saved."), mb::OKOnly, QStringLiteral("T")); }},
        {"input box", [] { realDialogs().inputBox(QStringLiteral("Name?"), QStringLiteral("T"), QString(), -1, -1); }},
        {"file dialog", [] { realFileDialogs().openFile(FileDialogRequest{}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Closed as its close box closes it, once it is up.
        QTimer closer;
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, [] {
            if (QWidget* modal = QApplication::activeModalWidget())
                modal->close();
        });
        closer.start();
        c.open();
        closer.stop();
        settle();
        EXPECT_EQ(QApplication::activeWindow(), opener.data());
        EXPECT_EQ(QApplication::focusWidget(), second);
    }
    opener->Unload();
}

// A modal window that no window opened (the name asked at start-up, before the program's window
// shows) has none to give the keys back to; with no window manager to choose one, the next
// window shown takes them.
TEST_F(FormTest, AWindowShownWhileNoneHasTheKeysTakesThem) {
    auto* asked = new Form(QStringLiteral("frmAsked"));
    asked->resize(100, 80);
    QTimer::singleShot(50, asked, [asked] { asked->Unload(); });
    asked->Show(true);
    settle();
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    QPointer<Form> next = new Form(QStringLiteral("frmNext"));
    next->resize(200, 120);
    next->Show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(next));
    next->Unload();
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

// ---- keys ----

// A form that writes down what its key preview hears; a handler may change the key.
class KeyForm : public Form {
public:
    explicit KeyForm(QStringList* log, const QString& name = QStringLiteral("frmKeys"), QWidget* parent = nullptr)
        : Form(name, parent), log_(log) {
        setKeyPreview(true);
    }
    std::function<void(int&, int)> onKeyDown;
    std::function<void(int&)> onKeyPress;

protected:
    void Form_KeyDown(int& keyCode, int shift) override {
        *log_ << QString("%1 down %2 %3").arg(formName()).arg(keyCode).arg(shift);
        if (onKeyDown)
            onKeyDown(keyCode, shift);
    }
    void Form_KeyPress(int& keyAscii) override {
        *log_ << QString("%1 press %2").arg(formName()).arg(keyAscii);
        if (onKeyPress)
            onKeyPress(keyAscii);
    }

private:
    QStringList* log_;
};

// A button that writes down the keys it is given (it acts on none of them but Space).
class KeyButton : public QPushButton {
public:
    KeyButton(QStringList* log, QWidget* parent) : QPushButton(QStringLiteral("button"), parent), log_(log) {}

protected:
    void keyPressEvent(QKeyEvent* e) override {
        *log_ << QString("button %1").arg(keyCodeOf(e));
        QPushButton::keyPressEvent(e);
    }

private:
    QStringList* log_;
};

// The frmKeys form: a text box, and a button inside a panel.
struct KeyWindow {
    explicit KeyWindow(QStringList* log) {
        form = new KeyForm(log);
        auto* panel = new QWidget(form);
        panel->setGeometry(0, 40, 200, 40);
        button = new KeyButton(log, panel);
        box = new TextBox(form);
        box->setGeometry(0, 0, 200, 30);
        box->KeyDown = [log](int& k, int s) { *log << QString("box down %1 %2").arg(k).arg(s); };
        box->KeyPress = [log](int& k) { *log << QString("box press %1").arg(k); };
        form->resize(300, 200);
        form->Show();
        settle();
    }
    ~KeyWindow() {
        if (form)
            form->Unload();
    }
    QPointer<KeyForm> form;
    KeyButton* button;
    TextBox* box;
};

// Without the modifier keys' own KeyDown.
QStringList withoutModifiers(const QStringList& log) {
    QStringList out;
    for (const QString& e : log)
        if (!e.contains(" down 16 ") && !e.contains(" down 17 ") && !e.contains(" down 18 "))
            out << e;
    return out;
}

TEST_F(FormTest, KeyPreviewHearsEveryControlsKeysFirstAndOnce) {
    QStringList log;
    KeyWindow w(&log);
    // The button leaves the letter alone; it comes back up to the form, which heard it already.
    QTest::keyClick(w.button, Qt::Key_A);
    EXPECT_EQ(log, (QStringList{"frmKeys down 65 0", "frmKeys press 97", "button 65"}));
    log.clear();
    QTest::keyClick(w.box, 'B', Qt::ShiftModifier);
    EXPECT_EQ(withoutModifiers(log),
              (QStringList{"frmKeys down 66 1", "box down 66 1", "frmKeys press 66", "box press 66"}));
    EXPECT_EQ(w.box->Text(), "B");
    log.clear();
    // The form itself, with the focus on nothing inside it.
    QTest::keyClick(w.form, Qt::Key_F5);
    EXPECT_EQ(log, QStringList{"frmKeys down 116 0"});
    log.clear();
    // A control made later is the form's too.
    auto* later = new KeyButton(&log, w.button->parentWidget());
    QTest::keyClick(later, Qt::Key_Escape);
    EXPECT_EQ(log, (QStringList{"frmKeys down 27 0", "frmKeys press 27", "button 27"}));
    log.clear();
    w.form->setKeyPreview(false);
    QTest::keyClick(w.box, Qt::Key_C);
    EXPECT_EQ(log, (QStringList{"box down 67 0", "box press 99"}));
}

TEST_F(FormTest, AKeyTheFormSetsToZeroGoesNoFurther) {
    QStringList log;
    KeyWindow w(&log);
    w.form->onKeyDown = [](int& k, int) {
        if (k == 'D' || k == keycode::Space)
            k = 0;
    };
    w.form->onKeyPress = [](int& k) {
        if (k == 'x')
            k = 0;
    };
    QTest::keyClick(w.box, Qt::Key_D);  // the box hears no KeyDown, but the character follows
    QTest::keyClick(w.box, Qt::Key_X);  // the box hears no KeyPress and shows nothing
    EXPECT_EQ(w.box->Text(), "d");
    EXPECT_EQ(log, (QStringList{"frmKeys down 68 0", "frmKeys press 100", "box press 100", "frmKeys down 88 0",
                                "box down 88 0", "frmKeys press 120"}));
    log.clear();
    int clicks = 0;
    QObject::connect(w.button, &QPushButton::clicked, [&] { ++clicks; });
    QTest::keyClick(w.button, Qt::Key_Space);  // its KeyPress still comes, as in a text box
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(log, (QStringList{"frmKeys down 32 0", "frmKeys press 32"}));
}

TEST_F(FormTest, NoFormHearsTheKeysOfAnotherWindow) {
    QStringList log;
    QPointer<KeyForm> outer = new KeyForm(&log, QStringLiteral("frmOuter"));
    outer->resize(400, 300);
    auto* inner = new KeyForm(&log, QStringLiteral("frmInner"), outer);
    inner->setGeometry(0, 0, 300, 200);
    auto* button = new KeyButton(&log, inner);
    outer->Show();
    settle();
    // The child form's key, which its button leaves alone, stays the child form's.
    QTest::keyClick(button, Qt::Key_G);
    EXPECT_EQ(log, (QStringList{"frmInner down 71 0", "frmInner press 103", "button 71"}));
    log.clear();
    // A window that is no form of theirs.
    QWidget other;
    auto* edit = new QLineEdit(&other);
    other.show();
    QTest::keyClick(edit, Qt::Key_F1);
    QTest::keyClick(edit, Qt::Key_H);
    EXPECT_TRUE(log.isEmpty()) << log.join(", ").toStdString();
    outer->Unload();
}

// Enter and keypad Enter press the command button with the focus in a window that is no dialog,
// with or without the key preview, once the preview has heard them; a preview that takes the
// key keeps it, and a check box is no command button.
TEST_F(FormTest, EnterPressesTheCommandButtonWithTheFocus) {
    enum Target { Push, Tool, Check };
    struct Case {
        const char* name;
        Target target;
        bool preview;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool previewTakes;
        int clicks;
    };
    const Case cases[] = {
        {"push button, Enter", Push, false, Qt::Key_Return, Qt::NoModifier, false, 1},
        {"push button, keypad Enter", Push, false, Qt::Key_Enter, Qt::KeypadModifier, false, 1},
        {"picture button, Enter, preview", Tool, true, Qt::Key_Return, Qt::NoModifier, false, 1},
        {"Enter the preview takes", Push, true, Qt::Key_Return, Qt::NoModifier, true, 0},
        {"Ctrl+Enter", Push, false, Qt::Key_Return, Qt::ControlModifier, false, 0},
        {"check box, Enter", Check, false, Qt::Key_Return, Qt::NoModifier, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList log;
        QPointer<KeyForm> form = new KeyForm(&log);
        form->setKeyPreview(c.preview);
        form->onKeyDown = [&c](int& k, int) {
            if (c.previewTakes && k == keycode::Return)
                k = 0;
        };
        auto* layout = new QVBoxLayout(form);
        QAbstractButton* buttons[] = {new QPushButton(QStringLiteral("Add"), form), new QToolButton(form),
                                      new CheckBox(QStringLiteral("Sound"), form)};
        for (QAbstractButton* b : buttons)
            layout->addWidget(b);
        form->resize(200, 150);
        form->Show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
        QAbstractButton* target = buttons[c.target];
        target->setFocus();
        int clicks = 0;
        QObject::connect(target, &QAbstractButton::clicked, [&clicks] { ++clicks; });
        QTest::keyClick(form->windowHandle(), c.key, c.modifiers);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_EQ(log.contains(QString("frmKeys down 13 %1").arg(c.modifiers & Qt::ControlModifier ? 2 : 0)), c.preview);
        form->Unload();
        settle();
    }
}

// ---- access keys ----

// A window with a visible and a hidden button on Alt+S, a hidden menu title on it too, and
// two visible menu titles that share Alt+E.
struct AccessWindow {
    AccessWindow() {
        form = new Form(QStringLiteral("frmAccess"));
        auto* layout = new QVBoxLayout(form);
        bar = new QMenuBar(form);
        bar->setNativeMenuBar(false);
        layout->setMenuBar(bar);
        edit = bar->addMenu(QStringLiteral("&Edit"));
        edit->addAction(QStringLiteral("Cu&t"));
        extra = bar->addMenu(QStringLiteral("&Extra"));
        extra->addAction(QStringLiteral("&One"));
        scale = bar->addAction(QStringLiteral("&Scale"));
        scale->setVisible(false);
        start = new QPushButton(QStringLiteral("&Start"), form);
        stop = new QPushButton(QStringLiteral("&Stop"), form);
        layout->addWidget(start);
        layout->addWidget(stop);
        stop->hide();
        QObject::connect(start, &QPushButton::clicked, [this] { clicks << "Start"; });
        QObject::connect(stop, &QPushButton::clicked, [this] { clicks << "Stop"; });
        QObject::connect(scale, &QAction::triggered, [this] { clicks << "Scale"; });
        form->resize(300, 200);
        form->Show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    }
    ~AccessWindow() {
        if (form)
            form->Unload();
    }
    void press(Qt::Key key) {
        QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : form.data();
        QTest::keyClick(to, key, Qt::AltModifier);
    }
    QPointer<Form> form;
    QMenuBar* bar;
    QMenu* edit;
    QMenu* extra;
    QAction* scale;
    QPushButton* start;
    QPushButton* stop;
    QStringList clicks;
};

TEST_F(FormTest, AnAccessKeyIsTheVisibleOwnersAndActsAtOnce) {
    AccessWindow w;
    // The hidden menu item and the hidden button have no part in it, and the click comes with
    // the key, not after a press animation.
    w.press(Qt::Key_S);
    EXPECT_EQ(w.clicks, QStringList{"Start"});
    w.start->hide();
    w.stop->show();
    w.press(Qt::Key_S);
    EXPECT_EQ(w.clicks, (QStringList{"Start", "Stop"}));
    w.stop->setEnabled(false);
    w.press(Qt::Key_S);
    EXPECT_EQ(w.clicks, (QStringList{"Start", "Stop"}));
    w.scale->setVisible(true);  // now the only owner
    w.press(Qt::Key_S);
    EXPECT_EQ(w.clicks, (QStringList{"Start", "Stop", "Scale"}));
}

// Enter after Alt+letter runs the first item that can be chosen: not a hidden one, a separator
// or a disabled one, but one the menu's own click enables as it opens.
TEST_F(FormTest, AMenuOpenedByItsAccessKeyHighlightsItsFirstItemThatCanBeChosen) {
    auto* form = new Form(QStringLiteral("frmMenus"));
    auto* layout = new QVBoxLayout(form);
    auto* bar = new QMenuBar(form);
    bar->setNativeMenuBar(false);
    layout->setMenuBar(bar);
    layout->addWidget(new QPushButton(QStringLiteral("&Go"), form));
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("&Open"))->setVisible(false);
    file->addSeparator();
    file->addAction(QStringLiteral("&Save"))->setEnabled(false);
    QAction* toMenu = file->addAction(QStringLiteral("To &menu"));
    file->addAction(QStringLiteral("E&xit"));
    QMenu* print = bar->addMenu(QStringLiteral("&Print"));
    QAction* text = print->addAction(QStringLiteral("&Text"));
    text->setEnabled(false);
    print->addAction(QStringLiteral("&All"));
    QObject::connect(print, &QMenu::aboutToShow, [text] { text->setEnabled(true); });
    QStringList ran;
    for (QAction* a : {toMenu, text})
        QObject::connect(a, &QAction::triggered, [&ran, a] { ran << a->text(); });
    form->resize(300, 200);
    form->Show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));

    for (const auto& [key, menu, first] : {std::tuple{Qt::Key_F, file, toMenu}, std::tuple{Qt::Key_P, print, text}}) {
        SCOPED_TRACE(first->text().toStdString());
        QTest::keyClick(form->windowHandle(), key, Qt::AltModifier);
        ASSERT_EQ(QApplication::activePopupWidget(), menu);
        EXPECT_EQ(menu->activeAction(), first);
        QTest::keyClick(menu, Qt::Key_Return);
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    }
    EXPECT_EQ(ran, (QStringList{"To &menu", "&Text"}));
    form->Unload();
}

TEST_F(FormTest, TwoVisibleOwnersOfAnAccessKeyTakeTurns) {
    AccessWindow w;
    w.press(Qt::Key_E);
    EXPECT_EQ(QApplication::activePopupWidget(), w.edit);
    QTest::keyClick(w.edit, Qt::Key_Escape);
    QTest::keyClick(w.edit, Qt::Key_Escape);
    w.press(Qt::Key_E);
    EXPECT_EQ(QApplication::activePopupWidget(), w.extra);
    if (QWidget* open = QApplication::activePopupWidget())
        open->close();
}

}  // namespace
