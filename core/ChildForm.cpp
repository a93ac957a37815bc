#include "core/ChildForm.h"

#include <QMenuBar>

#include "core/Shell.h"
#include "core/frmKest.h"
#include "core/frmSplash.h"

ChildForm::ChildForm(const QString& name, QWidget* parent) : Form(name, parent) {}

ChildForm::~ChildForm() {
    releaseBeneath();
    // The frame may have taken the menu bar over; it goes with the window all the same.
    if (menus_ && menus_->parent() != this)
        delete menus_.data();
}

QMenuBar* ChildForm::menus() {
    if (!menus_) {
        menus_ = new QMenuBar(this);
        menus_->hide();
    }
    return menus_;
}

void ChildForm::showInFrame() {
    if (!shell::frame()) {
        Show();  // no frame (a window tried on its own)
        return;
    }
    if (frmKest* f = frmKest::instance()) {
        Form* below = f->activeChild();
        if (below && below != this) {
            beneath_ = below;
            below->setEnabled(false);
        }
    }
    shell::showChild(this, menus_);
    if (isUnloaded())
        releaseBeneath();
}

void ChildForm::hideEvent(QHideEvent* e) {
    Form::hideEvent(e);
    if (isUnloaded())
        releaseBeneath();
}

void ChildForm::releaseBeneath() {
    if (beneath_)
        beneath_->setEnabled(true);
    beneath_ = nullptr;
}

ChildForm::FileTail ChildForm::addFileTail(QMenu* file, bool toMenuEnabled) {
    FileTail t;
    t.toMenu = file->addAction(QStringLiteral("To &menu"));
    t.toMenu->setEnabled(toMenuEnabled);
    file->addSeparator();
    t.exit = file->addAction(QStringLiteral("E&xit"));
    connect(t.exit, &QAction::triggered, this, [] { UnloadFrameAndEnd(0); });
    return t;
}

ChildForm::HelpItems ChildForm::addHelpMenu(const QString& localCaption, int topic, bool f1Shortcut,
                                            const QString& searchCaption, const QString& aboutCaption) {
    HelpItems h;
    h.menu = menus()->addMenu(QStringLiteral("&Help"));
    h.local = h.menu->addAction(localCaption);
    if (f1Shortcut)
        h.local->setShortcut(QKeySequence(Qt::Key_F1));
    h.contents = h.menu->addAction(QStringLiteral("&Contents"));
    h.search = h.menu->addAction(searchCaption);
    h.menu->addSeparator();
    h.about = h.menu->addAction(aboutCaption);
    connect(h.local, &QAction::triggered, this, [topic] { ReaderHelpTopic(topic); });
    connect(h.contents, &QAction::triggered, this, [] { ReaderHelpContents(); });
    connect(h.search, &QAction::triggered, this, [] { ReaderHelpSearch(); });
    connect(h.about, &QAction::triggered, this, [] { ShowAboutBox(); });
    return h;
}
