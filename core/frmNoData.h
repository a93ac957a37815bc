#pragma once
// The data-not-found dialog and the lookup that opens it. FindDataFile looks a stored relative
// name up in the installation folder and then in the data folder; when the file is in neither
// and the caller allows it, frmNoData lets the user retry, type another data folder, read an
// explanation or quit. Request and answer travel in gDialogRequest.
#include <QString>

#include "platform/Form.h"

class Label;
class QPushButton;
class TextBox;

class frmNoData : public Form {
    Q_OBJECT
public:
    frmNoData();

    Label* lblInstr = nullptr;
    TextBox* Text1 = nullptr;
    QPushButton* cmdAgain = nullptr;
    QPushButton* cmdDetails = nullptr;
    QPushButton* cmdQuit = nullptr;

    void cmdAgain_Click();
    void cmdDetails_Click();
    void cmdQuit_Click();
    void Text1_KeyPress(int& keyAscii);

    // The marker other programs of the package look for while the dialog waits.
    static const QString ClipboardMarker;

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void leaveClipboard();
    QString request_;
};

// Shows frmNoData modally for the request in gDialogRequest.
void ShowNoDataDialog();

// The pause after each retry: about a second (to the next whole second but one), with the
// hourglass, without processing events; none just after midnight.
void RetryPause();

// The real path of the file (the installation folder first, then the data folder); "" when it
// is in neither and allowAsk is 0. With a non-zero allowAsk it asks until it is found or the
// user quits.
QString FindDataFile(const QString& name, int allowAsk);

// After the data was found under a folder typed in the dialog (gDialogRequest "AGAIN", gDataRoot
// no longer oldDataRoot): asks whether to keep it for good, and stores it in DataFolder on "YES".
// A folder that cannot be stored to read back is kept for the session, and the user told so.
void OfferToKeepDataFolder(const QString& oldDataRoot);
