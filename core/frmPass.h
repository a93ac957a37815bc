#pragma once
// The password dialog. Verify mode: the teacher types the password, masked; gPassResult is -1
// when it matched, 0 when not, 2 when cancelled (Esc, the cross, the close box, an empty
// entry). Edit mode (gPassResult = 1 on entry): the current password (gPasswordEditText) is
// shown in clear and Enter returns the new one in gNewPassword and gPasswordEditText.
#include "platform/Form.h"

class Label;
class PictureButton;
class TextBox;

class frmPass : public Form {
    Q_OBJECT
public:
    explicit frmPass(QWidget* parent = nullptr);

    // A new dialog over the parent, shown modally; returns when it has been unloaded.
    static void ShowDialog(QWidget* parent = nullptr);

    Label* Label1;
    Label* Label2;
    TextBox* Text1;
    PictureButton* cmdOK;
    PictureButton* cmdAbort;

    void cmdAbort_Click();
    void cmdOK_Click();
    void LayoutPass();
    void Text1_KeyDown(int& KeyCode, int Shift);
    void Text1_KeyPress(int& KeyAscii);

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    bool editMode_ = false;
};

// The check before a teacher's screen: when a password is set, the dialog asks for it over
// parent and a wrong one says "Wrong password"; a cancelled dialog (or nothing typed) says
// nothing. True when the way is open: no password is set, or the right one was typed and the
// window that asked (asker) is still there to go on.
bool askTeacherPassword(QWidget* parent, const Form* asker);

// The pictures of the OK and Cancel buttons, drawn to the given size.
QPixmap tickPicture(int size);
QPixmap crossPicture(int size);
