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

namespace {

// Each item into the window's member for it, when it keeps one.
template <class Item>
Item* keep(Item** member, Item* item) {
    if (member)
        *member = item;
    return item;
}

}  // namespace

QAction* ChildForm::fileTail(QMenu* file, bool toMenuEnabled, const FileTailMembers& members) {
    keep(members.toMenu, file->addAction(QStringLiteral("To &menu")))->setEnabled(toMenuEnabled);
    keep(members.separator, file->addSeparator());
    return keep(members.exit, file->addAction(QStringLiteral("E&xit")));
}

void ChildForm::addFileTail(QMenu* file, bool toMenuEnabled, const FileTailMembers& members) {
    connect(fileTail(file, toMenuEnabled, members), &QAction::triggered, this, [] { UnloadFrameAndEnd(0); });
}

ChildForm::HelpItems ChildForm::helpMenu(const HelpMembers& members, const QString& title, const QString& localCaption,
                                         const QString& searchCaption, const QString& aboutCaption) {
    QMenu* menu = keep(members.menu, menus()->addMenu(title));
    QAction* local = keep(members.local, menu->addAction(localCaption));
    QAction* contents = keep(members.contents, menu->addAction(QStringLiteral("&Contents")));
    QAction* search = keep(members.search, menu->addAction(searchCaption));
    keep(members.separator, menu->addSeparator());
    QAction* about = keep(members.about, menu->addAction(aboutCaption));
    connect(contents, &QAction::triggered, this, [] { ReaderHelpContents(); });
    connect(search, &QAction::triggered, this, [] { ReaderHelpSearch(); });
    connect(about, &QAction::triggered, this, [] { ShowAboutBox(); });
    return HelpItems{menu, local};
}

void ChildForm::addHelpMenu(const HelpMembers& members, const QString& localCaption, int topic, bool f1Shortcut,
                            const QString& searchCaption, const QString& aboutCaption) {
    const HelpItems h = helpMenu(members, QStringLiteral("&Help"), localCaption, searchCaption, aboutCaption);
    if (f1Shortcut)
        h.local->setShortcut(QKeySequence(Qt::Key_F1));
    connect(h.local, &QAction::triggered, this, [topic] { ReaderHelpTopic(topic); });
}

ChildForm::HelpItems ChildForm::activityHelpMenu(const HelpMembers& members) {
    return helpMenu(members, QStringLiteral("H&elp"), QStringLiteral("&Help on whatever"),
                    QStringLiteral("&Search for help on..."), QStringLiteral("&About Kestrow Readers ..."));
}
