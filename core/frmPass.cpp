#include "core/frmPass.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <algorithm>

#include "core/Globals.h"
#include "core/Layout.h"
#include "core/Password.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Lang.h"
#include "platform/Screen.h"
#include "platform/Twips.h"

namespace {

// The design size of the dialog in twips.
constexpr double kDesignWidth = 5310;
constexpr double kDesignHeight = 4110;

}  // namespace

QPixmap tickPicture(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0, 160, 0), size * 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    QPainterPath path;
    path.moveTo(size * 0.15, size * 0.55);
    path.lineTo(size * 0.40, size * 0.80);
    path.lineTo(size * 0.85, size * 0.20);
    p.drawPath(path);
    return pm;
}

QPixmap crossPicture(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(210, 0, 0), size * 0.16, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(size * 0.2, size * 0.2), QPointF(size * 0.8, size * 0.8));
    p.drawLine(QPointF(size * 0.8, size * 0.2), QPointF(size * 0.2, size * 0.8));
    return pm;
}

frmPass::frmPass(QWidget* parent) : Form(QStringLiteral("frmPass"), parent) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Label1 = new Label(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setCaption(QStringLiteral("PASSWORD"));
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Label2 = new Label(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setCaption(QStringLiteral(
        "       This is for teacher use only.       Please type the password, then hit ENTER or click on "
        "the green tick.  Use the cross to cancel.  Read the manual if you have forgotten the password!"));

    Text1 = new TextBox(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setPasswordChar(QStringLiteral("*"));
    Text1->setMaxLength(8);
    Text1->KeyDown = [this](int& k, int s) { Text1_KeyDown(k, s); };
    Text1->KeyPress = [this](int& k) { Text1_KeyPress(k); };

    cmdOK = new PictureButton(this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setPicture(tickPicture(64));
    on(cmdOK, &frmPass::cmdOK_Click);

    cmdAbort = new PictureButton(this);
    cmdAbort->setObjectName(QStringLiteral("cmdAbort"));
    cmdAbort->setPicture(crossPicture(64));
    on(cmdAbort, &frmPass::cmdAbort_Click);

    setTabOrder(Text1, cmdOK);
    setTabOrder(cmdOK, cmdAbort);
}

void frmPass::ShowDialog(QWidget* parent) {
    auto* dialog = new frmPass(parent);
    dialog->Show(true);  // every way out unloads it, which deletes it later
}

bool askTeacherPassword(QWidget* parent, const Form* asker) {
    if (CurrentPassword().isEmpty())
        return true;
    const QPointer<const Form> guard(asker);
    gPassResult = 0;
    frmPass::ShowDialog(parent);
    if (!guard || guard->isUnloaded())
        return false;
    if (gPassResult == 2)
        return false;  // cancelled
    if (gPassResult == 0) {
        MsgBox(QStringLiteral("Wrong password"), mb::OKOnly + mb::Exclamation, QStringLiteral("Password"));
        return false;
    }
    return true;
}

void frmPass::cmdAbort_Click() {
    gPassResult = 2;
    Unload();
}

void frmPass::cmdOK_Click() {
    const QString stored = CurrentPassword();
    const QString typed = lang::Trim(Text1->Text());
    gPassResult = lang::UCase(typed) == lang::UCase(lang::Trim(stored)) ? -1 : 0;
    if (typed.isEmpty())
        gPassResult = 2;
    Unload();
}

void frmPass::Form_Load() {
    const int sw = screen::widthTwips();
    const int sh = screen::heightTwips();
    const int w = sw * 5310 / 9600;
    const int h = sh * 4110 / 7200;
    moveTwips((sw - w) / 2, (sh - h) / 2, w, h);
    editMode_ = gPassResult == 1;
    LayoutPass();
    gPassResult = 0;
    Text1->setFocus();
}

void frmPass::Form_Activate() { Text1->setFocus(); }

void frmPass::Form_QueryUnload(int& cancel, int unloadMode) {
    (void)cancel;
    if (unloadMode == unload::FormControlMenu)
        gPassResult = 2;  // the close box cancels, as the cross does
}

void frmPass::LayoutPass() {
    // The design area, scaled, sits in the middle of a window of another shape (a 16:9 screen).
    const CentredDesign design = centreDesign(kDesignWidth, kDesignHeight, twipsWidth(), twipsHeight());
    const double s = design.scale;
    auto place = [&](QWidget* c, double left, double top, double width, double height) {
        setGeometryTwips(c, design.place(TwipRect{left, top, width, height}));
    };
    place(Label1, 240, 240, 4695, 855);
    layout::setFont(Label1, 31.5 * s, false);
    place(Label2, 240, 1320, 4695, 1695);
    layout::setFont(Label2, 12 * s, false);
    place(Text1, 1560, 3120, 2055, 675);
    layout::setFont(Text1, 24 * s, false);
    place(cmdOK, 480, 3120, 735, 735);
    place(cmdAbort, 3960, 3120, 735, 735);

    if (!editMode_)
        return;
    Label2->setCaption(QStringLiteral(
        "Type or alter the password as required (up to 8 letters and numbers) then hit ENTER.  If you do "
        "not want to use a password at all, delete it."));
    cmdOK->hide();
    cmdAbort->hide();
    place(Text1, 810, 3120, 3555, 675);
    Text1->setPasswordChar(QString());
    Text1->setText(gPasswordEditText);
    Text1->setSelStart(int(Text1->Text().size()));
    QPalette p = palette();
    p.setColor(QPalette::Window, QBColor(11));
    p.setColor(QPalette::WindowText, QBColor(0));
    setPalette(p);
    setAutoFillBackground(true);
    for (Label* l : {Label1, Label2}) {
        l->setBackColor(QBColor(11));
        l->setForeColor(QBColor(0));
    }
}

void frmPass::Text1_KeyDown(int& KeyCode, int Shift) {
    (void)Shift;
    if (KeyCode == 13) {
        if (!Text1->PasswordChar().isEmpty()) {
            KeyCode = 0;
            cmdOK_Click();
        } else {
            gNewPassword = Text1->Text();
            gPasswordEditText = gNewPassword;
            Unload();
        }
    } else if (KeyCode == 27) {
        gPassResult = 2;
        Unload();
    }
}

void frmPass::Text1_KeyPress(int& KeyAscii) {
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
    const bool allowed = (KeyAscii >= 'A' && KeyAscii <= 'Z') || (KeyAscii >= '0' && KeyAscii <= '9') ||
                         KeyAscii == 8 || KeyAscii == 127;
    if (!allowed)
        KeyAscii = 0;
}
