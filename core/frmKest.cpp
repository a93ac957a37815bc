#include "core/frmKest.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/Activity.h"
#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Registry.h"
#include "core/Session.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/Users.h"
#include "core/WindowShaping.h"
#include "core/frmSplash.h"
#include "core/frmUserName.h"
#include "platform/Controls.h"
#include "platform/Help.h"
#include "platform/Program.h"
#include "platform/Screen.h"
#include "platform/Speech.h"
#include "platform/WaveDevice.h"

namespace {

QPointer<frmKest> gFrameWindow;

// How long to wait before looking again whether the speech question has been answered.
constexpr int kQuestionPollMs = 50;

}  // namespace

frmKest::frmKest(const QString& formName) : Form(formName) {
    setCaption(QStringLiteral("Kestrow Readers"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    createMenus();
    layout->setMenuBar(frameMenus);

    // The client area: the dark grey of an empty frame, where the children open.
    clientArea_ = new QWidget(this);
    clientArea_->setObjectName(QStringLiteral("MDIClient"));
    clientArea_->setAutoFillBackground(true);
    QPalette p = clientArea_->palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128));
    clientArea_->setPalette(p);
    clientArea_->installEventFilter(this);
    layout->addWidget(clientArea_, 1);
    setKeyPreview(true);

    // The two players are no widgets, so they take no room from the client area.
    MM_No = WaveDevice::create(QStringLiteral("MM_No"));
    MM_Yes = WaveDevice::create(QStringLiteral("MM_Yes"));

    gFrameWindow = this;
    registry::setFrameUnloader([] {
        if (frmKest* f = frmKest::instance())
            f->Unload(unload::FormCode);
    });
}

frmKest::~frmKest() {
    // The children go with the client area after this body: they must not call back into a
    // frame that is half gone.
    clientArea_->removeEventFilter(this);
    for (Form* child : clientArea_->findChildren<Form*>(Qt::FindDirectChildrenOnly)) {
        child->removeEventFilter(this);
        disconnect(child, nullptr, this, nullptr);
    }
}

frmKest* frmKest::instance() {
    if (gFrameWindow && gFrameWindow->isLoaded() && !gFrameWindow->isUnloaded())
        return gFrameWindow;
    return nullptr;
}

void frmKest::createMenus() {
    frameMenus = new QMenuBar(this);
    frameMenus->setNativeMenuBar(false);
    mnuFile = frameMenus->addMenu(QStringLiteral("&File"));
    mnuMenu = mnuFile->addAction(QStringLiteral("To &menu"));  // no handler on the frame
    mnuBlank1 = mnuFile->addSeparator();
    mnuExit = mnuFile->addAction(QStringLiteral("E&xit"));
    mnuHelp = frameMenus->addMenu(QStringLiteral("H&elp"));
    mnuHelpContents = mnuHelp->addAction(QStringLiteral("&Contents"));
    mnuHelpSearch = mnuHelp->addAction(QStringLiteral("&Search for help on ..."));
    mnuBlank = mnuHelp->addSeparator();
    mnuHelpAbout = mnuHelp->addAction(QStringLiteral("&About Kestrow Readers ..."));
    on(mnuExit, &frmKest::mnuExit_Click);
    on(mnuHelpContents, &frmKest::mnuHelpContents_Click);
    on(mnuHelpSearch, &frmKest::mnuHelpSearch_Click);
    on(mnuHelpAbout, &frmKest::mnuHelpAbout_Click);
}

// ---- load, activation, resize ----

void frmKest::Form_Load() {
    placeFrame();
    if (!askUserName())
        return;

    StartSession();
    if (GlobalSettings.UserNameFlags == 3)
        LoadSettingsFile(UserSettingsFile(gUserName));
    else
        LoadSettingsFile(QStringLiteral("TEACHER.DAT"));
    ActiveSettings = SavedSettings;
    ActiveSettings.Book.setText(ActiveSettings.Book.text());
    gBookCode = ActiveSettings.Book.text();

    // No speech engine means no speech, never a stop.
    if (GlobalSettings.SpeechDisabled == 0)
        gVoice = SpeechVoice::create();

    gBookTitle = GetBookTitle(gBookCode);
    setCaption(QStringLiteral("Kestrow Menu"));
    gSplashDone = 1;
}

void frmKest::placeFrame() {
    gDesignWidth = 9600;
    gDesignHeight = 6630;
    // The restored placement; the window is then shown maximised.
    const int sw = screen::widthTwips();
    const int sh = screen::heightTwips();
    moveTwips(sw / 6, sh / 6, (2 * sw) / 3, (2 * sh) / 3);
    setWindowState(windowState() | Qt::WindowMaximized);
}

bool frmKest::askUserName() {
    gUserName = QStringLiteral("Unknown");
    if (GlobalSettings.UserNameFlags & 1) {
        gDialogRequest = QStringLiteral("What") + gCrLf + QStringLiteral("is your name?");
        gMDIForm = this;
        UnloadSplash();
        ShowUserNameDialog();
    }
    return !isUnloaded();
}

void frmKest::Form_Activate() { firstActivation(); }

void frmKest::firstActivation() {
    if (gShellReady == -1 || isUnloaded())
        return;
    // The speech question holds start-up: the menu comes once it has been answered.
    if (SpeechQuestionOpen()) {
        QTimer::singleShot(kQuestionPollMs, this, [this] { firstActivation(); });
        return;
    }
    if (!(windowState() & Qt::WindowMaximized))
        setWindowState(windowState() | Qt::WindowMaximized);
    // With no window manager nobody maximises a window: fill the screen ourselves. Where a
    // window manager refuses, the frame keeps its size and the scale follows it.
    if (QGuiApplication::platformName() == u"xcb") {
        if (QScreen* s = screen()) {
            const QRect avail = s->availableGeometry();
            if (frameGeometry().width() < avail.width() && frameGeometry().height() < avail.height())
                setGeometry(avail);
        }
    }
    gDesignWidth = 9600;
    gDesignHeight = 6630;
    shaping::setScaleFactors(clientArea_->width() * screen::twipsPerPixelX(),
                             clientArea_->height() * screen::twipsPerPixelY());
    gShellReady = -1;
    registry::showMainMenu();
    UnloadSplash();
}

namespace {
std::function<void(bool)>& choicesShower() {
    static std::function<void(bool)> f;
    return f;
}
}  // namespace

void setChoicesWindowShower(std::function<void(bool show)> show) { choicesShower() = std::move(show); }

void frmKest::Form_Resize() {
    // Only Cloze (click) has a window beside the frame that must follow it.
    if (gActivity != activity::ClozeClick || !choicesShower())
        return;
    if (windowState() & Qt::WindowMinimized)
        choicesShower()(false);
    else
        choicesShower()(gClozeChoicesOpen != 0);
}

// ---- children ----

void frmKest::showChild(Form* child, QMenuBar* childMenus) {
    if (!child || child->isUnloaded() || isUnloaded())
        return;
    forgetChild(child);
    children_.push_back(Child{child, childMenus, child});
    if (child->parentWidget() != clientArea_) {
        child->setParent(clientArea_, Qt::Widget);
        child->installEventFilter(this);
        // While it is destroyed it is no Form any more: drop it by address before anything reads it.
        connect(child, &QObject::destroyed, this, [this](QObject* gone) {
            for (Child& c : children_)
                if (c.object == gone) {
                    if (c.menus)
                        c.menus->deleteLater();
                    c.form.clear();
                    c.menus.clear();
                }
            applyTopChild();
        });
    }
    if (childMenus) {
        childMenus->setNativeMenuBar(false);
        childMenus->setParent(this);
        childMenus->hide();
    }
    child->setGeometry(clientArea_->rect());
    applyTopChild();
    QPointer<Form> guard(child);
    child->Show();
    // Its load may have unloaded it again (and shown another child meanwhile).
    if (guard && !guard->isUnloaded() && activeChild() == guard) {
        guard->raise();
        // A control the child's load gave the focus to keeps it (the book choice's list).
        QWidget* inside = guard->focusWidget();
        if (inside && guard->isAncestorOf(inside))
            inside->setFocus();
        else
            guard->setFocus();
    }
    applyTopChild();
}

Form* frmKest::activeChild() const {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if (it->form && !it->form->isUnloaded())
            return it->form;
    return nullptr;
}

std::vector<Form*> frmKest::loadedChildren() const {
    std::vector<Form*> out;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if (it->form && !it->form->isUnloaded())
            out.push_back(it->form);
    return out;
}

QMenuBar* frmKest::menuBarInUse() const { return qobject_cast<QMenuBar*>(layout()->menuBar()); }

void frmKest::forgetChild(Form* child) {
    children_.erase(std::remove_if(children_.begin(), children_.end(),
                                   [child](const Child& c) { return c.form == child; }),
                    children_.end());
}

// The topmost loaded child is the one in view, with its menus in place of the frame's.
void frmKest::applyTopChild() {
    // Children that are gone take their menus with them.
    for (auto it = children_.begin(); it != children_.end();) {
        if (!it->form || it->form->isUnloaded()) {
            if (it->menus)
                it->menus->deleteLater();
            it = children_.erase(it);
        } else {
            ++it;
        }
    }
    QMenuBar* wanted = frameMenus;
    if (!children_.empty()) {
        const Child& top = children_.back();
        if (top.menus)
            wanted = top.menus;
        top.form->raise();
    }
    if (layout()->menuBar() != wanted) {
        if (QWidget* old = layout()->menuBar())
            old->hide();
        layout()->setMenuBar(wanted);
    }
    wanted->show();
}

void frmKest::fitChildren() {
    for (const Child& c : children_)
        if (c.form && !c.form->isUnloaded())
            c.form->setGeometry(clientArea_->rect());
}

bool frmKest::eventFilter(QObject* watched, QEvent* e) {
    if (watched == clientArea_ && e->type() == QEvent::Resize) {
        fitChildren();
    } else if (e->type() == QEvent::Hide) {
        // A child that unloads hides at once; its menus go and the one beneath comes into view.
        auto* f = qobject_cast<Form*>(watched);
        if (f && f->isUnloaded()) {
            for (Child& c : children_)
                if (c.form == f && c.menus) {
                    c.menus->hide();
                    c.menus->deleteLater();
                    c.menus = nullptr;
                }
            forgetChild(f);
            applyTopChild();
        }
    }
    return Form::eventFilter(watched, e);
}

void frmKest::Form_KeyDown(int& keyCode, int shift) {
    if (keyCode != keycode::F1)
        return;
    if (Form* child = activeChild())
        child->previewKeyDown(keyCode, shift);
}

// ---- unload ----

void frmKest::Form_QueryUnload(int& cancel, int unloadMode) {
    (void)unloadMode;
    // Every loaded child first, the one in view first; one that refuses keeps the frame.
    for (Form* child : loadedChildren()) {
        if (!child->Unload(unload::FormMDIForm)) {
            cancel = 1;
            return;
        }
    }
}

void frmKest::Form_Unload(int& cancel) {
    (void)cancel;
    endSession();
}

void frmKest::endSession() {
    if (sessionEnded_)
        return;
    sessionEnded_ = true;
    Help(ReaderHelpFile(), help::Quit, 0);
    if (MM_No)
        MM_No->Command(QStringLiteral("Close"));
    WriteSessionToLog();
    // Windows beside the frame (the Choices window, a start-up splash) go with it.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* f = qobject_cast<Form*>(w);
        if (f && f != this && f->isLoaded() && !f->isUnloaded())
            f->Unload(unload::FormMDIForm);
    }
}

void frmKest::closeEvent(QCloseEvent* e) {
    Form::closeEvent(e);
    // The close box ends the program once the frame has gone.
    if (isUnloaded())
        EndProgram(0);
}

// ---- menus ----

void frmKest::mnuExit_Click() { UnloadFrameAndEnd(0); }

void frmKest::mnuHelpAbout_Click() { ShowAboutBox(); }

void frmKest::mnuHelpContents_Click() { ReaderHelpContents(); }

void frmKest::mnuHelpSearch_Click() { ReaderHelpSearch(); }

// ---- module procedures ----

void UnloadFrameAndEnd(int status, int unloadMode) {
    // A child that refuses to close does not keep the program: End ends it all the same.
    if (frmKest* f = frmKest::instance())
        f->Unload(unloadMode);
    else if (gMDIForm && !gMDIForm->isUnloaded())
        gMDIForm->Unload(unloadMode);
    EndProgram(status);
}

QString ReaderHelpFile() { return MakeFilePath(gProgramRoot, QStringLiteral("Reader.hlp")); }
void ReaderHelpTopic(int topic) { Help(ReaderHelpFile(), help::Context, topic); }
void ReaderHelpContents() { Help(ReaderHelpFile(), help::Contents, 0); }
void ReaderHelpSearch() { Help(ReaderHelpFile(), help::PartialKey, 0); }
