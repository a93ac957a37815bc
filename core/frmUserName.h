#pragma once
// The user name dialog: the user picks a name from USERS.DAT. Asked with the start question
// ("What" CR LF "is your name?") choosing "Teacher" needs the password when one is set, and F3
// or Esc end the program; asked with any other text (the log viewer's "Find which name?") it
// only returns the name picked, or "" when Esc left an empty list (or, where the caller lets Esc
// cancel, any list). The answer is in gUserName.
#include "platform/Form.h"

class Label;
class ListBox;
class PictureButton;

class frmUserName : public Form {
    Q_OBJECT
public:
    // escCancels: Esc ends the picking with no name also while names are listed.
    explicit frmUserName(bool escCancels = false);

    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    ListBox* listnames = nullptr;
    PictureButton* cmdOK = nullptr;

    void Form_KeyDown(int& keyCode, int shift) override;
    void listnames_Click();
    void listnames_DblClick();
    void cmdOK_Click();

    bool startMode() const { return startMode_; }

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void LayoutUserName();
    bool startMode_ = false;
    bool escCancels_ = false;
};

// Shows frmUserName modally for the question in gDialogRequest.
void ShowUserNameDialog(bool escCancels = false);
