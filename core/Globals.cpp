#include "core/Globals.h"

#include "platform/Form.h"
#include "platform/Speech.h"

// Every global with the value it has before start-up (none given: the type's empty value). The
// definitions and resetGlobals() are both made from this one list, so a value is written once.
#define KESTROW_GLOBALS(G)                                          \
    /* Folders. */                                                  \
    G(QString, gProgramRoot)                                        \
    G(QString, gDataRoot)                                           \
    /* Program and edition. */                                      \
    G(QString, gVersionText)                                        \
    G(QString, gEditionName)                                        \
    G(QString, gHelpFileName)                                       \
    G(int, gSquareMode, 0)                                          \
    G(int, gTeacherNoteShown, 0)                                    \
    /* Start-up and the frame window. */                            \
    G(int, gSplashDone, 0)                                          \
    G(int, gShellReady, 0)                                          \
    G(int, gStartChecksDone, 0)                                     \
    G(int, gResizeAnyState, 0)                                      \
    G(int, gMinShellWidth, 0)                                       \
    G(int, gMinShellHeight, 0)                                      \
    G(int32_t, gColourBits, 0)                                      \
    G(QPointer<Form>, gMDIForm)                                     \
    G(std::unique_ptr<SpeechVoice>, gVoice)                         \
    /* The current book and activity. */                            \
    G(QString, gBookCode)                                           \
    G(QString, gBookTitle)                                          \
    G(QString, gAuthor)                                             \
    G(QString, gIllustrator)                                        \
    G(int, gActivity, 0)                                            \
    G(int, gFrame, 0)                                               \
    G(int, gFrameCount, 0)                                          \
    G(int, gBusy, 0)                                                \
    G(int, gRelayout, 0)                                            \
    G(QString, gCurrentWord)                                        \
    G(int, gClozeLevel, 0)                                          \
    G(int, gClozeChoicesOpen, 0)                                    \
    G(QString, gWordListName)                                       \
    /* Dialog exchange. */                                          \
    G(QString, gUserName)                                           \
    G(QString, gDialogRequest)                                      \
    G(int, gPassResult, 0)                                          \
    G(QString, gPasswordEditText)                                   \
    G(QString, gNewPassword)                                        \
    G(QString, gOldPassword)                                        \
    G(QString, gWarningKind)                                        \
    G(QString, gGetfilePath)                                        \
    G(QString, gGetfilePattern)                                     \
    /* Record reading. */                                           \
    G(QString, gRecordBuffer)                                       \
    G(int32_t, gRecordKey, 0)                                       \
    /* Texts. */                                                    \
    G(QString, gCrLf, QStringLiteral("\r\n"))                       \
    G(QString, gLf, QStringLiteral("\n"))                           \
    /* The book catalogue. */                                       \
    G(QStringList, gBookFiles)                                      \
    G(QStringList, gBookTitles)                                     \
    G(QStringList, gBookListText)                                   \
    G(int, gBookCount, 0)                                           \
    /* Screen scaling. */                                           \
    G(float, gScaleX, 1.0f)                                         \
    G(float, gScaleY, 1.0f)                                         \
    G(float, gScale, 1.0f)                                          \
    G(int, gDesignWidth, 9600)                                      \
    G(int, gDesignHeight, 6630)                                     \
    /* The session. */                                              \
    G(QString, gSessionText)                                        \
    G(double, gSessionStart, 0)                                     \
    G(double, gSessionEnd, 0)                                       \
    G(QString, gActivityLog)                                        \
    G(double, gActivityStart, 0)                                    \
    G(double, gActivityEnd, 0)                                      \
    /* The records and lists kept in the program folder's files. */ \
    G(GlobalSettingsRecord, GlobalSettings)                         \
    G(ActivitySettingsRecord, ActiveSettings)                       \
    G(ActivitySettingsRecord, SavedSettings)                        \
    G(ActivitySettingsRecord, EditSettings)                         \
    G(QStringList, UserNames)                                       \
    G(QString, LogText)

#define KESTROW_DEFINE_GLOBAL(type, name, ...) type name{__VA_ARGS__};
KESTROW_GLOBALS(KESTROW_DEFINE_GLOBAL)
#undef KESTROW_DEFINE_GLOBAL

void resetGlobals() {
#define KESTROW_RESET_GLOBAL(type, name, ...) name = type{__VA_ARGS__};
    KESTROW_GLOBALS(KESTROW_RESET_GLOBAL)
#undef KESTROW_RESET_GLOBAL
}

#undef KESTROW_GLOBALS
