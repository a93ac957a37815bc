#pragma once
// The book choice: the books the settings in force allow, the current one preselected; a
// confirmed row makes its book current for the rest of the session (nothing is saved).
#include <QPointer>

#include "core/ChildForm.h"

class ListBox;
class PictureButton;
class QAction;
class QMenu;

class frmChoose : public ChildForm {
    Q_OBJECT
public:
    // menuWindow: the main menu beneath, which receives the chosen book's title as caption.
    explicit frmChoose(Form* menuWindow = nullptr, QWidget* parent = nullptr);

    ListBox* drop_book;
    PictureButton* cmdOK;
    PictureButton* cmdCancel;

    QMenu* mnuFile;
    QAction* mnuMenu;
    QAction* mnuExit;
    QMenu* mnuHelp;
    QAction* mnuHelpLocal;
    QAction* mnuHelpContents;
    QAction* mnuHelpSearch;
    QAction* mnuHelpAbout;

    void cmdCancel_Click();
    void cmdOK_Click();
    void drop_book_DblClick();
    void Form_KeyDown(int& keyCode, int shift) override;
    void mnuExit_Click();
    void mnuHelp_Click();
    void mnuMenu_Click();

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& cancel) override;

private:
    void LayoutChoose();
    QPointer<Form> menuWindow_;
};

constexpr int kChooseHelpTopic = 110;
