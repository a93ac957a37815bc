#pragma once
// The tracking window: the whole log to read and edit (cut, copy, paste, clear, undo all),
// a user's part to find, and tracking to switch on or off. Nothing is written before OK.
#include "core/ChildForm.h"

class Frame3D;
class Label;
class OptionButton;
class QAction;
class QFrame;
class QMenu;
class QPlainTextEdit;
class QPushButton;

class frmLog : public ChildForm {
    Q_OBJECT
public:
    explicit frmLog(QWidget* parent = nullptr);

    QPlainTextEdit* txtlog;
    Frame3D* Frame3D1;
    OptionButton* optEnable;
    OptionButton* optDisable;
    QPushButton* cmdOK;
    Label* Label3;
    Label* Label2;
    QFrame* Shape1;

    QMenu* mnuFile;
    QAction* mnuMenu;
    QAction* mnuExit;
    QMenu* mnuEdit;
    QAction* mnuCut;
    QAction* mnuCopy;
    QAction* mnuPaste;
    QMenu* mnuFindHead;
    QAction* mnuFind;
    QMenu* mnuClearHead;
    QAction* mnuClear;
    QMenu* mnuRestoreHead;
    QAction* mnuRestore;
    QMenu* mnuPrint;
    QAction* mnuPrintall;
    QAction* mnuPrintsel;
    QMenu* mnuHelp;
    QAction* mnuHelpLocal;
    QAction* mnuHelpContents;
    QAction* mnuHelpSearch;
    QAction* mnuHelpAbout;

    // The box's text with the log's CR LF line ends.
    QString logText() const;

    void cmdOK_Click();
    void optEnable_Click(int value);
    void optDisable_Click(int value);
    void mnuEdit_Click();
    void mnuCut_Click();
    void mnuCopy_Click();
    void mnuPaste_Click();
    void mnuFind_Click();
    void mnuClear_Click();
    void mnuRestore_Click();
    void mnuPrintall_Click();
    void mnuPrintsel_Click();
    void mnuExit_Click();

protected:
    void Form_Load() override;
    void Form_Resize() override;

private:
    void LayoutLog();
    void enableHeadings(bool on);
    bool noSelection();
    // Prints a log text (CR LF line ends) under the running header, page after page.
    void printLog(const QString& text);

    bool logRead_ = false;  // false when LOG.DAT could not be read at load
};

constexpr int kLogHelpTopic = 290;
