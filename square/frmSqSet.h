#pragma once
// The pupil edition's settings form: the start word list, the start size and the four pupil
// options, kept in the teacher's settings record. It takes the word-square window's place in
// the frame while it is open; OK or Cancel bring a freshly loaded word-square window back.
#include <QStringList>

#include "platform/Form.h"

class CheckBox;
class ComboBox;
class Label;
class QFrame;
class QPushButton;

class frmSqSet : public Form {
    Q_OBJECT
public:
    frmSqSet();

    QPushButton* cmdSave = nullptr;
    QPushButton* cmdCancel = nullptr;
    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    Label* Label3 = nullptr;
    Label* Label4 = nullptr;
    Label* Label5 = nullptr;
    Label* Label6 = nullptr;
    ComboBox* combo_file = nullptr;
    ComboBox* combo_size = nullptr;
    CheckBox* Check3D1 = nullptr;
    CheckBox* Check3D2 = nullptr;
    CheckBox* Check3D3 = nullptr;
    CheckBox* Check3D4 = nullptr;
    QFrame* Shape1 = nullptr;
    QStringList ListFileNames;

    void cmdSave_Click();
    void cmdCancel_Click();
    void LayoutSettings();

protected:
    void Form_Load() override;
    void Form_Resize() override;
};

// The "&Alter the settings" item of the word-square window: the password when one is set and
// the user is not "Teacher", then the form in the window's place.
void OpenPupilSettings(Form* squareWindow);

// Writes the two word-square fields into TEACHER.DAT as it is now on disk, every other field
// kept as the file has it (another program may have changed them meanwhile); SavedSettings
// takes the record written. With showMessage 1 a failure says so. False on failure.
bool SavePupilOptions(int showMessage);
