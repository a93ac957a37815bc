#include "menu/frmSettings.h"

#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Layout.h"
#include "core/Settings.h"
#include "core/Shell.h"
#include "core/Users.h"
#include "core/WindowShaping.h"
#include "core/frmKest.h"
#include "core/frmSplash.h"
#include "core/frmUserName.h"
#include "menu/SettingsEdit.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/Mouse.h"
#include "platform/Paths.h"

using settingsedit::Scope;

namespace {

const QColor kDarkBlue(0, 0, 192);
const QColor kLightYellow(255, 255, 192);

}  // namespace

frmSettings::frmSettings(QWidget* parent) : ChildForm(QStringLiteral("frmSettings"), parent) {
    setCaption(QStringLiteral("Settings"));
    layout::setBackground(this, palette().color(QPalette::Base));
    createControls();
    createMenus();
}

void frmSettings::createControls() {
    // Bottom of the stack first: the rectangles lie behind the frames, the yellow owner bar
    // over the grey panel whose top it overlaps.
    Shape1 = layout::shape(this, palette().color(QPalette::Button));
    Shape2 = layout::shape(this, layout::paleYellow());

    auto label = [](QWidget* parent, const QString& text) {
        auto* l = new Label(parent);
        l->setCaption(text);
        return l;
    };
    Label6 = label(this, QStringLiteral(" OK to save, Cancel to abandon."));
    Label6->setBackColor(Qt::white);
    Label6->setForeColor(kDarkBlue);
    Label6->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    on(cmdOK, &frmSettings::cmdOK_Click);
    on(cmdCancel, &frmSettings::cmdCancel_Click);
    Label3 = label(this, QString());
    Label3->setBackColor(Qt::white);
    lblowner = label(this, QStringLiteral("Settings for"));
    lblowner->setBackColor(kLightYellow);
    lblowner1 = label(this, QString());
    lblowner1->setBackColor(kLightYellow);
    lblowner1->setForeColor(QColor(255, 0, 0));
    lblowner1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    FrameBook = new Frame3D(QStringLiteral("Book title"), this);
    FrameA = new Frame3D(QStringLiteral("\"A\" sound"), this);
    FrameCloze = new Frame3D(QStringLiteral("Cloze"), this);
    frameRead = new Frame3D(QStringLiteral("Read"), this);
    frameWrite = new Frame3D(QStringLiteral("Write"), this);
    frameTreasure = new Frame3D(QStringLiteral("Treasure"), this);
    frameSlide = new Frame3D(QStringLiteral("Slide"), this);

    // A box that stands for a whole field.
    using Field = int16_t ActivitySettingsRecord::*;
    auto box = [this](Frame3D* frame, const QString& caption, Field field) {
        auto* c = new CheckBox(caption, frame);
        c->Click = [this, field](int value) {
            if (Loading == -1)
                return;
            EditSettings.*field = int16_t(value);
            Dirty = -1;
        };
        return c;
    };
    // A box that stands for one bit of a field.
    auto bitBox = [this](Frame3D* frame, const QString& caption, Field field, int bit, bool slide) {
        auto* c = new CheckBox(caption, frame);
        c->Click = [this, field, bit, slide](int value) {
            if (Loading == -1)
                return;
            int16_t& f = EditSettings.*field;
            f = slide ? settingsedit::slideBit(f, bit, value) : settingsedit::setBit(f, bit, value);
            Dirty = -1;
        };
        return c;
    };
    using A = ActivitySettingsRecord;
    chk_read_on = box(frameRead, QStringLiteral("Enabled"), &A::ReadOn);
    chk_read_sent = box(frameRead, QStringLiteral("Allow hearing sentences"), &A::ReadHearSentence);
    chk_read_word = box(frameRead, QStringLiteral("Allow hearing words"), &A::ReadHearWord);
    chk_read_print = box(frameRead, QStringLiteral("Allow printing while reading"), &A::ReadPrint);
    chk_read_all = box(frameRead, QStringLiteral("\"Tell story\" facility allowed"), &A::ReadTellStory);
    chk_write_on = box(frameWrite, QStringLiteral("Enabled"), &A::WriteOn);
    chk_write_text = box(frameWrite, QStringLiteral("Start with story text"), &A::WriteStartWithText);
    chk_write_save = box(frameWrite, QStringLiteral("Allow saving and loading"), &A::WriteSaveLoad);
    chk_write_print = box(frameWrite, QStringLiteral("Allow printing while writing"), &A::WritePrint);
    chk_write_hear = box(frameWrite, QStringLiteral("Allow hearing sentences"), &A::WriteHearSentence);
    chk_write_all = box(frameWrite, QStringLiteral("\"Tell story\" facility allowed"), &A::WriteTellStory);
    lbl_engine = label(frameWrite, QString());
    chk_treasure_on = box(frameTreasure, QStringLiteral("Enabled"), &A::TreasureOn);
    chk_treasure_load = box(frameTreasure, QStringLiteral("Allow loading other wordlists"), &A::TreasureLoad);
    chk_treasure_say = box(frameTreasure, QStringLiteral("Say word at start"), &A::TreasureSay);
    chk_treasure_ear = bitBox(frameTreasure, QStringLiteral("Sound clue available "), &A::TreasureClues, 1, false);
    chk_treasure_letterclue =
        bitBox(frameTreasure, QStringLiteral("Letter clue available"), &A::TreasureClues, 2, false);
    chk_treasure_choose = box(frameTreasure, QStringLiteral("User can set no. of guesses"), &A::TreasureChooseGuesses);
    drop_treasure = new ComboBox(frameTreasure);
    for (int i = 0; i <= 9; ++i)
        drop_treasure->AddItem(QString::number(i));
    on(drop_treasure, &frmSettings::drop_treasure_Click);
    Label1 = label(frameTreasure, QStringLiteral("Number of fails allowed"));
    chk_slide_on = bitBox(frameSlide, QStringLiteral("Enabled"), &A::SlideFlags, 1, true);
    chk_slide_say = bitBox(frameSlide, QStringLiteral("Say word at start"), &A::SlideFlags, 2, true);
    chk_slide_sclue = bitBox(frameSlide, QStringLiteral("Sound clue available"), &A::SlideFlags, 4, true);
    chk_slide_load = bitBox(frameSlide, QStringLiteral("Allow loading other wordlists"), &A::SlideFlags, 8, true);
    chk_slide_lclue = bitBox(frameSlide, QStringLiteral("Letter clue available"), &A::SlideFlags, 16, true);
    chk_cloze_type_on = box(FrameCloze, QStringLiteral("\"Type\" cloze enabled"), &A::ClozeTypeOn);
    chk_clozet_sound = box(FrameCloze, QStringLiteral("Sound clues in \"type\" cloze"), &A::ClozeTypeSound);
    chk_cloze_choose_on = bitBox(FrameCloze, QStringLiteral("\"Click\" cloze enabled"), &A::ClozeChoose, 16, false);
    chk_clozec_sound = box(FrameCloze, QStringLiteral("Sound clues in \"click\" cloze"), &A::ClozeChooseSound);
    Label2 = label(FrameCloze, QStringLiteral("Number of choices:"));
    auto countOption = [this](const QString& caption) {
        auto* o = new OptionButton(caption, FrameCloze);
        on(o, &frmSettings::opt_cloze_Click);
        return o;
    };
    opt_cloze_2 = countOption(QStringLiteral("2"));
    opt_cloze_3 = countOption(QStringLiteral("3"));
    opt_cloze_4 = countOption(QStringLiteral("4"));
    opt_a_uh = new OptionButton(QStringLiteral("\"A\" pronounced as \"uh\""), FrameA);
    opt_a_ay = new OptionButton(QStringLiteral("\"A\" pronounced as \"ay\""), FrameA);
    on(opt_a_ay, &frmSettings::opt_a_ay_Click);
    on(opt_a_uh, &frmSettings::opt_a_uh_Click);
    Label4 = label(FrameBook, QStringLiteral("Book loaded when starting:"));
    drop_book = new ComboBox(FrameBook);
    on(drop_book, &frmSettings::drop_book_Click);
}

void frmSettings::createMenus() {
    QMenuBar* bar = menus();
    mnuFileHead = bar->addMenu(QStringLiteral("&File"));
    mnuFileOpen = mnuFileHead->addAction(QStringLiteral("&Open"));
    mnuFileSave = mnuFileHead->addAction(QStringLiteral("&Save"));
    mnuFileSaveAs = mnuFileHead->addAction(QStringLiteral("Save &As..."));
    mnuFileHead->addSeparator();
    // "To menu" has no action: the teacher options lie between this window and the menu.
    addFileTail(mnuFileHead, false, {.toMenu = &mnuMenu, .exit = &mnuExit});
    on(mnuFileOpen, &frmSettings::mnuFileOpen_Click);
    on(mnuFileSave, &frmSettings::mnuFileSave_Click);
    on(mnuFileSaveAs, &frmSettings::mnuFileSaveAs_Click);
    addHelpMenu({&mnuHelp, &mnuHelpLocal, &mnuHelpContents, &mnuHelpSearch, nullptr, &mnuHelpAbout},
                QStringLiteral("&Help on Settings"), kSettingsHelpTopic);
}

QList<CheckBox*> frmSettings::checkBoxes() const {
    return {chk_read_on,     chk_read_sent,     chk_read_word,       chk_read_print,   chk_read_all,
            chk_write_on,    chk_write_text,    chk_write_save,      chk_write_print,  chk_write_hear,
            chk_write_all,   chk_treasure_on,   chk_treasure_load,   chk_treasure_say, chk_treasure_ear,
            chk_treasure_letterclue, chk_treasure_choose, chk_slide_on, chk_slide_say, chk_slide_sclue,
            chk_slide_load,  chk_slide_lclue,   chk_cloze_type_on,   chk_clozet_sound, chk_cloze_choose_on,
            chk_clozec_sound};
}

QList<OptionButton*> frmSettings::optionButtons() const {
    return {opt_cloze_2, opt_cloze_3, opt_cloze_4, opt_a_ay, opt_a_uh};
}

// ---- loading ----

void frmSettings::Form_Load() {
    SettingsOwner = settingsedit::ownerOf(gUserName);
    Loading = -1;
    Dirty = 0;
    ArrangeSettings();

    const bool speechOff = GlobalSettings.SpeechDisabled != 0;
    lbl_engine->setVisible(speechOff);
    lbl_engine->setCaption(QStringLiteral("Artificial speech has been disabled."));
    chk_write_hear->setVisible(!speechOff);
    chk_write_all->setVisible(!speechOff);

    switch (settingsedit::scopeOf(GlobalSettings.UserNameFlags)) {
    case Scope::Everyone:
        lblowner->setCaption(QStringLiteral("Settings for Teacher"));
        lblowner1->setCaption(QStringLiteral("These settings apply to everyone."));
        mnuFileOpen->setEnabled(false);
        mnuFileSaveAs->setEnabled(false);
        LoadSettingsFile(QStringLiteral("TEACHER.DAT"));
        break;
    case Scope::Individual:
        lblowner->setCaption("Settings for " + SettingsOwner);
        lblowner1->setCaption(QStringLiteral("Individual settings are being used."));
        mnuFileOpen->setEnabled(true);
        mnuFileSaveAs->setEnabled(true);
        LoadSettingsFile(UserSettingsFile(SettingsOwner));
        break;
    case Scope::None:
        // No file is meant: the window shows what it holds and saves nothing.
        mnuFileOpen->setEnabled(false);
        mnuFileSaveAs->setEnabled(false);
        break;
    }
    EditSettings = SavedSettings;

    Label3->setCaption(
        "Settings let you vary the software to suit your needs.  These settings can apply to all users, or users "
        "can have individual settings.  (See Teacher Options - User Details.)" +
        gCrLf + gCrLf +
        "Without individual settings, the Teacher settings apply to everyone.  Use the File Save menu or the OK "
        "button to save any alterations.  With individual settings, also use File Open to see any given user's "
        "settings, File Save to save alterations, and File Save As to copy the settings shown to some other user.");
    books_ = settingsedit::bookChoices(gBookFiles.mid(0, gBookCount), gBookTitles.mid(0, gBookCount));
    for (const QString& text : books_.texts)
        drop_book->AddItem(text);
    ShowSettings();
    if (gScale != 0)
        fitLabels();
    Loading = 0;
    mouse::setPointer(mouse::Default);
}

void frmSettings::ShowSettings() {
    const ActivitySettingsRecord& e = EditSettings;
    const struct {
        CheckBox* box;
        int value;
    } rows[] = {
        {chk_read_on, e.ReadOn},
        {chk_read_sent, e.ReadHearSentence},
        {chk_read_word, e.ReadHearWord},
        {chk_read_print, e.ReadPrint},
        {chk_read_all, e.ReadTellStory},
        {chk_write_on, e.WriteOn},
        {chk_write_text, e.WriteStartWithText},
        {chk_write_save, e.WriteSaveLoad},
        {chk_write_print, e.WritePrint},
        {chk_write_hear, e.WriteHearSentence},
        {chk_write_all, e.WriteTellStory},
        {chk_treasure_on, e.TreasureOn},
        {chk_treasure_load, e.TreasureLoad},
        {chk_treasure_say, e.TreasureSay},
        {chk_treasure_ear, e.TreasureClues & 1},
        {chk_treasure_letterclue, e.TreasureClues & 2},
        {chk_treasure_choose, e.TreasureChooseGuesses},
        {chk_slide_on, e.SlideFlags & 1},
        {chk_slide_say, e.SlideFlags & 2},
        {chk_slide_sclue, e.SlideFlags & 4},
        {chk_slide_load, e.SlideFlags & 8},
        {chk_slide_lclue, e.SlideFlags & 16},
        {chk_cloze_type_on, e.ClozeTypeOn},
        {chk_clozet_sound, e.ClozeTypeSound},
        {chk_cloze_choose_on, e.ClozeChoose & 16},
        {chk_clozec_sound, e.ClozeChooseSound},
    };
    for (const auto& r : rows)
        r.box->setValue(r.value);

    for (int i = 0; i <= 9; ++i)
        drop_treasure->setList(i, QString::number(i));
    if (const auto position = settingsedit::treasurePosition(EditSettings.TreasureFails)) {
        drop_treasure->setListIndex(*position);
    } else {
        EditSettings.TreasureFails = settingsedit::kFallbackFails;
        drop_treasure->setListIndex(settingsedit::kFallbackFails - 1);
    }

    const int choices = settingsedit::clozeChoicesOf(EditSettings.ClozeChoose);
    for (OptionButton* o : {opt_cloze_2, opt_cloze_3, opt_cloze_4})
        o->setValue(0);
    if (choices == 2)
        opt_cloze_2->setValue(-1);
    else if (choices == 3)
        opt_cloze_3->setValue(-1);
    else if (choices == 4)
        opt_cloze_4->setValue(-1);

    opt_a_ay->setValue(EditSettings.AasAy);
    opt_a_uh->setValue(int16_t(~EditSettings.AasAy));

    const QString title = settingsedit::startBookTitle(books_.files, books_.texts, EditSettings.Book.text());
    if (!title.isEmpty())
        for (int i = 0; i < drop_book->ListCount(); ++i)
            if (drop_book->List(i) == title)
                drop_book->setListIndex(i);
}

void frmSettings::GatherSettings() {
    EditSettings.TreasureFails = settingsedit::treasureFailsAt(drop_treasure->ListIndex());
    int choices = 0;
    if (opt_cloze_2->Value())
        choices = 2;
    else if (opt_cloze_3->Value())
        choices = 3;
    else if (opt_cloze_4->Value())
        choices = 4;
    EditSettings.ClozeChoose = settingsedit::clozeChooseWith(EditSettings.ClozeChoose, choices);
}

// ---- lists ----

void frmSettings::drop_book_Click() {
    if (Loading == -1)
        return;
    Dirty = -1;
    // The list shows a book without a title by its stem; the session's title stays its own.
    gBookTitle = drop_book->Text();
    if (const auto file = settingsedit::bookOfTitle(books_.files, books_.texts, gBookTitle)) {
        gBookCode = *file;
        gBookTitle = gBookTitles.value(gBookFiles.indexOf(*file));
    }
    EditSettings.Book.setText(gBookCode);
}

void frmSettings::drop_treasure_Click() {
    if (Loading != -1)
        Dirty = -1;
}

void frmSettings::opt_cloze_Click(int) {
    if (Loading != -1)
        Dirty = -1;  // the count is taken when saving
}

void frmSettings::opt_a_ay_Click(int value) {
    if (Loading == -1)
        return;
    EditSettings.AasAy = int16_t(value);
    Dirty = -1;
}

void frmSettings::opt_a_uh_Click(int value) {
    if (Loading == -1)
        return;
    EditSettings.AasAy = int16_t(~value);
    Dirty = -1;
}

// ---- saving and opening ----

bool frmSettings::saveTo(const QString& file) {
    GatherSettings();
    SavedSettings = EditSettings;
    // A write that failed keeps the window marked changed, so the changes are not taken for saved.
    const bool written = SaveSettingsFile(file, 1);
    Dirty = written ? 0 : -1;
    return written;
}

bool frmSettings::save() {
    switch (settingsedit::scopeOf(GlobalSettings.UserNameFlags)) {
    case Scope::Everyone: return saveTo(QStringLiteral("TEACHER.DAT"));
    case Scope::Individual: return saveTo(UserSettingsFile(SettingsOwner));
    case Scope::None: break;
    }
    return true;
}

void frmSettings::mnuFileSave_Click() { save(); }

QString frmSettings::pickName(const QString& request) {
    const QString remembered = gUserName;
    gDialogRequest = request;
    ShowUserNameDialog(true);  // Esc: no name, nothing opened or saved
    const QString picked = gUserName;
    gUserName = remembered;
    return picked;
}

bool frmSettings::refused(const QString& name) {
    if (!settingsedit::refusedOwner(name))
        return false;
    MsgBox(QStringLiteral("Please choose a different name.") + gCrLf + gCrLf + QStringLiteral("This name is not permitted."),
           mb::OKOnly + mb::Exclamation, QStringLiteral("Illegal name"));
    return true;
}

void frmSettings::mnuFileSaveAs_Click() {
    if (settingsedit::scopeOf(GlobalSettings.UserNameFlags) != Scope::Individual)
        return;
    QPointer<frmSettings> self(this);
    const QString picked = pickName(QStringLiteral("Save as settings for..."));
    if (!self || isUnloaded() || picked.isEmpty() || refused(picked))
        return;
    SettingsOwner = picked;
    saveTo(UserSettingsFile(SettingsOwner));
    lblowner->setCaption("Settings for " + SettingsOwner);
    fitLabels();
}

void frmSettings::mnuFileOpen_Click() {
    if (settingsedit::scopeOf(GlobalSettings.UserNameFlags) != Scope::Individual)
        return;
    if (Dirty == -1) {
        const int answer = MsgBox(QStringLiteral("These settings have been altered but not saved.") + gCrLf + gCrLf +
                                      QStringLiteral("Are you sure want to open other settings, without saving these first?"),
                                  mb::YesNo + mb::Exclamation, QStringLiteral("Changes not saved"));
        if (answer != mb::Yes)
            return;
    }
    QPointer<frmSettings> self(this);
    const QString picked = pickName(QStringLiteral("Open settings for..."));
    if (!self || isUnloaded() || picked.isEmpty() || refused(picked))
        return;
    // A listed user without a settings file of his own is told about, not the end of the program.
    const QString file = UserSettingsFile(picked);
    if (fileLength(ProgramFile(file)) <= 0) {
        MsgBox("There are no settings for " + picked + " yet." + gCrLf + gCrLf +
                   "Use Save As to give this user the settings shown.",
               mb::OKOnly + mb::Exclamation, QStringLiteral("No settings"));
        return;
    }
    Dirty = 0;
    SettingsOwner = picked;
    Loading = -1;
    LoadSettingsFile(file);
    EditSettings = SavedSettings;
    lblowner->setCaption("Settings for " + SettingsOwner);
    fitLabels();
    ShowSettings();
    Loading = 0;
}

// ---- leaving ----

void frmSettings::reloadInForce() {
    if (const auto file = settingsedit::fileInForce(GlobalSettings.UserNameFlags, gUserName)) {
        LoadSettingsFile(*file);
        ActiveSettings = SavedSettings;
    }
}

void frmSettings::cmdOK_Click() {
    // Changes that could not be written stay on screen, to be saved again or abandoned.
    if (Dirty == -1 && !save())
        return;
    reloadInForce();
    Unload();
}

void frmSettings::cmdCancel_Click() {
    reloadInForce();
    Unload();
}

void frmSettings::Form_Unload(int& cancel) {
    (void)cancel;
    shell::setFrameCaption(QStringLiteral("Kestrow Menu"));
}

void frmSettings::mnuExit_Click() { UnloadFrameAndEnd(0); }

// ---- layout ----

void frmSettings::Form_Resize() {
    if (ShapeChildWindow(*this))
        ArrangeSettings();
}

void frmSettings::ArrangeSettings() {
    if (gScale == 0)
        return;  // the frame has not worked the scale out yet
    const double g = gScale;
    QList<QWidget*> regular = {Label1, Label2, Label3, Label4, Label6, lbl_engine, drop_book, drop_treasure,
                               FrameBook, FrameA, FrameCloze, frameRead, frameWrite, frameTreasure, frameSlide,
                               opt_a_ay, opt_a_uh};
    for (CheckBox* c : checkBoxes())
        regular << c;
    for (QWidget* w : regular)
        layout::setFont(w, 9.75 * g, false);
    layout::setFonts({cmdOK, cmdCancel, opt_cloze_2, opt_cloze_3, opt_cloze_4}, 9.75 * g, true);
    layout::setFont(lblowner, 12 * g, true);
    layout::setFont(lblowner1, 12 * g, true);

    layout::placeAll({
        {Label6, {240, 90, 1335, 765}},
        {cmdOK, {480, 900, 855, 375}},
        {cmdCancel, {480, 1350, 855, 375}},
        {Label3, {1800, 60, 7800, 1815}},
        {Shape2, {120, 1800, 9375, 390}},
        {lblowner, {300, 1860, 4395, 270}},
        {lblowner1, {4800, 1860, 4575, 270}},
        {Shape1, {120, 1890, 9375, 4665}},
        {FrameBook, {240, 2220, 2895, 1125}},
        {FrameA, {240, 3375, 2895, 945}},
        {FrameCloze, {240, 4350, 2895, 2040}},
        {frameRead, {3240, 2220, 2895, 1935}},
        {frameWrite, {3240, 4185, 2895, 2205}},
        {frameTreasure, {6240, 2220, 3105, 2415}},
        {frameSlide, {6240, 4665, 3105, 1725}},
        {Label4, {120, 300, 2535, 255}},
        {opt_a_uh, {120, 300, 2535, 255}},
        {opt_a_ay, {120, 570, 2535, 255}},
        {chk_cloze_choose_on, {120, 300, 2655, 255}},
        {chk_clozec_sound, {120, 570, 2655, 255}},
        {Label2, {360, 855, 2415, 255}},
        {opt_cloze_2, {360, 1080, 735, 255}},
        {opt_cloze_3, {1200, 1080, 735, 255}},
        {opt_cloze_4, {2040, 1080, 735, 255}},
        {chk_cloze_type_on, {120, 1350, 2655, 255}},
        {chk_clozet_sound, {120, 1620, 2655, 255}},
        {chk_read_on, {120, 360, 2655, 255}},
        {chk_read_sent, {120, 645, 2655, 255}},
        {chk_read_word, {120, 930, 2655, 255}},
        {chk_read_print, {120, 1215, 2655, 255}},
        {chk_read_all, {120, 1500, 2655, 255}},
        {chk_write_on, {120, 360, 2655, 255}},
        {chk_write_text, {120, 645, 2655, 255}},
        {chk_write_save, {120, 930, 2655, 255}},
        {chk_write_print, {120, 1215, 2655, 255}},
        {chk_write_hear, {120, 1500, 2655, 255}},
        {chk_write_all, {120, 1785, 2655, 255}},
        {lbl_engine, {120, 1590, 2655, 450}},
        {chk_treasure_on, {120, 300, 2895, 255}},
        {chk_treasure_load, {120, 555, 2895, 255}},
        {chk_treasure_say, {120, 810, 2895, 255}},
        {chk_treasure_ear, {120, 1065, 2895, 255}},
        {chk_treasure_letterclue, {120, 1320, 2895, 255}},
        {chk_treasure_choose, {120, 1575, 2895, 255}},
        {Label1, {840, 1995, 2205, 255}},
        {chk_slide_on, {120, 300, 2655, 255}},
        {chk_slide_load, {120, 555, 2835, 255}},
        {chk_slide_say, {120, 810, 2655, 255}},
        {chk_slide_sclue, {120, 1065, 2655, 255}},
        {chk_slide_lclue, {120, 1320, 2655, 255}},
    });
    layout::placeKeepHeight(drop_book, {120, 630, 2535, 0});
    layout::placeKeepHeight(drop_treasure, {120, 1950, 615, 0});
    fitLabels();
    layout::fitButtonCaptions(this);
}

void frmSettings::fitLabels() {
    layout::fitCaptions({Label1, Label2, Label3, Label4, Label6, lbl_engine, lblowner, lblowner1});
}
