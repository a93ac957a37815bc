#include "core/frmUserName.h"

#include <QPalette>
#include <algorithm>

#include "core/Globals.h"
#include "core/Users.h"
#include "core/frmKest.h"
#include "core/frmPass.h"
#include "platform/Controls.h"
#include "platform/Lang.h"
#include "platform/Screen.h"
#include "platform/Twips.h"

namespace {

constexpr int kDesignWidth = 5310;
constexpr int kDesignHeight = 4110;
constexpr int kKeyF3 = 114;

const QString& startQuestion() {
    static const QString q = QStringLiteral("What\r\nis your name?");
    return q;
}

QString screenText(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

}  // namespace

frmUserName::frmUserName(bool escCancels) : Form(QStringLiteral("frmUserName")), escCancels_(escCancels) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(128, 255, 255));
    setPalette(p);
    setFocusPolicy(Qt::StrongFocus);

    Label1 = new Label(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setCaption(QStringLiteral("Name request"));
    Label2 = new Label(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setCaption(QStringLiteral("F3 to exit"));
    listnames = new ListBox(this);
    listnames->setObjectName(QStringLiteral("listnames"));
    cmdOK = new PictureButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setPicture(tickPicture(64));

    on(listnames, &frmUserName::listnames_Click);
    listnames->DblClick = [this] { listnames_DblClick(); };
    on(cmdOK, &frmUserName::cmdOK_Click);
    setKeyPreview(true);
}

void frmUserName::Form_Load() {
    const int sw = screen::widthTwips();
    const int sh = screen::heightTwips();
    const int w = int((qint64(sw) * kDesignWidth) / 9600);
    const int h = int((qint64(sh) * kDesignHeight) / 7200);
    moveTwips((sw - w) / 2, (sh - h) / 2, w, h);

    startMode_ = gDialogRequest == startQuestion();
    Label1->setCaption(screenText(gDialogRequest));
    setCaption(screenText(gDialogRequest).replace(u'\n', u' '));
    Label2->setVisible(startMode_);

    LayoutUserName();
    cmdOK->hide();

    LoadUsers();
    const int n = UserNames.isEmpty() ? 0 : int(lang::Val(UserNames.at(0)));
    for (int k = 1; k <= n && k < UserNames.size(); ++k)
        listnames->addItem(UserNames.at(k));
    listnames->setFocus();
}

void frmUserName::LayoutUserName() {
    // The smaller ratio, so that nothing falls off the window on a wide or tall screen; the
    // design area, scaled, sits in the middle of a window of another shape.
    const CentredDesign design = centreDesign(kDesignWidth, kDesignHeight, twipsWidth(), twipsHeight());
    const double s = design.scale;
    auto place = [&](QWidget* c, double l, double t, double wd, double ht) {
        setGeometryTwips(c, design.place(TwipRect{l, t, wd, ht}));
    };
    const QString arial = screen::arialFamily();
    QFont big(arial);
    big.setPointSizeF(std::max(1.0, 18 * s));
    QFont small(arial);
    small.setPointSizeF(8);

    place(cmdOK, 540, 2520, 735, 735);
    place(Label1, 240, 480, 1395, 1455);
    Label1->setFont(big);
    place(listnames, 1800, 120, 3255, 3735);
    listnames->setFont(big);
    place(Label2, 180, 3600, 1455, 255);
    Label2->setFont(small);
}

void frmUserName::Form_QueryUnload(int& cancel, int unloadMode) {
    // No control box: a name, or F3 at start, are the ways out.
    if (unloadMode == unload::FormControlMenu)
        cancel = 1;
}

void frmUserName::Form_KeyDown(int& keyCode, int shift) {
    (void)shift;
    if (keyCode == kKeyF3 || keyCode == keycode::Escape) {
        if (startMode_) {
            UnloadFrameAndEnd(0);
        }
        // Otherwise Esc is the way out, with no name chosen, where there is no name to pick or
        // the caller lets it cancel.
        if (keyCode == keycode::Escape && (listnames->count() == 0 || escCancels_)) {
            gUserName.clear();
            Unload();
        }
        return;
    }
    if (keyCode == keycode::Return && cmdOK->isVisibleTo(this)) {
        keyCode = 0;  // the dialog's, not the list's
        cmdOK_Click();
    }
}

void frmUserName::listnames_Click() { cmdOK->show(); }

void frmUserName::listnames_DblClick() { cmdOK_Click(); }

void frmUserName::cmdOK_Click() {
    const int row = listnames->ListIndex();
    if (row < 0)
        return;
    gUserName = UserNames.value(row + 1);
    if (startMode_ && gUserName == u"Teacher" && !askTeacherPassword(this, this))
        return;  // the dialog stays for another name or another try
    Unload();
}

void ShowUserNameDialog(bool escCancels) {
    auto* d = new frmUserName(escCancels);
    d->Show(true);
}
