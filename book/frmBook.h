#pragma once
// The book window: a child of the frame in which a book is read page by page (Reading), and in
// which Writing and the two cloze activities run. Its load reads the book file and fits the
// window to the activity; its first activation shows the title page; the page buttons, Tell
// story and a resize redraw pages through ShowFrame; closing it leaves the activity's line in
// the session. Coordinates are twips of the window: a control's position in twips is its
// pixel position times the screen's twips per pixel.
#include <QImage>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

#include "book/BookFile.h"
#include "book/BookLayout.h"
#include "core/ChildForm.h"

class GraphicalButton;
class ImageBox;
class Label;
class QAction;
class QMenu;
class QTimer;
class ShapeBox;
class TextBox;
class WaveDevice;
class frmCloze;
struct ActivitySettingsRecord;

class Printer;
namespace bookprint {
struct PageGeometry;  // the page's design twips on the printer page
}

// The tests' probe sees the insides.
namespace testsupport {
struct BookProbe;
}

class frmBook : public ChildForm {
    Q_OBJECT
    friend struct testsupport::BookProbe;

public:
    explicit frmBook(QWidget* parent = nullptr);
    ~frmBook() override;

    // ---- what the Choices window (frmCloze) uses ----
    ShapeBox* yellowfudge = nullptr;  // the cloze gap
    ShapeBox* Shape1 = nullptr;       // underline bar of the sentence being heard
    void mnuHelpLocal_Click();
    // Opens the word's sound on MMControl2 and starts it, without waiting for its end.
    void startWordSound(const QString& word);
    // The page's word was found (or the page hides none): the page buttons come back.
    void showSolvedPageButtons();

protected:
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Unload(int& cancel) override;

private:
    // ---- controls ----
    // Control arrays are 1-based as the window uses them: element 0 is unused (nullptr).
    std::vector<ImageBox*> picframe;  // 1..MaxPictures (at least 1)
    std::vector<Label*> label;        // 1..MaxBlocks (at least 4): block texts in Reading and cloze
    std::vector<TextBox*> text;       // 1..MaxBlocks (at least 4): Writing text boxes
    std::vector<ShapeBox*> box;       // 1..MaxBlocks (at least 4): frames of the Writing boxes
    TextBox* TextTitle = nullptr;     // the title box of Writing
    TextBox* Cloze = nullptr;         // the answer box of Cloze (type)
    ShapeBox* Shape2 = nullptr;       // underline bar of a single clicked word
    Label* lblCredits = nullptr;
    ShapeBox* shpmargin = nullptr;
    ShapeBox* linmargin = nullptr;
    GraphicalButton* cmdNext = nullptr;
    GraphicalButton* cmdRestart = nullptr;
    GraphicalButton* cmdBack = nullptr;
    GraphicalButton* cmdEarSmall = nullptr;
    GraphicalButton* cmdEar = nullptr;
    GraphicalButton* cmdMenu = nullptr;
    GraphicalButton* cmdCancel = nullptr;
    QTimer* cloze_timer = nullptr;
    std::unique_ptr<WaveDevice> MMControl1;  // the page's sentence sound
    std::unique_ptr<WaveDevice> MMControl2;  // single word sounds
    QImage DIBholder;                        // the book's cover picture
    QImage ImageNext;                        // the next page's picture, read in advance
    QImage picclipbig;                       // the button picture strips
    QImage picclipsmall;

    // ---- menus ----
    QMenu* mnuFile = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAs = nullptr;
    QAction* mnuBlank = nullptr;
    QAction* mnuMenu = nullptr;
    QAction* mnuBlank2 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuPrint = nullptr;
    QAction* mnuPrintText = nullptr;
    QAction* mnuPrintPic = nullptr;
    QAction* mnuPrintAll = nullptr;
    QAction* mnuBlank4 = nullptr;
    QAction* mnuPrintStory = nullptr;
    QAction* mnuBlank6 = nullptr;
    QAction* mnuPrintCol = nullptr;
    QAction* mnuPrintMono = nullptr;
    QAction* mnuPlayAll = nullptr;
    QAction* mnuScale = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpLocal = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpSearch = nullptr;
    QAction* mnuBlank3 = nullptr;
    QAction* mnuHelpAbout = nullptr;

    // ---- the book, as LoadBookFile read it ----
    BookData Book;  // BlockText, BlockRect, PictureName, PictureRect, MarkTime, NextLink
    int MaxPictures = 0;
    int MaxBlocks = 0;
    int MaxMarks = 0;
    int BookFontSize = 0;

    // ---- window state ----
    int PageButtonsShown = -1;  // 0 while Tell story runs
    int TextLoading = 0;        // -1 while code writes into the text boxes (setTextQuietly)
    int LineFitMode = 0;        // Writing: 2 for a single text line, 0 for more
    QString PreloadedPictureName;
    QString TextFilePath;
    QStringList ClozeChoices;   // entries 0..4: the candidates in display order from 1
    int ClozeChoiceCount = 0;   // candidates offered (gClozeLevel, fewer for a short list)
    QStringList ClozeWordList;  // the book's word list in Cloze (click)
    int BlankWidth = 0;
    int ClozeWordIndex = 0;     // 1-based in Words; 0 when the page hides no word
    int ClozeFlashDone = 0;     // -1 once the red flash of a wrong letter is over
    int HearNesting = 0;
    int TellingStory = 0;
    int StopRequested = 0;
    // True while the sentence's underline walks its words: being busy with it does not hold
    // the window (busyHoldsWindow).
    bool SentenceWalk = false;
    // The words the two bars stand under, so that a re-layout moves the bars with them.
    int UnderlinedWord = 0;
    int ClickedWord = 0;
    // The Choices window (frmCloze) of Cloze (click); ShowFrame hides it.
    QPointer<frmCloze> ChoicesWindow;

    // The frame's measured words (FrameWords, FrameWordLeft ... FrameWordMarkWidth).
    booklayout::FrameWordTable Words;
    int FrameWordCount() const { return Words.FrameWordCount(); }

    // ---- procedures ----
    // Reads the book file into the tables, grows the control arrays, fits and sets the book
    // font. A book that cannot be read ends the program with its fatal message.
    void LoadBookFile();
    void LayoutBookWindow();
    void SetButtonPictures();
    void ShowFrame();
    void SetupFrameWords(int& ok);
    void MeasureBlockWords(int block, int& fits);
    QString TrimBlockWord(QString& text, int width);
    QString BlockTextLine(const QString& text, int n) const;
    // Writes a box's text with TextLoading at -1, so that its Change handler leaves the page's
    // texts alone; TextLoading is 0 afterwards.
    void setTextQuietly(TextBox* box, const QString& text);

    // The window's text metrics in its current font, twips, unrounded (TextWidth, TextHeight).
    double TextWidth(const QString& s) const;
    double TextHeight(const QString& s) const;
    QString fontName() const { return fontName_; }
    double fontSize() const;

    // ---- handlers ----
    void cmdBack_Click();
    void cmdNext_Click();
    void cmdRestart_Click();
    void cmdMenu_Click();
    void mnuMenu_Click();
    void mnuExit_Click();
    void mnuHelp_Click();

    // ---- hearing and Tell story: book/frmBookHear.cpp ----
    // The sentence with its words underlined, single words, the whole story told, and the
    // Stop button of Tell story. They share gBusy, HearNesting, TellingStory, StopRequested,
    // PageButtonsShown and the word table above with the rest of the window.
    void cmdEar_Click();
    void cmdEarSmall_Click();
    // x, y: twips inside label(index).
    void label_MouseDown(int index, int button, int shift, float x, float y);
    void mnuPlayAll_Click();
    void cmdCancel_Click();

    // ---- the cloze activities: book/frmBookCloze.cpp ----
    void CheckClozeAnswer();
    void Cloze_Change();
    void Cloze_KeyPress(int& keyAscii);
    void Cloze_Click();
    void cloze_timer_Timer();
    // Strips the answer (written back), draws the candidates, lays out and shows frmCloze.
    void PrepareClozeWords(QString& word);

    // ---- printing: book/frmBookPrint.cpp ----
    // The Print menu: the page on show (text, pictures or both), the story of all pages on one
    // sheet, and colour or forced black-and-white pictures.
    void mnuPrint_Click();
    void mnuPrintText_Click();
    void mnuPrintPic_Click();
    void mnuPrintAll_Click();
    void mnuPrintStory_Click();
    void mnuPrintCol_Click();
    void mnuPrintMono_Click();
    // What PrintPage prints of the page on show, under the running header.
    enum PrintParts { PrintText = 1, PrintPictures = 2, PrintTextAndPictures = PrintText | PrintPictures };
    void PrintPage(int parts);
    void printPageUnlessBusy(int parts);
    // Sets ForceMono (0 or -1), the check marks, and writes the choice to its file.
    void setForceMono(int value);

    // ---- Writing: book/frmBookWrite.cpp ----
    // The boxes of the frame behave as one page of running text; BlockText of the frame
    // always holds what they show. Story text files save and reopen the texts of all frames.
    int KeyHandled = 0;         // -1: KeyDown dealt with the key, KeyPress drops the character
    int UpdatePending = 0;      // -1: the next Change runs UpdateBlocks(1)
    int PendingClipAction = 0;  // 1 cut, 2 copy, 3 paste: set by KeyDown, done by KeyPress
    int CurrentBlock = 0;       // the box that last got the focus (1 for the title box)
    int QuoteToggle = 0;        // 1: the last curly quote produced opened
    QStringList UndoBlocks;     // the frame's texts before an edit that may not fit
    int CaretBlock = 0;         // where UpdateBlocks(0 or 2) puts the focus and caret
    int CaretPos = 0;
    void text_Change(int index);
    void text_GotFocus(int index);
    void text_KeyDown(int index, int& keyCode, int shift);
    void text_KeyPress(int index, int& keyAscii);
    void TextTitle_Change();
    void TextTitle_GotFocus();
    void TextTitle_KeyDown(int& keyCode, int shift);
    void TextTitle_KeyPress(int& keyAscii);
    void UpdateBlocks(int mode);
    void SaveUndoBlocks();
    void RestoreUndoBlocks();
    void CarryCaretToBlocks(int offset);
    // Flows the frame's text over its lines again; false (after a beep) when it does not fit.
    bool CheckBlockTexts();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void LoadTextFile(const QString& path);
    void SaveTextFile(const QString& path);
    // Gives the Writing boxes and the File items their handlers (once, from the load).
    void connectWritingControls();

    // The steps of text_KeyDown and text_KeyPress. A key the KeyDown steps deal with is
    // cleared, and KeyPress then drops its character (keyDealtWith).
    bool lineShown(int i) const;
    void focusLine(int i, int pos);
    void keyDealtWith(int& keyCode);
    void moveToNeighbourLine(int index, int& keyCode);
    void joinWithLineAbove(int index, int& keyCode);
    void deleteAcrossLines(int index, int& keyCode);
    void doPendingClipAction(int index);
    double typedLineWidth(int block, int frame, int keyAscii) const;
    void typeIntoTitle(int& keyAscii);
    void typeIntoLine(int index, int& keyAscii);
    // The steps of PrintPage after the header, in its order.
    void fitPrintFontSize(Printer& p, const bookprint::PageGeometry& g);
    void printReadingTexts(Printer& p, const bookprint::PageGeometry& g);
    void printWritingTexts(Printer& p, const bookprint::PageGeometry& g);
    void printPictures(Printer& p, const bookprint::PageGeometry& g);
    // The steps of mnuPrintStory_Click.
    int countStoryLines(QString& longest) const;
    void printStoryLines(Printer& p, double left, double top, double pitch);

    // Whether the window's work holds the child in it, so that Menu, Exit and a close are
    // refused: busy (gBusy = 1: a pause, a print, Writing's text spoken), but not the
    // sentence's underline walk, which ends when the window goes.
    bool busyHoldsWindow() const;
    // Whether a close must be refused: while busyHoldsWindow and while Tell story runs, even
    // between its steps. The program closing ends Tell story instead of being refused by it.
    bool hearingRefusesClose(int unloadMode);
    // Each returns false when the window went away meanwhile; the caller then returns at once
    // without touching it.
    bool hearSentence();
    bool speakTypedText();
    bool playWordSound(const QString& word);
    // Sleeps, without yielding, until the clock of day passes roundedStart + seconds (counted
    // on the steady clock), or Stop was pressed; false when the window has gone.
    bool pauseWithoutYielding(float roundedStart, double seconds);
    void placeUnderline(QWidget* bar, int word);
    // Puts the shown underline bars under their words again, after the words were measured anew.
    void replaceUnderlines();
    // Chooses the page's hidden word (kept on a re-layout) and covers it.
    void chooseAndHideClozeWord();
    void placeClozeGap(int word);
    void layoutChoices();
    void placeChoicesWindow();
    void openChoicesWindow();
    void closeChoicesWindow();

    void createControls();
    Label* newBlockLabel();
    void createMenus();
    void loadButtonStrips();
    void growControlArrays();
    void applyActivitySettings();
    // The steps of applyActivitySettings, in its order.
    void startClozeLevel(const ActivitySettingsRecord& s);
    void showFileItems(int a, const ActivitySettingsRecord& s);
    void showEarButtons(int a, const ActivitySettingsRecord& s);
    void showPrintAndTellItems(int a, const ActivitySettingsRecord& s);
    void showClozeGap(int a);
    bool openClozeChoices();
    void openClickSound();
    void showCredits(int a);
    void returnToMenu();
    void changeFrame(int frame);
    // The steps of ShowFrame, in its order (with placePicture, showPageButtons and
    // preloadNextPicture between them).
    void clearPage(double bookPoints);
    void placeBlockTexts();
    void openSentenceSound();
    void placeWritingBoxes();
    void layoutPageWords();
    // BlockRect fields 1..5 (left, top, width, height, label left) of a block of the page.
    std::array<int, 5> blockOf(int block) const;
    void placePicture(int slot, bool titlePage);
    void preloadNextPicture();
    void showPageButtons();
    void setWindowFontSize(double points);
    void setWindowFontName(const QString& name);
    // Book text fonts of the blocks' controls (name per the window, the given size).
    void setBlockFontSize(double points);

    QFont windowFont_;        // the font TextWidth and TextHeight measure in
    QString fontName_;        // the name it was given ("Arial"), not the family standing in
    bool bookLoaded_ = false;
    bool activatedOnce_ = false;
    int resizeDepth_ = 0;
};

// Opens the book window for the current book and gActivity as the frame's child.
void OpenBookWindow();
