#pragma once
// The user names editor: whether names are asked at start, whether each user has settings of
// his own, and the list of names (each added name gets a copy of the teacher's settings, each
// deleted name loses its file). The list is written at once; the two choices on OK.
#include <QStringList>

#include "core/ChildForm.h"

class Frame3D;
class Label;
class ListBox;
class OptionButton;
class QAction;
class QFrame;
class QMenu;
class QPushButton;

class frmUsers : public ChildForm {
    Q_OBJECT
public:
    explicit frmUsers(QWidget* parent = nullptr);

    Frame3D* Frame3D1;
    Label* Label1;
    OptionButton* optEnable;
    OptionButton* optDisable;
    Frame3D* Frame3D2;
    Label* Label4;
    OptionButton* optsetind;
    OptionButton* optsetcommon;
    Frame3D* Frame3D3;
    ListBox* listnames;
    QPushButton* cmdAdd;
    QPushButton* cmdDelete;
    QPushButton* cmdOK;
    Label* Label3;
    Label* Label2;
    QFrame* Shape1;

    QMenu* mnuFile;
    QAction* mnuMenu;
    QAction* mnuExit;
    QMenu* mnuHelp;
    QAction* mnuHelpLocal;
    QAction* mnuHelpContents;
    QAction* mnuHelpSearch;
    QAction* mnuHelpAbout;

    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdOK_Click();
    void optEnable_Click(int value);
    void optDisable_Click(int value);
    void optsetind_Click(int value);
    void optsetcommon_Click(int value);
    void mnuExit_Click();

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    void LayoutUsers();
    void fillList();
    // After a failed add or delete: the list and the choices as the files hold them, and away.
    void abandon(const QStringList& namesBefore);
    int16_t flagsAtLoad_ = 0;
};

constexpr int kUsersHelpTopic = 285;
