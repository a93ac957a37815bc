#pragma once
// The start-up window, which is also the About box. On the first load of a run it sets the
// program's globals and finds the data folder; its one-shot timer checks for book files
// (asking through frmNoData until there are some), builds the book catalogue and, 1.2 s after
// it fired at the earliest, shows the frame window. F2 asks whether to switch speech off.
#include "platform/Form.h"

class Label;
class QPushButton;
class QTimer;

class frmSplash : public Form {
    Q_OBJECT
public:
    frmSplash();

    Label* Label1 = nullptr;  // the title
    Label* Label2 = nullptr;  // the subtitle
    Label* Label3 = nullptr;  // the version line
    Label* Label4 = nullptr;  // credits
    QPushButton* cmdOK = nullptr;
    QTimer* TimerSplash = nullptr;

    void Form_KeyDown(int& keyCode, int shift) override;
    void TimerSplash_Timer();
    void cmdOK_Click();

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void layoutControls();
};

// Shows the splash modally as the About box.
void ShowAboutBox();

// The splash of start-up while it is still loaded, else nullptr; unloading it is the frame's
// business (when it asks the name, or at its first activation).
frmSplash* StartupSplash();
void UnloadSplash();

// True while the speech-engine question is on the screen: start-up waits for the answer.
bool SpeechQuestionOpen();
