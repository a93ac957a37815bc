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

// Our help pages are a few kilobytes; a page past this is no help page, and laying out tens of
// megabytes would hold the program for minutes.
constexpr qint64 kLargestHelpPage = 2 * 1024 * 1024;

// Every page the help window shows passes here first, whether a help call asks for it or a
// link leads to it: a missing page, or one far larger than any help page, gives a message
// naming the file looked for, and the page is not shown.
bool pageShowable(const QString& path, const QString& lookedFor) {
    QString what;
    if (path.isEmpty() || !fileExists(path))
        what = QStringLiteral("cannot be found.");
    else if (fileLength(path) > kLargestHelpPage)
        what = QStringLiteral("is too large to be shown.");
    else
        return true;
    MsgBox(QStringLiteral("The help file\r\n") + lookedFor + QStringLiteral("\r\n") + what, mb::Exclamation,
           QStringLiteral("Help"));
    return false;
}

bool pageShowable(const QUrl& url) {
    const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
    return pageShowable(path, path.isEmpty() ? url.toString() : path);
}

// The browser follows links, and goes back and forward, by itself; each page it loads is
// checked as a help call's is.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

protected:
    void doSetSource(const QUrl& url, QTextDocument::ResourceType type) override {
        // A link to a place on the page shown only scrolls; another page is checked before the
        // one shown goes, so a refused link leaves the reader where he was.
        if (url.adjusted(QUrl::RemoveFragment) != source().adjusted(QUrl::RemoveFragment) && !pageShowable(url))
            return;
        QTextBrowser::doSetSource(url, type);
    }

    // Back and forward load their page without doSetSource.
    QVariant loadResource(int type, const QUrl& name) override {
        const bool page = type == QTextDocument::HtmlResource || type == QTextDocument::MarkdownResource ||
                          type == QTextDocument::UnknownResource;
        if (page && !pageShowable(name))
            return {};
        return QTextBrowser::loadResource(type, name);
    }
};

// One window for every help call of the program, as the original's help system had.
class HelpWindow : public QWidget {
public:
    HelpWindow() {
        setObjectName(QStringLiteral("HelpWindow"));
        setAttribute(Qt::WA_DeleteOnClose);
        browser_ = new HelpBrowser(this);
        browser_->setOpenLinks(true);
        browser_->setOpenExternalLinks(false);
        // Where a link leads is what the window shows.
        connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& url) {
            file_ = url.toLocalFile();
            anchor_ = url.fragment();
            const QString title = browser_->documentTitle();
            setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : title);
        });

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
        const QUrl url = QUrl::fromLocalFile(path);
        if (browser_->source().adjusted(QUrl::RemoveFragment) != url)
            browser_->setSource(url);
        file_ = path;
        anchor_ = anchor;
        if (anchor.isEmpty())
            browser_->verticalScrollBar()->setValue(0);
        else
            browser_->scrollToAnchor(anchor);
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

QString withoutNuls(QString s) {
    while (!s.isEmpty() && s.back() == QChar(0))
        s.chop(1);
    return s;
}

// The HTML file a help file name stands for, as spelled: the extension replaced, "/" between
// folders.
QString htmlNameOf(const QString& file) {
    QString p = withoutNuls(file);
    p.replace(u'\\', u'/');
    const qsizetype slash = p.lastIndexOf(u'/');
    QString name = p.mid(slash + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    name = (dot >= 0 ? name.left(dot) : name) + QStringLiteral(".html");
    return p.left(slash + 1) + name;
}

}  // namespace

namespace help {

QString resolveHelpFile(const QString& file) {
    if (withoutNuls(file).trimmed().isEmpty())
        return {};
    const QString p = htmlNameOf(file);
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
    if (!pageShowable(path, path.isEmpty() ? htmlNameOf(name) : path))
        return;
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
