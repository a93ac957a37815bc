#include "core/Globals.h"

#include "platform/Form.h"
#include "platform/Speech.h"

QString gProgramRoot;
QString gDataRoot;

QString gVersionText;
QString gEditionName;
QString gHelpFileName;
int gSquareMode = 0;
int gTeacherNoteShown = 0;

int gSplashDone = 0;
int gShellReady = 0;
int gStartChecksDone = 0;
int gResizeAnyState = 0;
int gMinShellWidth = 0;
int gMinShellHeight = 0;
int32_t gColourBits = 0;
QPointer<Form> gMDIForm;
std::unique_ptr<SpeechVoice> gVoice;

QString gBookCode;
QString gBookTitle;
QString gAuthor;
QString gIllustrator;
int gActivity = 0;
int gFrame = 0;
int gFrameCount = 0;
int gBusy = 0;
int gRelayout = 0;
QString gCurrentWord;
int gClozeLevel = 0;
int gClozeChoicesOpen = 0;
QString gWordListName;

QString gUserName;
QString gDialogRequest;
int gPassResult = 0;
QString gPasswordEditText;
QString gNewPassword;
QString gOldPassword;
QString gWarningKind;
QString gGetfilePath;
QString gGetfilePattern;

QString gRecordBuffer;
int32_t gRecordKey = 0;

QString gCrLf = QStringLiteral("\r\n");
QString gLf = QStringLiteral("\n");

QStringList gBookFiles;
QStringList gBookTitles;
QStringList gBookListText;
int gBookCount = 0;

float gScaleX = 1.0f;
float gScaleY = 1.0f;
float gScale = 1.0f;
int gDesignWidth = 9600;
int gDesignHeight = 6630;

QString gSessionText;
float gSessionStart = 0;
float gSessionEnd = 0;
QString gActivityLog;
float gActivityStart = 0;
float gActivityEnd = 0;

GlobalSettingsRecord GlobalSettings;
ActivitySettingsRecord ActiveSettings;
ActivitySettingsRecord SavedSettings;
ActivitySettingsRecord EditSettings;
QStringList UserNames;
QString LogText;

void resetGlobals() {
    gProgramRoot.clear();
    gDataRoot.clear();

    gVersionText.clear();
    gEditionName.clear();
    gHelpFileName.clear();
    gSquareMode = 0;
    gTeacherNoteShown = 0;

    gSplashDone = 0;
    gShellReady = 0;
    gStartChecksDone = 0;
    gResizeAnyState = 0;
    gMinShellWidth = 0;
    gMinShellHeight = 0;
    gColourBits = 0;
    gMDIForm.clear();
    gVoice.reset();

    gBookCode.clear();
    gBookTitle.clear();
    gAuthor.clear();
    gIllustrator.clear();
    gActivity = 0;
    gFrame = 0;
    gFrameCount = 0;
    gBusy = 0;
    gRelayout = 0;
    gCurrentWord.clear();
    gClozeLevel = 0;
    gClozeChoicesOpen = 0;
    gWordListName.clear();

    gUserName.clear();
    gDialogRequest.clear();
    gPassResult = 0;
    gPasswordEditText.clear();
    gNewPassword.clear();
    gOldPassword.clear();
    gWarningKind.clear();
    gGetfilePath.clear();
    gGetfilePattern.clear();

    gRecordBuffer.clear();
    gRecordKey = 0;

    gCrLf = QStringLiteral("\r\n");
    gLf = QStringLiteral("\n");

    gBookFiles.clear();
    gBookTitles.clear();
    gBookListText.clear();
    gBookCount = 0;

    gScaleX = 1.0f;
    gScaleY = 1.0f;
    gScale = 1.0f;
    gDesignWidth = 9600;
    gDesignHeight = 6630;

    gSessionText.clear();
    gSessionStart = 0;
    gSessionEnd = 0;
    gActivityLog.clear();
    gActivityStart = 0;
    gActivityEnd = 0;

    GlobalSettings = GlobalSettingsRecord();
    ActiveSettings = ActivitySettingsRecord();
    SavedSettings = ActivitySettingsRecord();
    EditSettings = ActivitySettingsRecord();
    UserNames.clear();
    LogText.clear();
}
