#include "square/frmSqSet.h"

#include <QFrame>
#include <QPushButton>

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Layout.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/WindowShaping.h"
#include "core/frmGetfile.h"
#include "core/frmPass.h"
#include "platform/Controls.h"
#include "platform/Lang.h"
#include "platform/Mouse.h"
#include "platform/RecordFile.h"
#include "platform/Screen.h"
#include "platform/Twips.h"
#include "square/SquareSettings.h"
#include "square/frmSquare.h"

frmSqSet::frmSqSet() : Form(QStringLiteral("frmSqSet")) {
    setCaption(QStringLiteral("Settings"));
    layout::setBackground(this, layout::paleYellow());

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::Box);
    cmdSave = new QPushButton(QStringLiteral("OK"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto label = [this](const char* name, const QString& caption) {
        auto* l = new Label(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setCaption(caption);
        return l;
    };
    Label1 = label("Label1", QStringLiteral("Click here to save these settings."));
    Label2 = label("Label2", QStringLiteral("Click here to cancel any changes you have made."));
    Label3 = label("Label3", QStringLiteral("These settings apply to all users.  However they do not affect the "
                                            "teacher utility for creating and printing word squares."));
    Label6 = label("Label6", QStringLiteral("You can choose any wordlist you like to be loaded when the software "
                                            "starts.  There is a wordlist for each story, and some wordlists of the "
                                            "entire vocabulary of several stories."));
    Label4 = label("Label4", QStringLiteral("Wordlist loaded when software starts:"));
    Label5 = label("Label5", QStringLiteral("Initial size of tavlorin:"));
    combo_file = new ComboBox(this);
    combo_file->setObjectName(QStringLiteral("combo_file"));
    combo_size = new ComboBox(this);
    combo_size->setObjectName(QStringLiteral("combo_size"));
    Check3D1 = new CheckBox(QStringLiteral("User can choose the size"), this);
    Check3D2 = new CheckBox(QStringLiteral("User can load other wordlists"), this);
    Check3D3 = new CheckBox(QStringLiteral("Say each word when found"), this);
    Check3D4 = new CheckBox(QStringLiteral("Lower case letters"), this);
    Check3D1->setObjectName(QStringLiteral("Check3D1"));
    Check3D2->setObjectName(QStringLiteral("Check3D2"));
    Check3D3->setObjectName(QStringLiteral("Check3D3"));
    Check3D4->setObjectName(QStringLiteral("Check3D4"));
    on(cmdSave, &frmSqSet::cmdSave_Click);
    on(cmdCancel, &frmSqSet::cmdCancel_Click);
}

void frmSqSet::Form_Load() {
    SavedSettings = ActiveSettings;
    const QStringList files =
        ListFolderFiles(MakeFilePath(gProgramRoot, QStringLiteral("WORDLIST")), QStringLiteral("*.txt"));
    const QString wanted = lang::UCase(ActiveSettings.SquareWordList.text() + QStringLiteral(".TXT"));
    int selected = 0;
    for (const QString& f : files) {
        const QString title = GetBookTitle(f);
        if (title.isEmpty())
            continue;
        // A name the settings record cannot hold would come back as another list's name.
        if (!FitsStartList(f.left(f.size() - 4)))
            continue;
        if (lang::UCase(f) == wanted)
            selected = int(ListFileNames.size());
        ListFileNames << f;
        combo_file->AddItem(title);
    }
    if (combo_file->ListCount() > 0)
        combo_file->setListIndex(selected);

    for (int n = 4; n <= 10; ++n)
        combo_size->AddItem(QStringLiteral("%1 x %1").arg(n));
    const int flags = ActiveSettings.SquareFlags;
    combo_size->setListIndex(StartColumns(flags) - 4);
    Check3D1->setValue(flags & squareflag::SizeLocked ? 0 : -1);
    Check3D2->setValue(flags & squareflag::OpenLocked ? 0 : -1);
    Check3D3->setValue(flags & squareflag::Silent ? 0 : -1);
    Check3D4->setValue(flags & squareflag::UpperCase ? 0 : -1);
    LayoutSettings();
}

void frmSqSet::Form_Resize() {
    if (ShapeChildWindow(*this))
        LayoutSettings();
}

void frmSqSet::LayoutSettings() {
    const double points = 9.75 * gScale;
    layout::setFonts({cmdSave, cmdCancel, Label1, Label2, Label4, Label5, combo_file, combo_size, Check3D1, Check3D2,
                      Check3D3, Check3D4},
                     points, true);
    layout::setFonts({Label3, Label6}, points, false);
    layout::placeAll({
        {cmdSave, {1440, 240, 1095, 495}},
        {cmdCancel, {1440, 840, 1095, 495}},
        {Label1, {2880, 360, 5415, 315}},
        {Label2, {2880, 960, 5415, 315}},
        {Label3, {360, 1680, 8175, 495}},
        {Label6, {360, 2400, 8175, 735}},
        {Label4, {1200, 3600, 2295, 495}},
        {Label5, {1200, 4800, 1815, 495}},
        {Check3D1, {4440, 3720, 3255, 255}},
        {Check3D2, {4440, 4080, 3255, 255}},
        {Check3D3, {4440, 4440, 3255, 255}},
        {Check3D4, {4440, 4800, 3255, 255}},
        {Shape1, {840, 3360, 6975, 2775}},
    });
    // The lists keep the height their font asks for.
    layout::placeKeepHeight(combo_file, {1200, 4200, 3135, 0});
    layout::placeKeepHeight(combo_size, {1200, 5400, 1575, 0});
}

bool SavePupilOptions(int showMessage) {
    ActivitySettingsRecord record = ActiveSettings;
    const std::optional<QByteArray> onDisk =
        recordfile::read(ProgramFile(QStringLiteral("TEACHER.DAT")), 0, ActivitySettingsRecord::Length, false);
    if (onDisk && onDisk->size() == ActivitySettingsRecord::Length)
        record = ActivitySettingsRecord::decode(*onDisk);
    record.SquareFlags = ActiveSettings.SquareFlags;
    record.SquareWordList = ActiveSettings.SquareWordList;
    SavedSettings = record;
    return SaveTeacherSettings(QStringLiteral("TEACHER.DAT"), showMessage);
}

void frmSqSet::cmdSave_Click() {
    // With no list on offer the start list stays as it was.
    const int index = combo_file->ListIndex();
    if (index >= 0 && index < ListFileNames.size()) {
        const QString stem = ListFileNames[index].left(ListFileNames[index].size() - 4);
        ActiveSettings.SquareWordList.setText(stem);
        gWordListName = stem;
    }
    ActiveSettings.SquareFlags = EncodeSquareFlags(combo_size->ListIndex(), Check3D1->Value() != 0,
                                                   Check3D2->Value() != 0, Check3D3->Value() != 0,
                                                   Check3D4->Value() != 0);
    mouse::setPointer(mouse::Hourglass);
    SavePupilOptions(1);
    OpenSquareWindow();
    Unload();
}

void frmSqSet::cmdCancel_Click() {
    ActiveSettings = SavedSettings;
    mouse::setPointer(mouse::Hourglass);
    OpenSquareWindow();
    Unload();
}

void OpenPupilSettings(Form* squareWindow) {
    if (gUserName != u"Teacher" && !askTeacherPassword(shell::frame(), squareWindow))
        return;
    auto* form = new frmSqSet;
    shell::showChild(form, nullptr);
    squareWindow->Unload();
}
