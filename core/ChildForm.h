#pragma once
// A child window of the frame with menus of its own, which the frame shows in place of its
// menu bar while the window is in view: the main menu, the book window, the word games, the
// word square, the teacher screens and the book choice.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "platform/Form.h"

class ChildForm : public Form {
    Q_OBJECT
public:
    explicit ChildForm(const QString& name, QWidget* parent = nullptr);
    ~ChildForm() override;

    QMenuBar* menuBar() const { return menus_; }

    // Shows the window inside the frame, over the child in view, which hears no keys (its
    // buttons' access keys among them) until this window is gone.
    void showInFrame();

protected:
    void hideEvent(QHideEvent* e) override;

    // The window's menu bar, hidden until the frame takes it over.
    QMenuBar* menus();

    // The items every window's File menu ends with: "To &menu" (enabled or not), a separator
    // and "E&xit", which runs the window's handler when it gives one and else ends the program
    // through the frame. Each item goes into the window's member named for it (none: not kept).
    struct FileTailMembers {
        QAction** toMenu = nullptr;
        QAction** separator = nullptr;
        QAction** exit = nullptr;
    };
    void addFileTail(QMenu* file, bool toMenuEnabled, const FileTailMembers& members);
    template <class W>
    void addFileTail(QMenu* file, bool toMenuEnabled, const FileTailMembers& members, void (W::*exit)()) {
        on(fileTail(file, toMenuEnabled, members), exit);
    }

    // The "&Help" menu every window has: its own topic (F1 unless the window hears F1 itself),
    // the contents, the search and the About box. The window's members for them come in menu
    // order, nullptr for one it does not keep.
    struct HelpMembers {
        QMenu** menu = nullptr;
        QAction** local = nullptr;
        QAction** contents = nullptr;
        QAction** search = nullptr;
        QAction** separator = nullptr;
        QAction** about = nullptr;
    };
    void addHelpMenu(const HelpMembers& members, const QString& localCaption, int topic, bool f1Shortcut = true,
                     const QString& searchCaption = QStringLiteral("&Search for Help on..."),
                     const QString& aboutCaption = QStringLiteral("&About Kestrow Readers ..."));

    // The Help menu of the book and the word games ("H&elp"): the topic of its first item, and
    // the caption that item takes as the menu opens, follow the activity, so the window's own
    // handlers give them; the window hears F1 itself.
    template <class W>
    void addActivityHelpMenu(const HelpMembers& members, void (W::*local)(), void (W::*opening)()) {
        const HelpItems h = activityHelpMenu(members);
        on(h.local, local);
        on(h.menu, opening);
    }

private:
    // The File tail with no handler on its Exit item, which it returns.
    QAction* fileTail(QMenu* file, bool toMenuEnabled, const FileTailMembers& members);
    struct HelpItems {
        QMenu* menu;
        QAction* local;
    };
    // The items of a Help menu, its contents, search and About items wired.
    HelpItems helpMenu(const HelpMembers& members, const QString& title, const QString& localCaption,
                       const QString& searchCaption, const QString& aboutCaption);
    HelpItems activityHelpMenu(const HelpMembers& members);
    void releaseBeneath();

    QPointer<QMenuBar> menus_;
    QPointer<QWidget> beneath_;
};
