#pragma once
// The word-game window: a child of the frame in which Treasure (gActivity 33) and Slide (34)
// are played on a word list. Its load switches buttons and menus from the settings, opens the
// losing sound on the frame's effects player and the book's word list; each round draws a word
// (GameRound keeps the rules), the child guesses letters by clicking or typing them, and the
// pictures follow the round. Closing it leaves the activity's line in the session.
// Coordinates are twips of the window: a control's position in twips is its pixel position
// times the screen's twips per pixel.
#include <QImage>
#include <QStringList>
#include <memory>
#include <vector>

#include "core/ChildForm.h"
#include "games/GameRound.h"

class GraphicalButton;
class Label;
class QAction;
class QMenu;
class QTimer;
class ShapeBox;
class WaveDevice;

// The tests' probe sees the window's insides.
namespace testsupport {
struct HangmanProbe;
}

class frmHangman : public ChildForm {
    Q_OBJECT
    friend struct testsupport::HangmanProbe;

public:
    explicit frmHangman(QWidget* parent = nullptr);
    ~frmHangman() override;

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& cancel) override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_KeyPress(int& keyAscii) override;

private:
    // ---- controls ----
    // Control arrays are 1-based as the window uses them: element 0 is unused (nullptr).
    GraphicalButton* cmdMenu = nullptr;
    GraphicalButton* cmdEar = nullptr;
    GraphicalButton* cmdClue = nullptr;
    GraphicalButton* cmdAgain = nullptr;
    std::vector<Label*> lblAlphabet;  // 1..26
    std::vector<Label*> lblshow;      // 1..12
    std::unique_ptr<WaveDevice> MMControl1;  // the current word's sound
    QTimer* Timer1 = nullptr;                // Slide: the finishing animation, 900 ms
    Label* imgslide1 = nullptr;              // Slide: the scene
    Label* imgslide2 = nullptr;              // Slide: the climbing figure
    std::vector<Label*> imganim;             // 1..6: the frames of the sliding figure
    Label* PirateLeft = nullptr;
    Label* PirateMid = nullptr;
    Label* PirateRight = nullptr;
    QWidget* Frame2 = nullptr;  // the alphabet
    QWidget* Frame3 = nullptr;  // the word
    QWidget* Frame4 = nullptr;  // Treasure: the pictures
    Label* Shape1 = nullptr;
    ShapeBox* yshape1 = nullptr;
    ShapeBox* yshape2 = nullptr;
    ShapeBox* yshape3 = nullptr;
    ShapeBox* yshape4 = nullptr;
    ShapeBox* bg1 = nullptr;
    ShapeBox* bg3 = nullptr;
    ShapeBox* bg4 = nullptr;
    ShapeBox* shpmargin = nullptr;
    ShapeBox* linmargin = nullptr;
    QImage picclipsmall;  // 48 x 48, cells of 16 x 24
    QImage picclipbig;    // 96 x 96, cells of 32 x 48

    // ---- menus ----
    QMenu* mnuFile = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuBlank = nullptr;
    QAction* mnuMenu = nullptr;
    QAction* mnuBlank2 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuGuesses = nullptr;
    std::vector<QAction*> mnuGuess;  // 1..10: "Allow &0 wrong" .. "Allow &9 wrong"
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpLocal = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpSearch = nullptr;
    QAction* mnuBlank1 = nullptr;
    QAction* mnuHelpAbout = nullptr;

    // ---- the list and the round ----
    QStringList Words;  // 1..WordCount as Words[i - 1]
    int WordCount = -1;
    int MaxWordLen = 1;
    int AllowedWrong = 10;
    bool SlideAnimated = true;
    wordgame::GameRound Round;

    QString TheWord() const { return Round.word(); }
    QString ShownWord() const { return Round.shown(); }
    bool RoundActive() const { return Round.active(); }
    int WrongCount() const { return Round.wrongCount(); }
    int RightCount() const { return Round.rightCount(); }
    int SlidePos() const { return Round.slidePos(); }

    // ---- procedures ----
    void LoadGameWordList(const QString& path, int& ok);
    void NewWord();
    void ShowWord(int reveal);
    void LayoutForm();
    void SetButtonFaces();
    void ShowPirate();
    void ShowSlide();
    void Timer1_Timer();

    // ---- handlers ----
    void lblAlphabet_Click(int index);
    void cmdAgain_Click();
    void cmdEar_Click();
    void cmdClue_Click();
    void cmdMenu_Click();
    void mnuGuess_Click(int index);
    void mnuFileOpen_Click();
    void mnuMenu_Click();
    void mnuExit_Click();
    void mnuHelp_Click();
    void mnuHelpLocal_Click();

    // ---- helpers ----
    void createControls();
    // The steps of createControls, in the order they create (and so stack and tab) controls.
    void createScene();      // the fillers, the sky panel, the slide's pictures, the column
    void createButtons();    // the four buttons of the column
    void createPirates();    // Treasure's picture frame
    void createAlphabet();   // the frame of letters to guess
    void createWordCells();  // the frame of the word's cells
    void createMenus();
    bool treasure() const { return gameActivity_ == activity::Treasure; }
    // Shows a picture file in one of the scene's images, at a rectangle of twips.
    void showPicture(Label* image, const QString& file, const TwipRect& box, int allowAsk);
    void returnToMenu();
    void placeAlphabet(const wordgame::design::Corner& letterA);
    void placeSlideFillers();
    void placeWordCells();

    int gameActivity_ = activity::Slide;
    int sceneAllowance_ = 10;  // the allowance the Treasure scene is drawn with
    bool loaded_ = false;
    int resizeDepth_ = 0;
};

// Opens the word-game window for gActivity as the frame's child.
void OpenWordGameWindow();
