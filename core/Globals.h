#pragma once
// The module globals of the shared core: everything that crosses windows and subsystems.
// Plain globals keep the dialogs' exchange as simple as the original's; tests start from
// resetGlobals().
#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>

#include "core/Settings.h"

class Form;
class SpeechVoice;

// Folders.
extern QString gProgramRoot;  // the installation folder, no trailing separator
extern QString gDataRoot;     // the data folder (DATA\ lies below it)

// Program and edition.
extern QString gVersionText;
extern QString gEditionName;    // "TEACHER" / "PUPIL" in the word-square programs, else empty
extern QString gHelpFileName;
extern int gSquareMode;         // squaremode:: codes (core/Activity.h)
extern int gTeacherNoteShown;

// Start-up and the frame window.
extern int gSplashDone;
extern int gShellReady;
extern int gStartChecksDone;
extern int gResizeAnyState;
extern int gMinShellWidth;   // pixels
extern int gMinShellHeight;
extern int32_t gColourBits;
extern QPointer<Form> gMDIForm;
extern std::unique_ptr<SpeechVoice> gVoice;

// The current book and activity.
extern QString gBookCode;
extern QString gBookTitle;
extern QString gAuthor;       // set by GetBookTitle
extern QString gIllustrator;  // set by GetBookTitle
extern int gActivity;         // activity:: codes (core/Activity.h)
extern int gFrame;
extern int gFrameCount;
extern int gBusy;
extern int gRelayout;
extern QString gCurrentWord;
extern int gClozeLevel;
extern int gClozeChoicesOpen;
extern QString gWordListName;

// Dialog exchange.
extern QString gUserName;
extern QString gDialogRequest;
extern int gPassResult;
extern QString gPasswordEditText;
extern QString gNewPassword;
extern QString gOldPassword;
extern QString gWarningKind;
extern QString gGetfilePath;
extern QString gGetfilePattern;

// Record reading.
extern QString gRecordBuffer;
extern int32_t gRecordKey;

// Texts.
extern QString gCrLf;
extern QString gLf;

// The book catalogue, parallel lists of gBookCount elements.
extern QStringList gBookFiles;
extern QStringList gBookTitles;
extern QStringList gBookListText;
extern int gBookCount;

// Screen scaling.
extern float gScaleX;
extern float gScaleY;
extern float gScale;
extern int gDesignWidth;   // twips
extern int gDesignHeight;  // twips

// The session. The starts and ends are readings of the steady clock (appClock().monotonic()),
// so that a clock set back or a change to summer time does not change the minutes logged.
extern QString gSessionText;
extern double gSessionStart;
extern double gSessionEnd;
extern QString gActivityLog;
extern double gActivityStart;
extern double gActivityEnd;

// The records and lists kept in the program folder's files.
extern GlobalSettingsRecord GlobalSettings;
extern ActivitySettingsRecord ActiveSettings;  // in force
extern ActivitySettingsRecord SavedSettings;   // as last read or written
extern ActivitySettingsRecord EditSettings;    // being edited
extern QStringList UserNames;                  // element 0: the count as text
extern QString LogText;

// Every global back to its value before start-up.
void resetGlobals();
