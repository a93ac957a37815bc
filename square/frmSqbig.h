#pragma once
// The frame window of the word-square programs: the shared frame (children, reshaping, the
// sound players) with its own load (colour check, the two sounds, the pupil's name and session,
// the teacher's settings record), its own unload (the pupil's session into the tracking log)
// and help items on the edition's help file. Its first activation shows frmSquare.
#include "core/frmKest.h"

class frmSqbig : public frmKest {
    Q_OBJECT
public:
    frmSqbig();

    static frmSqbig* instance();

    void mnuHelpContents_Click() override;
    void mnuHelpSearch_Click() override;

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    void colourCheck();
    bool colourChecked_ = false;
    bool unloaded_ = false;
};

// The edition's help file in the program folder.
QString SquareHelpFile();

// Opens a frame player on a sound of the installation: Close, device type, file, Open.
class WaveDevice;
void OpenFramePlayer(WaveDevice& player, const QString& relativeName);

// The word-square programs' start: the edition word, the program's title, the windows the core
// opens. Called by main before the splash is shown.
void SetUpSquareProgram(const QString& editionWord);

// The whole main of a word-square program: the application, the start-up arguments, the
// termination handler and the splash. Returns the application's exit status.
int RunSquareProgram(int argc, char** argv, const QString& editionWord);
