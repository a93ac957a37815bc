#pragma once
// The teacher options screen: the hub from which the teacher sets the password, opens the
// activity settings, the user names and the tracking log, or goes back to the main menu. A
// changed password is stored when the screen closes, and each visit adds a line to the
// session's activity text.
#include "core/ChildForm.h"

class Label;
class QAction;
class QMenu;
class QPushButton;

class frmOption : public ChildForm {
    Q_OBJECT
public:
    explicit frmOption(QWidget* parent = nullptr);

    Label* Label5;
    Label* Label6;
    QPushButton* cmdMenu;
    Label* Label1;
    QPushButton* cmdPass;
    Label* Label2;
    QPushButton* cmdTeacher;
    Label* Label4;
    QPushButton* cmdUsers;
    Label* Label3;
    QPushButton* cmdTracking;
    Label* Label7;

    QMenu* mnuFile;
    QAction* mnuMenu;
    QAction* mnuExit;
    QMenu* mnuHelp;
    QAction* mnuHelpLocal;
    QAction* mnuContents;
    QAction* mnuHelpSearch;
    QAction* mnuHelpAbout;

    void cmdMenu_Click();
    void cmdPass_Click();
    void cmdTeacher_Click();
    void cmdTracking_Click();
    void cmdUsers_Click();
    void mnuExit_Click();
    void mnuMenu_Click();

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& cancel) override;

private:
    void LayoutOptions();
};

constexpr int kOptionsHelpTopic = 170;
