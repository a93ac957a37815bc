#pragma once
// What the word-square tests look at and drive inside the window: its controls, menus and
// state, which its header keeps private as no other window uses them.
#include "square/frmSquare.h"
namespace testsupport {
struct SquareProbe {
    frmSquare& w;
    // ---- controls ----
    SquarePicture*& pic = w.pic;
    QGroupBox*& frameList = w.frameList;
    Label*& lblList = w.lblList;
    Label*& lblList2 = w.lblList2;
    Label*& well_done = w.well_done;
    GraphicalButton*& cmdAgain = w.cmdAgain;
    Label*& lblWarning = w.lblWarning;
    // ---- menus ----
    QAction*& mnuFileOpen = w.mnuFileOpen;
    QAction*& mnuExit = w.mnuExit;
    QMenu*& mnusizetop = w.mnusizetop;
    QAction* (&mnusize)[15] = w.mnusize;
    QAction*& mnuCaseUpper = w.mnuCaseUpper;
    QAction*& mnuCaseLower = w.mnuCaseLower;
    QMenu*& mnuBlanksTop = w.mnuBlanksTop;
    QAction*& mnuBlanks = w.mnuBlanks;
    QMenu*& mnuPrint = w.mnuPrint;
    QAction*& mnuprintWL = w.mnuprintWL;
    QAction*& mnuPrintW = w.mnuPrintW;
    QAction*& mnuPrintAL = w.mnuPrintAL;
    QAction*& mnuPrintA = w.mnuPrintA;
    QMenu*& mnuSettingTop = w.mnuSettingTop;
    QAction*& mnuSettings = w.mnuSettings;
    QAction*& mnuHelpCreate = w.mnuHelpCreate;
    QAction*& mnuHelpAbout = w.mnuHelpAbout;
    // ---- the square and the pupil's solving ----
    SquareBuilder& square = w.square;
    SquareSolver& solver = w.solver;
    int& SquareCols = w.SquareCols;
    int& SquareRows = w.SquareRows;
    int& CellWidth = w.CellWidth;
    int& CellHeight = w.CellHeight;
    int& ShowUpperCase = w.ShowUpperCase;
    QString& ListText = w.ListText;
    int& ListColumns = w.ListColumns;
    // ---- procedures ----
    void LayoutSquare() { w.LayoutSquare(); }
    void ShowWordList() { w.ShowWordList(); }
    int cellMode(int col, int row) const { return w.cellMode(col, row); }
};
// The probe of a window: probe(w).cmdAgain, or `auto in = probe(w);` where a test uses many.
inline SquareProbe probe(frmSquare* window) { return SquareProbe{*window}; }
}  // namespace testsupport
