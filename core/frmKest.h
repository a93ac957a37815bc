#pragma once
// The frame window: every activity window opens inside it, one at a time, maximised and
// frameless in its client area, the active child's menu bar in place of the frame's own. Its
// load asks who is using the program and opens the session; its first activation works out the
// scale factors and shows the main menu; its unload (children first) closes help and sound
// and writes the session to the tracking log.
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Form.h"

class QAction;
class QMenu;
class QMenuBar;
class WaveDevice;

class frmKest : public Form {
    Q_OBJECT
public:
    // formName: the name the journal gives the frame (a program's own frame passes its own).
    explicit frmKest(const QString& formName = QStringLiteral("frmKest"));
    ~frmKest() override;

    // The frame once its load has begun and until it is unloaded, else nullptr.
    static frmKest* instance();

    // The effects player of the whole program (the click, the word games' losing sound), and
    // the second player, which this program never drives. Neither takes room on screen.
    std::unique_ptr<WaveDevice> MM_No;
    std::unique_ptr<WaveDevice> MM_Yes;

    // One child at a time in view; earlier ones stay loaded beneath until they unload.
    void showChild(Form* child, QMenuBar* childMenus);
    Form* activeChild() const;
    std::vector<Form*> loadedChildren() const;
    QWidget* clientArea() const { return clientArea_; }
    QMenuBar* menuBarInUse() const;

    // Menus of the frame itself.
    QMenuBar* frameMenus = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuMenu = nullptr;
    QAction* mnuBlank1 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpSearch = nullptr;
    QAction* mnuBlank = nullptr;
    QAction* mnuHelpAbout = nullptr;

    void mnuExit_Click();
    void mnuHelpAbout_Click();
    // The word-square frame shows its own help file.
    virtual void mnuHelpContents_Click();
    virtual void mnuHelpSearch_Click();

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;
    // F1 on the frame's own controls (the menu bar keeps the focus after a menu was closed
    // with Esc) asks the child in view for its help.
    void Form_KeyDown(int& keyCode, int shift) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

    // The load's first steps, shared with the word-square frame: the design size, the restored
    // placement and maximising; then the user's name when names are asked (gUserName
    // "Unknown" otherwise). False when the program ended meanwhile.
    void placeFrame();
    bool askUserName();

private:
    struct Child {
        QPointer<Form> form;
        QPointer<QMenuBar> menus;
        const QObject* object = nullptr;  // the same child, compared without touching it
    };
    void createMenus();
    void firstActivation();
    void forgetChild(Form* child);
    void applyTopChild();
    void fitChildren();
    void endSession();

    QWidget* clientArea_ = nullptr;
    std::vector<Child> children_;
    bool sessionEnded_ = false;
};

// The one way the program ends once it has started: the frame (when there is one) is unloaded,
// which unloads its children and logs the session, and the program ends with the status. Quit,
// F3 at the name question, Exit items and the termination signal all come here.
[[noreturn]] void UnloadFrameAndEnd(int status = 0, int unloadMode = unload::FormCode);

// What the frame's resize does for the Choices window of Cloze (click), which a later folder
// owns: show it (true) or hide it (false) as the frame is restored or minimised.
void setChoicesWindowShower(std::function<void(bool show)> show);

// The path of the program's help file, as the help items pass it.
QString ReaderHelpFile();
// What the reading program's help items do: its help file at a topic, at its contents, or
// with its search open.
void ReaderHelpTopic(int topic);
void ReaderHelpContents();
void ReaderHelpSearch();
