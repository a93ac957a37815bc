#include "core/frmWarning.h"

#include <QCheckBox>
#include <QPalette>
#include <QPushButton>
#include <cmath>

#include "core/Globals.h"
#include "core/Settings.h"
#include "platform/Controls.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/Program.h"
#include "platform/Screen.h"
#include "platform/Twips.h"

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4320;

}  // namespace

frmWarning::frmWarning() : Form(QStringLiteral("frmWarning")) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setCaption(QStringLiteral("Kestrow Readers"));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(p);
    QFont f(screen::arialFamily());
    f.setPointSize(10);
    setFont(f);

    Label1 = new Label(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Check3D1 = new QCheckBox(QStringLiteral("  Omit this warning in future."), this);
    Check3D1->setObjectName(QStringLiteral("Check3D1"));
    Command1 = new QPushButton(QStringLiteral("Yes - proceed"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("No - quit"), this);
    Command2->setObjectName(QStringLiteral("Command2"));

    connect(Check3D1, &QCheckBox::clicked, this, [this](bool on) { Check3D1_Click(on ? -1 : 0); });
    on(Command1, &frmWarning::Command1_Click);
    on(Command2, &frmWarning::Command2_Click);
}

void frmWarning::Form_Load() {
    mouse::setPointer(mouse::Default);
    SettingChanged = 0;
    const QString nl2 = QStringLiteral("\n\n");
    QString text;
    if (gWarningKind == u"Colour") {
        const double colours = std::pow(2.0, double(gColourBits));
        text = QStringLiteral("The software includes colour illustrations which are designed for display on a screen "
                              "showing at least 256 colours.  ") +
               QStringLiteral("Your present Windows setup allows only") + lang::Str(colours) +
               QStringLiteral(" colours.") + nl2 +
               QStringLiteral("You may proceed, but any colour pictures will be of poor quality, and on some systems "
                              "the software may run very slowly.") +
               nl2 + QStringLiteral("Do you want to proceed?");
    } else if (gWarningKind == u"Font") {
        text = QStringLiteral("This software needs the \"Arial\" font, normally supplied with Windows.  This font "
                              "cannot be found.  Please install it.") +
               nl2 +
               QStringLiteral("Without it, the software will try to use an alternative font, but the results are "
                              "not guaranteed.") +
               nl2 + QStringLiteral("Do you wish to proceed?");
    }
    Command2->setText(QStringLiteral("No - quit"));
    Label1->setCaption(text);

    setGeometryTwips(Label1, TwipRect{240, 240, 5520, 2640});
    setGeometryTwips(Check3D1, TwipRect{240, 3000, 5520, 375});
    setGeometryTwips(Command1, TwipRect{600, 3600, 2160, 495});
    setGeometryTwips(Command2, TwipRect{3240, 3600, 2160, 495});
    moveTwips((screen::widthTwips() - kWidth) / 2, (screen::heightTwips() - kHeight) / 2, kWidth, kHeight);
}

void frmWarning::Form_QueryUnload(int& cancel, int unloadMode) {
    // No control box: the two buttons are the ways out.
    if (unloadMode == unload::FormControlMenu)
        cancel = 1;
}

void frmWarning::Check3D1_Click(int value) {
    SettingChanged = -1;
    if (gWarningKind == u"Colour")
        GlobalSettings.NoColourWarning = int16_t(value);
    else if (gWarningKind == u"Font")
        GlobalSettings.NoFontWarning = int16_t(value);
}

void frmWarning::Command1_Click() {
    if (SettingChanged == -1)
        SaveGlobalSettings(0);
    Unload();
}

void frmWarning::Command2_Click() {
    // At once: no frame unload, so nothing is logged.
    EndProgram(0);
}

void ShowWarningDialog() {
    auto* w = new frmWarning;
    w->Show(true);
}
