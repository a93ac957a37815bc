#pragma once
// What the book window tests look at and drive inside the window: its controls, menus and
// state, which its header keeps private as no other window uses them.
#include "book/frmBook.h"
namespace testsupport {
struct BookProbe {
    frmBook& w;
    // ---- controls ----
    std::vector<ImageBox*>& picframe = w.picframe;
    std::vector<Label*>& label = w.label;
    std::vector<TextBox*>& text = w.text;
    std::vector<ShapeBox*>& box = w.box;
    TextBox*& TextTitle = w.TextTitle;
    TextBox*& Cloze = w.Cloze;
    ShapeBox*& Shape2 = w.Shape2;
    Label*& lblCredits = w.lblCredits;
    ShapeBox*& shpmargin = w.shpmargin;
    ShapeBox*& linmargin = w.linmargin;
    GraphicalButton*& cmdNext = w.cmdNext;
    GraphicalButton*& cmdRestart = w.cmdRestart;
    GraphicalButton*& cmdBack = w.cmdBack;
    GraphicalButton*& cmdEarSmall = w.cmdEarSmall;
    GraphicalButton*& cmdEar = w.cmdEar;
    GraphicalButton*& cmdMenu = w.cmdMenu;
    GraphicalButton*& cmdCancel = w.cmdCancel;
    QTimer*& cloze_timer = w.cloze_timer;
    std::unique_ptr<WaveDevice>& MMControl1 = w.MMControl1;
    std::unique_ptr<WaveDevice>& MMControl2 = w.MMControl2;
    QImage& ImageNext = w.ImageNext;
    QImage& picclipbig = w.picclipbig;
    QImage& picclipsmall = w.picclipsmall;
    // ---- menus ----
    QMenu*& mnuFile = w.mnuFile;
    QAction*& mnuFileOpen = w.mnuFileOpen;
    QAction*& mnuFileSave = w.mnuFileSave;
    QAction*& mnuFileSaveAs = w.mnuFileSaveAs;
    QAction*& mnuBlank = w.mnuBlank;
    QAction*& mnuMenu = w.mnuMenu;
    QAction*& mnuExit = w.mnuExit;
    QMenu*& mnuPrint = w.mnuPrint;
    QAction*& mnuPrintText = w.mnuPrintText;
    QAction*& mnuPrintPic = w.mnuPrintPic;
    QAction*& mnuPrintAll = w.mnuPrintAll;
    QAction*& mnuBlank4 = w.mnuBlank4;
    QAction*& mnuPrintStory = w.mnuPrintStory;
    QAction*& mnuPrintCol = w.mnuPrintCol;
    QAction*& mnuPrintMono = w.mnuPrintMono;
    QAction*& mnuPlayAll = w.mnuPlayAll;
    QAction*& mnuScale = w.mnuScale;
    QMenu*& mnuHelp = w.mnuHelp;
    QAction*& mnuHelpLocal = w.mnuHelpLocal;
    QAction*& mnuHelpContents = w.mnuHelpContents;
    QAction*& mnuHelpSearch = w.mnuHelpSearch;
    // ---- the book ----
    BookData& Book = w.Book;
    int& MaxPictures = w.MaxPictures;
    int& MaxBlocks = w.MaxBlocks;
    int& BookFontSize = w.BookFontSize;
    // ---- window state ----
    int& PageButtonsShown = w.PageButtonsShown;
    int& TextLoading = w.TextLoading;
    int& LineFitMode = w.LineFitMode;
    QString& PreloadedPictureName = w.PreloadedPictureName;
    QString& TextFilePath = w.TextFilePath;
    int& ClozeWordIndex = w.ClozeWordIndex;
    int& ClozeFlashDone = w.ClozeFlashDone;
    int& HearNesting = w.HearNesting;
    int& TellingStory = w.TellingStory;
    QPointer<frmCloze>& ChoicesWindow = w.ChoicesWindow;
    booklayout::FrameWordTable& Words = w.Words;
    int FrameWordCount() const { return w.FrameWordCount(); }
    int& CurrentBlock = w.CurrentBlock;
    // ---- procedures ----
    void ShowFrame() { w.ShowFrame(); }
    double TextWidth(const QString& s) const { return w.TextWidth(s); }
    QString fontName() const { return w.fontName(); }
    double fontSize() const { return w.fontSize(); }
    bool CheckBlockTexts() { return w.CheckBlockTexts(); }
    // ---- handlers ----
    void cmdNext_Click() { w.cmdNext_Click(); }
    void cmdRestart_Click() { w.cmdRestart_Click(); }
    void cmdEar_Click() { w.cmdEar_Click(); }
    void cmdEarSmall_Click() { w.cmdEarSmall_Click(); }
    void cloze_timer_Timer() { w.cloze_timer_Timer(); }
};
// The probe of a window: probe(book).cmdNext, or `auto in = probe(book);` where a test uses many.
inline BookProbe probe(frmBook* window) { return BookProbe{*window}; }
// Helpers that only look take the window as const; the probe they get still only looks.
inline BookProbe probe(const frmBook* window) { return BookProbe{const_cast<frmBook&>(*window)}; }
}  // namespace testsupport
