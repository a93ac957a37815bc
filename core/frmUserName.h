#pragma once
// The user name dialog: the user picks a name from USERS.DAT. Asked with the start question
// ("What" CR LF "is your name?") choosing "Teacher" needs the password when one is set, and F3
// or Esc end the program; asked with any other text (the log viewer's "Find which name?") it
// only returns the name picked. The answer is in gUserName.
#include "platform/Form.h"

class Label;
class PictureButton;
class QListWidget;

class frmUserName : public Form {
    Q_OBJECT
public:
    frmUserName();

    Label* Label1 = nullptr;
    Label* Label2 = nullptr;
    QListWidget* listnames = nullptr;
    PictureButton* cmdOK = nullptr;

    void Form_KeyDown(int& keyCode, int shift);
    void listnames_Click();
    void listnames_DblClick();
    void cmdOK_Click();

    bool startMode() const { return startMode_; }

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void LayoutUserName();
    bool handleKey(QKeyEvent* e);
    bool startMode_ = false;
};

// Shows frmUserName modally for the question in gDialogRequest.
void ShowUserNameDialog();
