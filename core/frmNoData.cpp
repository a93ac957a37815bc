#include "core/frmNoData.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPalette>

#include "core/Globals.h"
#include "core/Settings.h"
#include "core/Startup.h"
#include "core/frmKest.h"
#include "platform/Clock.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/Paths.h"
#include "platform/Screen.h"
#include "platform/Twips.h"

namespace {

QString paragraphs(const QStringList& parts) { return parts.join(QStringLiteral("\r\n\r\n")); }

// Labels show CR LF, CR and LF all as one line break.
QString screenText(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

// Design rectangles in twips; the dialog has a fixed size.
constexpr int kWidth = 7200;
constexpr int kHeight = 6120;

}  // namespace

const QString frmNoData::ClipboardMarker = QStringLiteral("QN_KEST_GETCD");

frmNoData::frmNoData() : Form(QStringLiteral("frmNoData")) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setCaption(QStringLiteral("Kestrow Readers"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
    QFont f(screen::arialFamily());
    f.setPointSize(10);
    setFont(f);

    lblInstr = new Label(this);
    lblInstr->setObjectName(QStringLiteral("lblInstr"));
    Text1 = new TextBox(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->hide();
    cmdAgain = new QPushButton(QStringLiteral("&Try again"), this);
    cmdAgain->setObjectName(QStringLiteral("cmdAgain"));
    cmdDetails = new QPushButton(QStringLiteral("&Details..."), this);
    cmdDetails->setObjectName(QStringLiteral("cmdDetails"));
    cmdQuit = new QPushButton(QStringLiteral("&Quit"), this);
    cmdQuit->setObjectName(QStringLiteral("cmdQuit"));

    on(cmdAgain, &frmNoData::cmdAgain_Click);
    on(cmdDetails, &frmNoData::cmdDetails_Click);
    on(cmdQuit, &frmNoData::cmdQuit_Click);
    Text1->KeyPress = [this](int& k) { Text1_KeyPress(k); };
}

void frmNoData::Form_Load() {
    mouse::setPointer(mouse::Default);
    setGeometryTwips(lblInstr, TwipRect{240, 240, 6720, 4200});
    setGeometryTwips(Text1, TwipRect{240, 4560, 6720, 375});
    setGeometryTwips(cmdAgain, TwipRect{240, 5220, 2040, 495});
    setGeometryTwips(cmdDetails, TwipRect{2580, 5220, 2040, 495});
    setGeometryTwips(cmdQuit, TwipRect{4920, 5220, 2040, 495});
    moveTwips((screen::widthTwips() - kWidth) / 2, (screen::heightTwips() - kHeight) / 2, kWidth, kHeight);

    request_ = gDialogRequest;
    Text1->setText(gDataRoot);
    if (request_ == u"STARTUP") {
        lblInstr->setCaption(screenText(paragraphs({
            QStringLiteral("No books could be found!"),
            QStringLiteral("If you are running from CD, please insert the CD now, then click on 'Try again'."),
            QStringLiteral("If you have only recently inserted the CD, please wait a while before clicking on "
                           "'Try again', because your computer may take some time to recognise the new CD."),
            QStringLiteral("If you are sure the correct CD is in the drive, or if you are not running from CD, "
                           "please click on 'Details'."),
        })));
    } else if (request_ == u"AGAIN") {
        lblInstr->setCaption(screenText(paragraphs({
            QStringLiteral("SUCCESS!"),
            QStringLiteral("The folder or file was found at the new location which you gave, namely"),
            gDataRoot,
            QStringLiteral("Do you want to save this change, and use this new folder PERMANENTLY?"),
            QStringLiteral("(If you answer \"No\", the change will apply for this session only.)"),
        })));
        cmdQuit->hide();
        cmdAgain->setText(QStringLiteral("&Yes"));
        cmdDetails->setText(QStringLiteral("&No"));
    } else {
        lblInstr->setCaption(screenText(paragraphs({
            QStringLiteral("Data files needed by this application cannot be found."),
            QStringLiteral("If you are using a CD version, ensure that the correct CD is in the drive."),
            QStringLiteral("Correct the problem and click on \"Try again\", or click on \"Details...\" for a "
                           "full explanation."),
        })));
    }
    if (QClipboard* c = QGuiApplication::clipboard())
        c->setText(ClipboardMarker);
}

void frmNoData::Form_QueryUnload(int& cancel, int unloadMode) {
    // No control box: only the buttons leave the dialog.
    if (unloadMode == unload::FormControlMenu)
        cancel = 1;
}

void frmNoData::leaveClipboard() {
    if (QClipboard* c = QGuiApplication::clipboard()) {
        c->setText(QStringLiteral("OK"));
        c->clear();
    }
}

void frmNoData::cmdAgain_Click() {
    if (request_ != u"AGAIN") {
        // A Linux path keeps its letter case: folders differing only in case are different.
        gDataRoot = lang::Trim(Text1->Text());
        gDialogRequest = QStringLiteral("AGAIN");
    } else {
        gDialogRequest = QStringLiteral("YES");
    }
    leaveClipboard();
    Unload();
}

void frmNoData::Text1_KeyPress(int& keyAscii) {
    if (keyAscii == keycode::Return)
        cmdAgain_Click();
}

void frmNoData::cmdDetails_Click() {
    if (request_ == u"AGAIN") {
        gDialogRequest = QStringLiteral("no");
        Unload();
        leaveClipboard();
        return;
    }
    Text1->show();
    cmdDetails->hide();
    const QString nl = QStringLiteral("\r\n");
    QString text;
    if (request_ == u"STARTUP") {
        text = QStringLiteral("The folder called DATA cannot be found, or is empty.") + nl + nl +
               QStringLiteral("The expected location is") + nl + gDataRoot + nl + nl +
               QStringLiteral("To try another location (for example if network or CD drive letters have been "
                              "altered), type it in the box below then click on 'Try again'.") +
               nl + nl + QStringLiteral("If you are using a CD in drive E: then the path should be E:\\") + nl + nl +
               QStringLiteral("Failing all else, re-install the software.");
    } else {
        text = QStringLiteral("The file that cannot be found is") + nl + lang::UCase(request_) + nl + nl +
               QStringLiteral("The expected location is the data folder") + nl + gDataRoot + nl +
               QStringLiteral("or the installation folder") + nl + gProgramRoot + nl +
               QStringLiteral("(These may be the same.)") + nl + nl +
               QStringLiteral("To try another location (for example if network or CD drive letters have been "
                              "altered), type it in the box below then click on 'Try again'.  If you are using "
                              "a CD in drive E: then the path should be E:\\");
    }
    lblInstr->setCaption(screenText(text));
    Text1->setFocus();
}

void frmNoData::cmdQuit_Click() {
    leaveClipboard();
    Unload();
    UnloadFrameAndEnd(0);
}

void ShowNoDataDialog() {
    auto* d = new frmNoData;
    d->Show(true);
}

void RetryPause() {
    mouse::setPointer(mouse::Hourglass);
    const float t = Timer();
    // The original waits for the clock to pass the next whole second but one; just after
    // midnight it does not wait at all.
    if (t >= 2.0f) {
        const double until = lang::RoundHalfEven(t) + 1.0;
        if (until > t)
            pause(until - t);
    }
    mouse::setPointer(mouse::Default);
}

QString FindDataFile(const QString& name, int allowAsk) {
    gMDIForm = frmKest::instance();
    const QString oldDataRoot = gDataRoot;
    QString path;
    for (;;) {
        path = resolvePath(gProgramRoot, name);
        if (fileLength(path) >= 0)
            return path;
        path = resolvePath(gDataRoot, name);
        if (fileLength(path) >= 0)
            break;
        if (allowAsk == 0)
            return QString();
        gDialogRequest = name;
        ShowNoDataDialog();
        RetryPause();
    }
    OfferToKeepDataFolder(oldDataRoot);
    return path;
}

void OfferToKeepDataFolder(const QString& oldDataRoot) {
    if (gDialogRequest != u"AGAIN" || gDataRoot == oldDataRoot)
        return;
    // A folder that DataFolder cannot give back (letters outside Windows-1252, too long) would
    // be stored as another one: it is used for this session, and the user is told so.
    const std::optional<QString> keep = StorableDataFolder(gDataRoot);
    if (!keep) {
        MsgBox(QStringLiteral("The folder or file was found at the new location which you gave, namely") + gCrLf +
                   gDataRoot + gCrLf + gCrLf +
                   QStringLiteral("The name of this folder cannot be stored in the settings, so the change will "
                                  "apply for this session only."),
               mb::OKOnly + mb::Information, QStringLiteral("Data folder"));
        gDialogRequest = QStringLiteral("no");
        return;
    }
    ShowNoDataDialog();
    if (gDialogRequest == u"YES") {
        GlobalSettings.DataFolder.setText(*keep);
        SaveGlobalSettings(1);
    }
}
