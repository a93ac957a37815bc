#include "platform/Help.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/Journal.h"
#include "platform/Paths.h"

namespace {

// One window for every help call of the program, as the original's help system had.
class HelpWindow : public QWidget {
public:
    HelpWindow() {
        setObjectName(QStringLiteral("HelpWindow"));
        setAttribute(Qt::WA_DeleteOnClose);
        browser_ = new QTextBrowser(this);
        browser_->setOpenLinks(true);
        browser_->setOpenExternalLinks(false);

        findBar_ = new QWidget(this);
        auto* bar = new QHBoxLayout(findBar_);
        bar->setContentsMargins(0, 0, 0, 0);
        bar->addWidget(new QLabel(QStringLiteral("Search for:"), findBar_));
        findText_ = new QLineEdit(findBar_);
        findText_->setObjectName(QStringLiteral("findText"));
        bar->addWidget(findText_, 1);
        auto* findButton = new QPushButton(QStringLiteral("&Find"), findBar_);
        bar->addWidget(findButton);
        notFound_ = new QLabel(findBar_);
        bar->addWidget(notFound_);
        connect(findButton, &QPushButton::clicked, this, [this] { findTyped(); });
        connect(findText_, &QLineEdit::returnPressed, this, [this] { findTyped(); });
        findBar_->hide();

        auto* layout = new QVBoxLayout(this);
        layout->addWidget(findBar_);
        layout->addWidget(browser_, 1);

        // Beside the program rather than over it: the right part of the screen.
        if (QScreen* s = QGuiApplication::primaryScreen()) {
            const QRect a = s->availableGeometry();
            const int w = a.width() * 2 / 5;
            const int h = a.height() * 4 / 5;
            setGeometry(a.right() - w - a.width() / 40, a.top() + a.height() / 10, w, h);
        }
    }

    void showFile(const QString& path, const QString& anchor) {
        file_ = path;
        anchor_ = anchor;
        QUrl url = QUrl::fromLocalFile(path);
        if (browser_->source().adjusted(QUrl::RemoveFragment) != url)
            browser_->setSource(url);
        if (anchor.isEmpty())
            browser_->verticalScrollBar()->setValue(0);
        else
            browser_->scrollToAnchor(anchor);
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : title);
    }

    void showFindBox() {
        findBar_->show();
        notFound_->clear();
        findText_->clear();
        findText_->setFocus();
    }

    void hideFindBox() { findBar_->hide(); }

    bool find(const QString& text) {
        notFound_->clear();
        if (text.isEmpty())
            return false;
        if (browser_->find(text))
            return true;
        // Once more from the top.
        QTextCursor c = browser_->textCursor();
        c.movePosition(QTextCursor::Start);
        browser_->setTextCursor(c);
        if (browser_->find(text))
            return true;
        notFound_->setText(QStringLiteral("Not found"));
        return false;
    }

    QString file_;
    QString anchor_;
    bool findShown() const { return findBar_->isVisibleTo(this); }

protected:
    void keyPressEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Escape) {
            close();
            return;
        }
        QWidget::keyPressEvent(e);
    }

private:
    void findTyped() { find(findText_->text()); }

    QTextBrowser* browser_ = nullptr;
    QWidget* findBar_ = nullptr;
    QLineEdit* findText_ = nullptr;
    QLabel* notFound_ = nullptr;
};

QPointer<HelpWindow> gWindow;

// Our help pages are a few kilobytes; a page past this is no help page, and laying out tens of
// megabytes would hold the program for minutes.
constexpr qint64 kLargestHelpPage = 2 * 1024 * 1024;

void helpFileMessage(const QString& name, const QString& what) {
    MsgBox(QStringLiteral("The help file") + QStringLiteral("\r\n") + name + QStringLiteral("\r\n") + what,
           mb::Exclamation, QStringLiteral("Help"));
}

QString withoutNuls(QString s) {
    while (!s.isEmpty() && s.back() == QChar(0))
        s.chop(1);
    return s;
}

}  // namespace

namespace help {

QString resolveHelpFile(const QString& file) {
    QString p = withoutNuls(file);
    p.replace(u'\\', u'/');
    if (p.trimmed().isEmpty())
        return {};
    const qsizetype slash = p.lastIndexOf(u'/');
    QString name = p.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    name = (dot >= 0 ? name.left(dot) : name) + QStringLiteral(".html");
    p = p.left(slash + 1) + name;
    const QString real = p.startsWith(u'/') ? resolvePath(QStringLiteral("/"), p.mid(1)) : resolvePath(QString(), p);
    return fileExists(real) ? real : QString();
}

QWidget* window() { return gWindow.data(); }
QString shownFile() { return gWindow ? gWindow->file_ : QString(); }
QString shownAnchor() { return gWindow ? gWindow->anchor_ : QString(); }
bool findBoxShown() { return gWindow && gWindow->findShown(); }
bool find(const QString& text) { return gWindow && gWindow->find(text); }

}  // namespace help

void Help(const QString& file, int command, int data) {
    const QString name = withoutNuls(file);
    journal::write(QStringLiteral("help"), {name, QString::number(command), QString::number(data)});

    if (command == help::Quit) {
        if (gWindow)
            gWindow->close();
        return;
    }
    if (command != help::Context && command != help::Contents && command != help::PartialKey)
        return;

    const QString path = help::resolveHelpFile(name);
    if (path.isEmpty()) {
        helpFileMessage(name, QStringLiteral("cannot be found."));
        return;
    }
    if (fileLength(path) > kLargestHelpPage) {
        helpFileMessage(name, QStringLiteral("is too large to be shown."));
        return;
    }
    if (!gWindow)
        gWindow = new HelpWindow;
    gWindow->showFile(path, command == help::Context ? QStringLiteral("topic-%1").arg(data) : QString());
    if (command == help::PartialKey)
        gWindow->showFindBox();
    else
        gWindow->hideFindBox();
    gWindow->show();
    gWindow->raise();
    gWindow->activateWindow();
}
