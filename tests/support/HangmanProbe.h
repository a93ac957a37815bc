#pragma once
// What the word-game tests look at and drive inside the window: its controls, menus and
// state, which its header keeps private as no other window uses them.
#include "games/frmHangman.h"
namespace testsupport {
struct HangmanProbe {
    frmHangman& w;
    // ---- controls ----
    GraphicalButton*& cmdMenu = w.cmdMenu;
    GraphicalButton*& cmdEar = w.cmdEar;
    GraphicalButton*& cmdClue = w.cmdClue;
    GraphicalButton*& cmdAgain = w.cmdAgain;
    std::vector<Label*>& lblAlphabet = w.lblAlphabet;
    std::vector<Label*>& lblshow = w.lblshow;
    QTimer*& Timer1 = w.Timer1;
    Label*& imgslide2 = w.imgslide2;
    std::vector<Label*>& imganim = w.imganim;
    Label*& PirateLeft = w.PirateLeft;
    Label*& PirateMid = w.PirateMid;
    Label*& PirateRight = w.PirateRight;
    QWidget*& Frame3 = w.Frame3;
    QWidget*& Frame4 = w.Frame4;
    Label*& Shape1 = w.Shape1;
    // ---- menus ----
    QAction*& mnuFileOpen = w.mnuFileOpen;
    QAction*& mnuMenu = w.mnuMenu;
    QMenu*& mnuGuesses = w.mnuGuesses;
    std::vector<QAction*>& mnuGuess = w.mnuGuess;
    QMenu*& mnuHelp = w.mnuHelp;
    QAction*& mnuHelpLocal = w.mnuHelpLocal;
    // ---- the list and the round ----
    QStringList& Words = w.Words;
    int& AllowedWrong = w.AllowedWrong;
    bool& SlideAnimated = w.SlideAnimated;
    wordgame::GameRound& Round = w.Round;
    QString TheWord() const { return w.TheWord(); }
    bool RoundActive() const { return w.RoundActive(); }
    int WrongCount() const { return w.WrongCount(); }
    int RightCount() const { return w.RightCount(); }
    // ---- procedures ----
    void LayoutForm() { w.LayoutForm(); }
    void SetButtonFaces() { w.SetButtonFaces(); }
    void Timer1_Timer() { w.Timer1_Timer(); }
    // ---- handlers ----
};
// The probe of a window: probe(game).cmdAgain, or `auto in = probe(game);` where a test uses many.
inline HangmanProbe probe(frmHangman* window) { return HangmanProbe{*window}; }
}  // namespace testsupport
