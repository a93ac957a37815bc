#pragma once
// The file chooser: the files of one folder that match a pattern, each under the title its
// name has in the book catalogue (files without a title are left out), with an optional row
// "Open some other file ...". In: gGetfilePath (folder), gGetfilePattern, gDialogRequest
// ("OTHERFILES" for the extra row), gWordListName (preselected). Out: gGetfilePath = the chosen
// file name, "OTHER_FILE", or "" when cancelled; gDialogRequest = the chosen row's text.
#include <QStringList>

#include "platform/Form.h"

class ListBox;
class PictureButton;

class frmGetfile : public Form {
    Q_OBJECT
public:
    frmGetfile();

    ListBox* list = nullptr;
    PictureButton* cmdYes = nullptr;
    PictureButton* cmdNo = nullptr;
    // Parallel to the rows of list.
    QStringList ListedFiles;

    void cmdNo_Click();
    void cmdYes_Click();
    void list_DblClick();
    void list_KeyPress(int& keyAscii);
    void Form_KeyPress(int& keyAscii) override;

    static const QString OtherFileRow;

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void LayoutGetfile();
};

// The names of the files of a folder (either separator, any letter case) that match the
// pattern ("*.TXT", compared without regard to case), in the order of the original's file list.
QStringList ListFolderFiles(const QString& folder, const QString& pattern);

// The row a title gets: a catalogue title ("05  Title", "12X Title") as its number, a TAB and
// the title, with a leading "0" dropped; any other title (a range) as it is.
QString GetfileRowText(const QString& title);

// Shows frmGetfile modally with the globals above.
void ShowGetfileDialog();
