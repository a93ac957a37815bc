#pragma once
// The start-up warning: fewer than 256 colours ("Colour") or no Arial font ("Font"), as
// gWarningKind says. The user proceeds (optionally ticking "Omit this warning in future.",
// which is stored in GLOBSET.DAT) or quits at once, without the session being logged.
#include "platform/Form.h"

class Label;
class QCheckBox;
class QPushButton;

class frmWarning : public Form {
    Q_OBJECT
public:
    frmWarning();

    Label* Label1 = nullptr;
    QCheckBox* Check3D1 = nullptr;
    QPushButton* Command1 = nullptr;  // "Yes - proceed"
    QPushButton* Command2 = nullptr;  // "No - quit"

    // value: -1 ticked, 0 cleared.
    void Check3D1_Click(int value);
    void Command1_Click();
    void Command2_Click();

    int SettingChanged = 0;

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
};

// Shows frmWarning modally for gWarningKind (and gColourBits); returns when the user proceeds.
void ShowWarningDialog();
