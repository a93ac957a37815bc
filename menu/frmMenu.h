#pragma once
// The main menu of Kestrow: a child window of the frame from which a child starts one of the
// activities the settings allow, a book is chosen, a teacher reaches the teacher options
// behind the password, and anyone leaves. Its first load in a run makes the display checks.
#include <QImage>

#include "core/ChildForm.h"

class GraphicalButton;
class Label;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;

class frmMenu : public ChildForm {
    Q_OBJECT
public:
    explicit frmMenu(QWidget* parent = nullptr);

    // Controls.
    GraphicalButton* cmdRead;
    GraphicalButton* cmdWrite;
    GraphicalButton* cmdClozeType;
    GraphicalButton* cmdClozeChoose;
    GraphicalButton* cmdHangman;
    GraphicalButton* cmdSlide;
    GraphicalButton* cmdBook;
    GraphicalButton* cmdExit;
    QPushButton* cmdTeacher;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QFrame* frame_pupil;
    Label* Image1;
    QLabel* Image2;
    QFrame* Shape1;
    QFrame* Shape2;
    // The two picture strips (4 x 4 cells); from BMPS\ when present, else drawn in memory.
    QImage PicClipSmall;
    QImage PicclipBig;

    // Menus.
    QMenu* mnuFile;
    QAction* mnuFileMenu;
    QAction* mnuBlank;
    QAction* mnuExit;
    QMenu* mnuHelp;
    QAction* mnuHelpLocal;
    QAction* mnuHelpContents;
    QAction* mnuHelpSearch;
    QAction* mnuBlank2;
    QAction* mnuHelpAbout;

    // Handlers.
    void cmdRead_Click();
    void cmdWrite_Click();
    void cmdClozeType_Click();
    void cmdClozeChoose_Click();
    void cmdHangman_Click();
    void cmdSlide_Click();
    void cmdBook_Click();
    void cmdTeacher_Click();
    void cmdExit_Click();
    void mnuExit_Click();
    void Image1_Click();

    // Whether the images currently stretch their pictures to their size.
    bool imagesStretched() const { return imagesStretched_; }

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    void createControls();
    void createMenus();
    void loadPictures();
    void CheckBookFile();
    void StartChecks();
    void ArrangeMenu();
    void SetMenuButtons();
    void startActivity(int activity, const QString& frameCaption, bool ignoreFailure);
    void openTeacherOptions();
    QList<GraphicalButton*> pictureButtons() const;

    QImage image1Picture_;
    QImage image2Picture_;
    bool imagesStretched_ = false;
};

// The main menu's help topic.
constexpr int kMenuHelpTopic = 80;
