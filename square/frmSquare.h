#pragma once
// The word-square window, the one working window of both editions inside the frame: the square
// on its picture, the answer-sheet notice (teacher) or the instructions and word list panel
// (pupil), the menus File, Size, Case, Blanks, Print, Settings and Help, the word-list reader
// and the pupil's solving.
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

#include "core/ChildForm.h"
#include "square/SquareBuilder.h"
#include "square/SquareSolver.h"

class GraphicalButton;
class Label;
class QAction;
class QGroupBox;
class QMenu;
class QPainter;
class ShapeBox;
class WaveDevice;
class frmSquare;

// The tests' probe sees the window's insides.
namespace testsupport {
struct SquareProbe;
}

// The picture the square is drawn on; it paints the model afresh whenever it is exposed.
class SquarePicture : public QWidget {
    Q_OBJECT
public:
    SquarePicture(frmSquare* owner, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    frmSquare* owner_;
};

class frmSquare : public ChildForm {
    Q_OBJECT
public:
    frmSquare();
    ~frmSquare() override;

    // The open-file dialog (replaced in tests): the chosen path, "" when cancelled.
    static std::function<QString(QWidget* parent, const QString& folder)>& openFileDialog();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_Unload(int& cancel) override;

private:
    friend struct testsupport::SquareProbe;
    friend class SquarePicture;  // paints the square and hands on its clicks

    // Controls.
    SquarePicture* pic = nullptr;
    QStringList filebox;  // the .txt files of the word-list folder, in list order
    QGroupBox* frameList = nullptr;
    Label* lblList = nullptr;
    Label* lblList2 = nullptr;
    Label* well_done = nullptr;
    GraphicalButton* cmdAgain = nullptr;
    Label* lblWarning = nullptr;
    Label* lblPupil = nullptr;
    ShapeBox* shpmargin = nullptr;
    ShapeBox* linmargin = nullptr;
    std::unique_ptr<WaveDevice> MMControl1;

    // Menus.
    QMenu* mnuFile = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnusizetop = nullptr;
    QAction* mnusize[15] = {};  // indexes 4 to 14
    QMenu* mnuCase = nullptr;
    QAction* mnuCaseUpper = nullptr;
    QAction* mnuCaseLower = nullptr;
    QMenu* mnuBlanksTop = nullptr;
    QAction* mnuBlanks = nullptr;
    QMenu* mnuPrint = nullptr;
    QAction* mnuprintWL = nullptr;
    QAction* mnuPrintW = nullptr;
    QAction* mnuPrintAL = nullptr;
    QAction* mnuPrintA = nullptr;
    QMenu* mnuSettingTop = nullptr;
    QAction* mnuSettings = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpCreate = nullptr;
    QAction* mnuHelpSearch = nullptr;
    QAction* mnuHelpAbout = nullptr;

    // The square and the pupil's solving.
    SquareBuilder square;
    SquareSolver solver;
    int& SquareCols = square.SquareCols;
    int& SquareRows = square.SquareRows;
    int CellWidth = 0;   // twips
    int CellHeight = 0;  // twips
    int ShowUpperCase = 0;
    int PaintSuppressed = 0;
    QString ListText;
    QString ListText1;
    QString ListText2;
    int ListColumns = 1;

    // Handlers.
    void mnuFileOpen_Click();
    void OpenWordListDialog();
    void mnusize_Click(int index);
    void mnuCaseUpper_Click();
    void mnuCaseLower_Click();
    void mnuBlanks_Click();
    void mnuSettings_Click();
    void mnuExit_Click();
    void mnuHelpContents_Click();
    void mnuHelpCreate_Click();
    void mnuHelpSearch_Click();
    void mnuHelpAbout_Click();
    void cmdAgain_Click();
    void pic_MouseDown(int button, int shift, float x, float y);
    // Printing (square/frmSquarePrint.cpp): the puzzle or the answer sheet, with or without the
    // word list; flags as PrintSquare takes them.
    void mnuprintWL_Click();
    void mnuPrintW_Click();
    void mnuPrintAL_Click();
    void mnuPrintA_Click();

    // Procedures.
    bool LoadSquareWordList(const QString& path);
    void MakeSquare();
    void LayoutSquare();
    void ComputeCellSize(int keepPicture);
    void ShowWordList();
    // The DrawCell mode of a cell as the window shows it: cellmark bits.
    int cellMode(int col, int row) const;
    void paintSquare(QPainter& p);
    void DrawCell(QPainter& p, QChar letter, int col, int row, int mode);
    // The caption the window shows (the list's title, or "None").
    void setListCaption(const QString& caption);
    // One printed page: 1 adds the word list, 2 the puzzle sheet, 4 the answer sheet.
    void PrintSquare(int flags);

    void createControls();
    void createMenus();
    void redrawAll();
    void MarkWordFound(const QString& word);
    void sayWord(const QString& word);
    void fitLetterFont();
    void showTeacherNotice();
    bool teacher() const;

    bool buildOnActivate_ = true;
};

// Shows the word-square window inside the frame.
void OpenSquareWindow();
