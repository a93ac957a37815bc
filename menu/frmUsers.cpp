#include "menu/frmUsers.h"

#include <QAction>
#include <QFile>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Layout.h"
#include "core/Settings.h"
#include "core/Users.h"
#include "core/WindowShaping.h"
#include "core/frmKest.h"
#include "core/frmSplash.h"
#include "menu/SettingsEdit.h"
#include "menu/UserList.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/WholeFile.h"

namespace {

// A copy of the teacher's settings as the new user's own; a file of that name is replaced
// only once the whole copy is written.
bool copyTeacherSettings(const QString& target) {
    QFile source(ProgramFile(QStringLiteral("TEACHER.DAT")));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    return !bytes.isEmpty() && wholefile::replace(target, bytes);
}

void illegalName(const QString& text) {
    MsgBox(QStringLiteral("Please choose a different name.") + gCrLf + gCrLf + text, mb::OKOnly + mb::Exclamation,
           QStringLiteral("Illegal name"));
}

void deletingWarning(const QString& text) {
    MsgBox(text, mb::OKOnly + mb::Exclamation, QStringLiteral("Deleting a user"));
}

}  // namespace

frmUsers::frmUsers(QWidget* parent) : ChildForm(QStringLiteral("frmUsers"), parent) {
    setCaption(QStringLiteral("User Details"));
    layout::setBackground(this, palette().color(QPalette::Base));
    Shape1 = layout::shape(this, QColor());

    Frame3D1 = new Frame3D(QStringLiteral("Enable/Disable"), this);
    Label1 = new Label(Frame3D1);
    Label1->setCaption(
        QStringLiteral("ENABLE User Names to make each user give their name whenever they use the software."));
    optEnable = new OptionButton(QStringLiteral("User names ENABLED"), Frame3D1);
    optDisable = new OptionButton(QStringLiteral("User names DISABLED"), Frame3D1);
    Frame3D2 = new Frame3D(QStringLiteral("Individual settings"), this);
    Label4 = new Label(Frame3D2);
    Label4->setCaption(QStringLiteral(
        "Do you want users (if you have enabled User Names) to have their own individual settings?"));
    optsetind = new OptionButton(QStringLiteral("Yes; individual settings"), Frame3D2);
    optsetcommon = new OptionButton(QStringLiteral("No; common settings"), Frame3D2);
    Frame3D3 = new Frame3D(QStringLiteral("List of names"), this);
    listnames = new ListBox(Frame3D3);
    cmdAdd = new QPushButton(QStringLiteral("Add"), Frame3D3);
    cmdDelete = new QPushButton(QStringLiteral("Delete"), Frame3D3);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    Label3 = new Label(this);
    Label3->setCaption(QStringLiteral("Click on OK when you have finished."));
    Label2 = new Label(this);
    Label2->setCaption(QStringLiteral("Instructions"));

    on(optEnable, &frmUsers::optEnable_Click);
    on(optDisable, &frmUsers::optDisable_Click);
    on(optsetind, &frmUsers::optsetind_Click);
    on(optsetcommon, &frmUsers::optsetcommon_Click);
    on(cmdAdd, &frmUsers::cmdAdd_Click);
    on(cmdDelete, &frmUsers::cmdDelete_Click);
    on(cmdOK, &frmUsers::cmdOK_Click);

    mnuFile = menus()->addMenu(QStringLiteral("&File"));
    // "To menu" has no action: the teacher options lie between this window and the menu.
    addFileTail(mnuFile, false, {.toMenu = &mnuMenu, .exit = &mnuExit});
    addHelpMenu({&mnuHelp, &mnuHelpLocal, &mnuHelpContents, &mnuHelpSearch, nullptr, &mnuHelpAbout},
                QStringLiteral("&Help on User Details"), kUsersHelpTopic);
}

void frmUsers::Form_Load() {
    LayoutUsers();
    flagsAtLoad_ = GlobalSettings.UserNameFlags;
    LoadUsers();
    fillList();
    // Selecting the option runs its Click, which sets the rest of the screen.
    if (GlobalSettings.UserNameFlags & 1)
        optEnable->setValue(-1);
    else
        optDisable->setValue(-1);
    Label2->setCaption(
        "The User Names feature allows you to control and track each pupil individually." + gCrLf + gCrLf +
        "If you ENABLE User Names, pupils must give their name whenever they start the software.  You can inspect "
        "and edit the list of approved names.  You can then give each pupil their own individual settings if you "
        "wish.  Also, if tracking is enabled, you can check to see how long each pupil has spent using the "
        "software." +
        gCrLf + gCrLf +
        "If you DISABLE User Names, pupils will not be asked for their names, and the software will not know which "
        "pupil is using the computer.");
    Label2->show();
    layout::fitCaption(Label2);

    // Old or hand-made lists may hold names that Add refuses; the teacher is asked to delete them.
    const QStringList toRemove = userlist::namesToRemove(UserNames);
    if (!toRemove.isEmpty())
        MsgBox(QStringLiteral("Please delete these names.") + gCrLf + gCrLf +
                   QStringLiteral("These names are not permitted:") + gCrLf + toRemove.join(gCrLf),
               mb::OKOnly + mb::Exclamation, QStringLiteral("Illegal name"));
}

void frmUsers::fillList() {
    listnames->Clear();
    const int n = userlist::countOf(UserNames);
    for (int i = 1; i <= n; ++i)
        listnames->AddItem(UserNames.at(i));
}

// ---- the two choices ----

void frmUsers::optEnable_Click(int value) {
    if (value == 0)
        return;
    GlobalSettings.UserNameFlags = int16_t(GlobalSettings.UserNameFlags | 1);
    optsetcommon->setEnabled(true);
    optsetind->setEnabled(true);
    if (GlobalSettings.UserNameFlags & 2)
        optsetind->setValue(-1);
    else
        optsetcommon->setValue(-1);
    cmdAdd->setEnabled(true);
    cmdDelete->setEnabled(true);
    listnames->show();
    Label4->setForeColor(Qt::black);
}

void frmUsers::optDisable_Click(int value) {
    if (value == 0)
        return;
    GlobalSettings.UserNameFlags = int16_t(GlobalSettings.UserNameFlags - (GlobalSettings.UserNameFlags & 1));
    optsetcommon->setEnabled(false);
    optsetind->setEnabled(false);
    optsetcommon->setValue(0);
    optsetind->setValue(0);
    cmdAdd->setEnabled(false);
    cmdDelete->setEnabled(false);
    listnames->hide();
    Label4->setForeColor(QBColor(8));
}

void frmUsers::optsetind_Click(int value) {
    if (value != 0)
        GlobalSettings.UserNameFlags = int16_t(GlobalSettings.UserNameFlags | 2);
}

void frmUsers::optsetcommon_Click(int value) {
    if (value != 0)
        GlobalSettings.UserNameFlags = int16_t(GlobalSettings.UserNameFlags - (GlobalSettings.UserNameFlags & 2));
}

// ---- adding and deleting ----

void frmUsers::cmdAdd_Click() {
    QPointer<frmUsers> self(this);
    QString name = lang::Trim(InputBox(QStringLiteral("Type the new name, then hit ENTER.") + gCrLf + gCrLf +
                                           QStringLiteral("Use up to 16 characters, upper or lower case, plus spaces "
                                                          "or other symbols if you wish."),
                                       QStringLiteral("New user")));
    if (!self || isUnloaded())
        return;
    if (name.size() > userlist::kMaxName) {
        const QString cut = name.left(userlist::kMaxName);
        const int answer = MsgBox("Names must not exceed 16 characters." + gCrLf + gCrLf + "Do you want to use" +
                                      gCrLf + cut + gCrLf + "instead?",
                                  mb::YesNo + mb::Question, QStringLiteral("Illegal name"));
        name = answer == mb::Yes ? cut : QString();
    }
    if (name.isEmpty() || !self || isUnloaded())
        return;

    const userlist::Check check = userlist::checkNewName(UserNames, name);
    switch (check.refusal) {
    case userlist::Refusal::CannotStore:
        illegalName("This name has letters the computer cannot store (" + check.letters + ").");
        return;
    case userlist::Refusal::NotPermitted: illegalName(QStringLiteral("This name is not permitted.")); return;
    case userlist::Refusal::Exists: illegalName(QStringLiteral("This name already exists.")); return;
    case userlist::Refusal::Muddled:
        illegalName("The computer would get muddled between " + name + " and " + check.clash + ".");
        return;
    case userlist::Refusal::None: break;
    }

    mouse::setPointer(mouse::Hourglass);
    const QStringList before = UserNames;
    userlist::insertSorted(UserNames, name);
    fillList();

    const QString target = MakeFilePath(gProgramRoot, FileKey(name) + QStringLiteral(".DAT"));
    const QString settingsFile = ProgramFile(FileKey(name) + QStringLiteral(".DAT"));
    if (!copyTeacherSettings(settingsFile)) {
        mouse::setPointer(mouse::Default);
        MsgBox("It was not possible to create a settings file " + gCrLf + target + gCrLf + "for this new user." +
                   gCrLf + gCrLf + "The attempt to create this user will be abandoned.",
               mb::OKOnly + mb::Exclamation, QStringLiteral("Can't create"));
        abandon(before);
        return;
    }
    if (!SaveUsers()) {
        // The list on disk is still the old one, without the name: his settings file goes
        // too, so that the two never disagree.
        QFile::remove(settingsFile);
        abandon(before);
        return;
    }
    mouse::setPointer(mouse::Default);
}

void frmUsers::cmdDelete_Click() {
    const int selected = listnames->ListIndex();
    if (selected < 0) {
        deletingWarning(QStringLiteral("First click on the name that you wish to delete."));
        return;
    }
    const int idx = selected + 1;
    if (idx >= UserNames.size())
        return;
    const QString name = UserNames.at(idx);
    if (name == QStringLiteral("Teacher")) {
        deletingWarning(QStringLiteral("You may not delete the name \"Teacher\".") + gCrLf + gCrLf +
                        QStringLiteral("(Note that anyone wanting to use this name must give the password, if one "
                                       "has been set.)"));
        return;
    }
    if (name == gUserName) {
        deletingWarning(QStringLiteral("You may not delete yourself!") + gCrLf + gCrLf +
                        QStringLiteral("If you really want to delete this identity, start the software again using "
                                       "the name \"Teacher\", then delete this identity."));
        return;
    }
    mouse::setPointer(mouse::Hourglass);
    const QStringList before = UserNames;
    userlist::removeAt(UserNames, idx);
    fillList();
    if (!SaveUsers()) {
        abandon(before);
        return;
    }
    // A missing file is no error. The installation's own files, and a file that another listed
    // name still maps to, are no file of this user's.
    const QString key = FileKey(name);
    if (!IsInstallationFileKey(key) && !userlist::keyInUse(UserNames, key))
        QFile::remove(ProgramFile(key + QStringLiteral(".DAT")));
    mouse::setPointer(mouse::Default);
}

void frmUsers::abandon(const QStringList& namesBefore) {
    // Memory goes back to what the files hold, so nothing unsaved is taken for saved later.
    UserNames = namesBefore;
    GlobalSettings.UserNameFlags = flagsAtLoad_;
    mouse::setPointer(mouse::Default);
    Unload();
}

// ---- OK and menus ----

void frmUsers::cmdOK_Click() {
    SaveGlobalSettings(1);
    if (const auto file = settingsedit::fileInForce(GlobalSettings.UserNameFlags, gUserName)) {
        LoadSettingsFile(*file);
        ActiveSettings = SavedSettings;
    }
    Unload();
}

void frmUsers::mnuExit_Click() { UnloadFrameAndEnd(0); }

// ---- layout ----

void frmUsers::Form_Resize() {
    if (ShapeChildWindow(*this))
        LayoutUsers();
}

void frmUsers::LayoutUsers() {
    const double g = gScale;
    layout::setFonts({Frame3D1, Frame3D2, Frame3D3, Label1, Label2, Label3, Label4}, 9.75 * g, false);
    layout::setFonts({cmdAdd, cmdDelete, cmdOK, optEnable, optDisable, optsetind, optsetcommon}, 9.75 * g, true);
    layout::setFont(listnames, 13.5 * g, false);

    layout::placeAll({
        {cmdOK, {480, 240, 855, 375}},          {Label3, {1680, 240, 1815, 495}},
        {Shape1, {240, 840, 9135, 3375}},       {Frame3D1, {360, 960, 2655, 3135}},
        {Frame3D2, {3120, 960, 2655, 3135}},    {Frame3D3, {5880, 960, 3375, 3135}},
        {Label2, {480, 4350, 8820, 2190}},      {Label1, {120, 360, 2415, 1575}},
        {optEnable, {120, 2040, 2415, 255}},    {optDisable, {120, 2520, 2415, 255}},
        {Label4, {120, 360, 2295, 1575}},       {optsetind, {120, 2040, 2415, 255}},
        {optsetcommon, {120, 2520, 2415, 255}}, {listnames, {120, 360, 3135, 1920}},
        {cmdAdd, {360, 2640, 975, 375}},        {cmdDelete, {1920, 2640, 975, 375}},
    });
    layout::fitCaptions({Label1, Label2, Label3, Label4});
    layout::fitButtonCaptions(this);
}
