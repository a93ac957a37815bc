#include "platform/Dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "platform/Controls.h"
#include "platform/Journal.h"
#include "platform/ModalFocus.h"
#include "platform/Screen.h"
#include "platform/Twips.h"

namespace mb {

QString buttonsWord(int style) {
    switch (style & ButtonMask) {
    case OKCancel: return QStringLiteral("OKCancel");
    case AbortRetryIgnore: return QStringLiteral("AbortRetryIgnore");
    case YesNoCancel: return QStringLiteral("YesNoCancel");
    case YesNo: return QStringLiteral("YesNo");
    case RetryCancel: return QStringLiteral("RetryCancel");
    default: return QStringLiteral("OK");
    }
}

QString iconWord(int style) {
    switch (style & IconMask) {
    case Critical: return QStringLiteral("critical");
    case Question: return QStringLiteral("question");
    case Exclamation: return QStringLiteral("exclamation");
    case Information: return QStringLiteral("information");
    default: return QStringLiteral("none");
    }
}

namespace {
struct AnswerName {
    int answer;
    const char* word;
};
constexpr AnswerName kAnswerNames[] = {
    {OK, "OK"}, {Cancel, "Cancel"}, {Abort, "Abort"}, {Retry, "Retry"},
    {Ignore, "Ignore"}, {Yes, "Yes"}, {No, "No"},
};
}  // namespace

QString answerWord(int answer) {
    for (const auto& a : kAnswerNames)
        if (a.answer == answer)
            return QString::fromLatin1(a.word);
    return QString::number(answer);
}

int answerFromWord(const QString& word) {
    const QString w = word.trimmed();
    for (const auto& a : kAnswerNames)
        if (w.compare(QLatin1String(a.word), Qt::CaseInsensitive) == 0)
            return a.answer;
    return 0;
}

}  // namespace mb

namespace {

// The buttons of a style, in the order shown; the first is the default unless the style says
// otherwise (256: the second, 512: the third).
std::vector<int> buttonsOf(int style) {
    switch (style & mb::ButtonMask) {
    case mb::OKCancel: return {mb::OK, mb::Cancel};
    case mb::AbortRetryIgnore: return {mb::Abort, mb::Retry, mb::Ignore};
    case mb::YesNoCancel: return {mb::Yes, mb::No, mb::Cancel};
    case mb::YesNo: return {mb::Yes, mb::No};
    case mb::RetryCancel: return {mb::Retry, mb::Cancel};
    default: return {mb::OK};
    }
}

int defaultAnswer(int style) {
    const std::vector<int> buttons = buttonsOf(style);
    const size_t index = size_t((style >> 8) & 3);
    return index < buttons.size() ? buttons[index] : buttons.front();
}

// CR, CR LF and LF are all line breaks.
QString normaliseBreaks(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QWidget* boxParent() {
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

QMessageBox::StandardButton standardFor(int answer) {
    switch (answer) {
    case mb::OK: return QMessageBox::Ok;
    case mb::Cancel: return QMessageBox::Cancel;
    case mb::Abort: return QMessageBox::Abort;
    case mb::Retry: return QMessageBox::Retry;
    case mb::Ignore: return QMessageBox::Ignore;
    case mb::Yes: return QMessageBox::Yes;
    case mb::No: return QMessageBox::No;
    default: return QMessageBox::NoButton;
    }
}

QMessageBox::Icon qtIcon(int style) {
    switch (style & mb::IconMask) {
    case mb::Critical: return QMessageBox::Critical;
    case mb::Question: return QMessageBox::Question;
    case mb::Exclamation: return QMessageBox::Warning;
    case mb::Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

class RealDialogs final : public Dialogs {
public:
    int msgBox(const QString& text, int style, const QString& title) override {
        const ModalFocus giveBack;
        QMessageBox box(qtIcon(style), title, normaliseBreaks(text), QMessageBox::NoButton, boxParent());
        box.setTextFormat(Qt::PlainText);
        const std::vector<int> answers = buttonsOf(style);
        std::vector<QAbstractButton*> buttons;
        for (int a : answers)
            buttons.push_back(box.addButton(standardFor(a)));
        const int def = defaultAnswer(style);
        for (size_t i = 0; i < answers.size(); ++i) {
            if (answers[i] == def)
                box.setDefaultButton(static_cast<QPushButton*>(buttons[i]));
            if (answers[i] == mb::Cancel || answers.size() == 1)
                box.setEscapeButton(buttons[i]);
        }
        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        for (size_t i = 0; i < answers.size(); ++i)
            if (buttons[i] == clicked)
                return answers[i];
        return def;
    }

    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText, int xTwips,
                     int yTwips) override {
        const ModalFocus giveBack;
        QDialog dlg(boxParent());
        dlg.setWindowTitle(title);
        auto* layout = new QVBoxLayout(&dlg);
        // A prompt is text, never markup, and a long one wraps rather than running off the screen.
        const QRect avail = dlg.screen() ? dlg.screen()->availableGeometry() : QRect(0, 0, 640, 480);
        const int width = std::min(420, std::max(200, avail.width() - 40));
        auto* label = new QLabel(normaliseBreaks(prompt), &dlg);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setFixedWidth(width);
        layout->addWidget(label);
        // The answer is typed in a box of ours, so text reaches it as it reaches every box:
        // by keys, a paste typed one character at a time, never an Alt chord or a drop.
        auto* box = new TextBox(&dlg);
        box->setObjectName(QStringLiteral("InputText"));
        box->setText(defaultText);
        box->selectAll();
        box->KeyDown = [&dlg](int& keyCode, int) {
            if (keyCode == 13 || keyCode == 27) {
                const bool ok = keyCode == 13;
                keyCode = 0;
                ok ? dlg.accept() : dlg.reject();
            }
        };
        box->KeyPress = [](int& keyAscii) {
            if (keyAscii == 13 || keyAscii == 27)
                keyAscii = 0;
        };
        layout->addWidget(box);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
        layout->addWidget(buttons);
        box->setFocus();
        if (xTwips >= 0 && yTwips >= 0) {
            dlg.move(twipsToPixels(xTwips, screen::twipsPerPixelX()), twipsToPixels(yTwips, screen::twipsPerPixelY()));
            // Once shown, with its final size and frame, it is pulled back inside the screen.
            QTimer::singleShot(0, &dlg, [&dlg, avail] {
                const QRect f = dlg.frameGeometry();
                const int dx = std::max(avail.left() - f.left(), std::min(0, avail.right() - f.right()));
                const int dy = std::max(avail.top() - f.top(), std::min(0, avail.bottom() - f.bottom()));
                if (dx != 0 || dy != 0)
                    dlg.move(dlg.pos() + QPoint(dx, dy));
            });
        }
        if (dlg.exec() != QDialog::Accepted)
            return QString();
        return box->Text();
    }
};

Dialogs* gDialogs = nullptr;
QString gAppTitle;

// KESTROW_ANSWERS, read when first needed and again whenever the variable changes.
struct ScriptedAnswers {
    QByteArray path;
    QStringList lines;
    qsizetype next = 0;
};

bool takeScriptedAnswer(QString& answer) {
    static ScriptedAnswers s;
    const QByteArray path = qgetenv("KESTROW_ANSWERS");
    if (path != s.path) {
        s = ScriptedAnswers{path, {}, 0};
        if (!path.isEmpty()) {
            QFile f(QString::fromLocal8Bit(path));
            if (f.open(QIODevice::ReadOnly)) {
                s.lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
                if (!s.lines.isEmpty() && s.lines.last().isEmpty())
                    s.lines.removeLast();  // the end of the last line, not an empty answer
                for (QString& l : s.lines)
                    if (l.endsWith(QLatin1Char('\r')))
                        l.chop(1);
            } else {
                qWarning("KESTROW_ANSWERS: cannot read %s", path.constData());
            }
        }
    }
    if (s.next >= s.lines.size())
        return false;
    answer = s.lines.at(s.next++);
    return true;
}

const QString kCancelWord = QStringLiteral("<cancel>");

}  // namespace

Dialogs& dialogs() { return gDialogs ? *gDialogs : realDialogs(); }

void setDialogs(Dialogs* d) { gDialogs = d; }

Dialogs& realDialogs() {
    static RealDialogs real;
    return real;
}

void setAppTitle(const QString& title) { gAppTitle = title; }

QString appTitle() {
    if (gAppTitle.isEmpty() && QCoreApplication::instance())
        return QCoreApplication::applicationName();
    return gAppTitle;
}

int MsgBox(const QString& text, int style, const QString& title) {
    const QString t = title.isEmpty() ? appTitle() : title;
    int answer = 0;
    QString scripted;
    if (takeScriptedAnswer(scripted)) {
        answer = mb::answerFromWord(scripted);
        const std::vector<int> buttons = buttonsOf(style);
        if (std::find(buttons.begin(), buttons.end(), answer) == buttons.end()) {
            qWarning("KESTROW_ANSWERS: \"%s\" is not a button of a %s box; taking its default",
                     qUtf8Printable(scripted), qUtf8Printable(mb::buttonsWord(style)));
            answer = defaultAnswer(style);
        }
    } else {
        answer = dialogs().msgBox(text, style, t);
    }
    journal::write(QStringLiteral("msgbox"),
                   {t, text, mb::buttonsWord(style), mb::iconWord(style), mb::answerWord(answer)});
    return answer;
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText, int xTwips,
                 int yTwips) {
    const QString t = title.isEmpty() ? appTitle() : title;
    QString answer;
    QString journalled;
    if (takeScriptedAnswer(answer)) {
        journalled = answer;
        if (answer == kCancelWord)
            answer.clear();
    } else {
        answer = dialogs().inputBox(prompt, t, defaultText, xTwips, yTwips);
        journalled = answer;
    }
    journal::write(QStringLiteral("inputbox"), {t, prompt, defaultText, journalled});
    return answer;
}

void Beep() {
    journal::write(QStringLiteral("beep"));
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QApplication::beep();
}
