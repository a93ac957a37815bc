#include "menu/frmOption.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "core/Activity.h"
#include "core/Globals.h"
#include "core/Layout.h"
#include "core/Password.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/WindowShaping.h"
#include "core/frmKest.h"
#include "core/frmPass.h"
#include "core/frmSplash.h"
#include "menu/frmLog.h"
#include "menu/frmSettings.h"
#include "menu/frmUsers.h"
#include "platform/Controls.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"

frmOption::frmOption(QWidget* parent) : ChildForm(QStringLiteral("frmOption"), parent) {
    setCaption(QStringLiteral("Options"));
    layout::setBackground(this, palette().color(QPalette::Base));

    auto label = [this](const QString& text, bool framed) {
        auto* l = new Label(this);
        l->setCaption(text);
        if (framed)
            l->setBackColor(Qt::white);
        l->setForeColor(Qt::black);
        return l;
    };
    auto button = [this](const QString& text, void (frmOption::*handler)()) {
        auto* b = new QPushButton(text, this);
        on(b, handler);
        return b;
    };
    Label5 = label(QString(), false);
    Label5->setForeColor(Qt::red);
    Label5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label6 = label(QStringLiteral("Read the manual or use on-line \"Help\" for more details."), false);
    Label6->setForeColor(Qt::blue);
    Label6->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    cmdMenu = button(QStringLiteral("&Back to main menu"), &frmOption::cmdMenu_Click);
    Label1 = label(QStringLiteral("Click here to return to the main menu."), true);
    cmdPass = button(QStringLiteral("&Password"), &frmOption::cmdPass_Click);
    Label2 = label(QStringLiteral("To set a password, or to alter or remove it, click here then type the required "
                                  "password.  Anyone trying to use \"Teacher options\" will be asked to give the "
                                  "password, if one is set."),
                   true);
    cmdTeacher = button(QStringLiteral("&Alter settings"), &frmOption::cmdTeacher_Click);
    Label4 = label(QStringLiteral("This allows you to alter a wide range of settings which determine how the "
                                  "software is used.  For example, you can force the use of a particular book, "
                                  "disable some exercises, or prevent printing."),
                   true);
    cmdUsers = button(QStringLiteral("&User details"), &frmOption::cmdUsers_Click);
    Label3 = label(QStringLiteral("Click here to decide whether users must give their name when they start, and "
                                  "whether users have their own individual settings.  You can also inspect the "
                                  "list of users, and add or delete names."),
                   true);
    cmdTracking = button(QStringLiteral("&Tracking"), &frmOption::cmdTracking_Click);
    Label7 = label(QStringLiteral("Tracking allows you to keep track of who has been using the software, and what "
                                  "they have been doing.  Click here to enable or disable this feature, or to "
                                  "inspect the results."),
                   true);

    mnuFile = menus()->addMenu(QStringLiteral("&File"));
    addFileTail(mnuFile, true, {.toMenu = &mnuMenu, .exit = &mnuExit});
    on(mnuMenu, &frmOption::mnuMenu_Click);
    addHelpMenu({&mnuHelp, &mnuHelpLocal, &mnuContents, &mnuHelpSearch, nullptr, &mnuHelpAbout},
                QStringLiteral("&Help on Options"), kOptionsHelpTopic);
}

void frmOption::Form_Load() {
    mouse::setPointer(mouse::Default);
    LayoutOptions();
    gOldPassword = lang::Trim(CurrentPassword());
    gPasswordEditText = gOldPassword;
    gNewPassword = gOldPassword;
}

void frmOption::Form_Resize() {
    if (ShapeChildWindow(*this))
        LayoutOptions();
}

void frmOption::LayoutOptions() {
    const double g = gScale;
    layout::setFonts({Label1, Label2, Label3, Label4, Label7}, 9.75 * g, false);
    layout::setFont(Label5, 13.5 * g, false);
    layout::setFont(Label6, 13.5 * g, false);
    layout::setFonts({cmdMenu, cmdPass, cmdTeacher, cmdUsers, cmdTracking}, 9.75 * g, true);

    layout::placeAll({
        {Label5, {1200, 60, 6855, 615}},      {Label6, {1320, 720, 6735, 375}},
        {cmdMenu, {480, 1200, 2175, 735}},    {Label1, {3120, 1410, 6135, 255}},
        {cmdPass, {480, 2100, 2175, 735}},    {Label2, {3120, 2100, 6135, 795}},
        {cmdTeacher, {480, 3000, 2175, 735}}, {Label4, {3120, 3000, 6135, 795}},
        {cmdUsers, {480, 3900, 2175, 735}},   {Label3, {3120, 3900, 6135, 795}},
        {cmdTracking, {480, 4800, 2175, 735}}, {Label7, {3120, 4800, 6135, 855}},
    });
    Label5->setCaption("This screen is intended for use by teachers." + gCrLf +
                       "A password may be set to prevent unauthorised access.");
    layout::fitCaptions({Label1, Label2, Label3, Label4, Label5, Label6, Label7});
}

// ---- buttons ----

void frmOption::cmdMenu_Click() {
    gActivity = activity::None;
    shell::setFrameCaption(QStringLiteral("Kestrow Menu"));
    shell::replaceWithMainMenu(*this);
}

void frmOption::cmdPass_Click() {
    // The dialog's answer is not looked at: what was typed is stored when this screen closes.
    gPassResult = 1;
    frmPass::ShowDialog(window());
}

void frmOption::cmdTeacher_Click() {
    mouse::setPointer(mouse::Hourglass);
    gActivity = activity::TeacherSettings;
    (new frmSettings)->showInFrame();
}

void frmOption::cmdTracking_Click() {
    mouse::setPointer(mouse::Hourglass);
    (new frmLog)->showInFrame();
    mouse::setPointer(mouse::Default);
}

void frmOption::cmdUsers_Click() {
    mouse::setPointer(mouse::Hourglass);
    (new frmUsers)->showInFrame();
    mouse::setPointer(mouse::Default);
}

// ---- closing ----

void frmOption::Form_Unload(int& cancel) {
    (void)cancel;
    mouse::setPointer(mouse::Hourglass);
    if (gNewPassword != gOldPassword) {
        GlobalSettings.Password.setText(ScramblePassword(lang::Trim(gNewPassword), 8));
        SaveGlobalSettings(1);
    }
    mouse::setPointer(mouse::Default);
    gActivityLog += QStringLiteral("   Teacher options") + gCrLf;
}

// ---- menus ----

void frmOption::mnuMenu_Click() { cmdMenu_Click(); }
void frmOption::mnuExit_Click() { UnloadFrameAndEnd(0); }
