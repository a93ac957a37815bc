#pragma once
// The activity settings editor: one ActivitySettings record shown as check boxes, options and
// lists (the teacher's file for everyone, or with individual settings any user's file), saved
// by OK or the File menu. What is saved to the file in force comes into force on OK or Cancel.
#include <QList>

#include "core/ChildForm.h"
#include "menu/SettingsEdit.h"

class CheckBox;
class ComboBox;
class Frame3D;
class Label;
class OptionButton;
class QAction;
class QFrame;
class QMenu;
class QPushButton;

class frmSettings : public ChildForm {
    Q_OBJECT
public:
    explicit frmSettings(QWidget* parent = nullptr);

    // Frames.
    Frame3D* FrameBook;
    Frame3D* FrameA;
    Frame3D* FrameCloze;
    Frame3D* frameRead;
    Frame3D* frameWrite;
    Frame3D* frameTreasure;
    Frame3D* frameSlide;

    CheckBox* chk_read_on;
    CheckBox* chk_read_sent;
    CheckBox* chk_read_word;
    CheckBox* chk_read_print;
    CheckBox* chk_read_all;
    CheckBox* chk_write_on;
    CheckBox* chk_write_text;
    CheckBox* chk_write_save;
    CheckBox* chk_write_print;
    CheckBox* chk_write_hear;
    CheckBox* chk_write_all;
    CheckBox* chk_treasure_on;
    CheckBox* chk_treasure_load;
    CheckBox* chk_treasure_say;
    CheckBox* chk_treasure_ear;
    CheckBox* chk_treasure_letterclue;
    CheckBox* chk_treasure_choose;
    ComboBox* drop_treasure;
    CheckBox* chk_slide_on;
    CheckBox* chk_slide_say;
    CheckBox* chk_slide_sclue;
    CheckBox* chk_slide_load;
    CheckBox* chk_slide_lclue;
    CheckBox* chk_cloze_type_on;
    CheckBox* chk_clozet_sound;
    CheckBox* chk_cloze_choose_on;
    CheckBox* chk_clozec_sound;
    OptionButton* opt_cloze_2;
    OptionButton* opt_cloze_3;
    OptionButton* opt_cloze_4;
    OptionButton* opt_a_ay;
    OptionButton* opt_a_uh;
    ComboBox* drop_book;

    Label* lblowner;
    Label* lblowner1;
    Label* Label1;
    Label* Label2;
    Label* Label3;
    Label* Label4;
    Label* Label6;
    Label* lbl_engine;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;
    QFrame* Shape1;
    QFrame* Shape2;

    QMenu* mnuFileHead;
    QAction* mnuFileOpen;
    QAction* mnuFileSave;
    QAction* mnuFileSaveAs;
    QAction* mnuMenu;
    QAction* mnuExit;
    QMenu* mnuHelp;
    QAction* mnuHelpLocal;
    QAction* mnuHelpContents;
    QAction* mnuHelpSearch;
    QAction* mnuHelpAbout;

    void cmdOK_Click();
    void cmdCancel_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuExit_Click();
    void drop_book_Click();
    void drop_treasure_Click();
    void opt_cloze_Click(int value);  // the three counts: taken when saving
    void opt_a_ay_Click(int value);
    void opt_a_uh_Click(int value);

    // The window's own state.
    int Loading = 0;        // -1 while the window fills its controls, whose events then change nothing
    int Dirty = 0;          // -1 after the user changed a control, until it is saved or reloaded
    QString SettingsOwner;  // the user whose settings are shown

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& cancel) override;

private:
    void createControls();
    void createMenus();
    void ShowSettings();
    void GatherSettings();
    void ArrangeSettings();
    void fitLabels();
    // Writes the record shown to the file meant; true when written (or nothing to write).
    bool save();
    bool saveTo(const QString& file);
    void reloadInForce();
    QString pickName(const QString& request);
    // A picked name that has no settings of its own: says so; true when refused.
    bool refused(const QString& name);
    QList<CheckBox*> checkBoxes() const;
    QList<OptionButton*> optionButtons() const;

    // The books the start-book list offers, and the text each is shown by.
    settingsedit::BookChoices books_;
};

constexpr int kSettingsHelpTopic = 200;
