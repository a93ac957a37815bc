#include "core/frmGetfile.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <algorithm>

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "core/Layout.h"
#include "core/frmPass.h"
#include "platform/Controls.h"
#include "platform/Lang.h"
#include "platform/Paths.h"
#include "platform/Screen.h"
#include "platform/Twips.h"

namespace {

constexpr int kDesignWidth = 4770;
constexpr int kDesignHeight = 3420;
// The area kept on the screen when the dialog is placed over the frame.
constexpr int kFitWidth = 4770;
constexpr int kFitHeight = 3810;

// A stored path (either separator) as a real one, its components found without regard to case.
QString realFolder(const QString& stored) {
    QString p = stored;
    p.replace(u'\\', u'/');
    if (p.startsWith(u'/'))
        return resolvePath(QStringLiteral("/"), p.mid(1));
    return resolvePath(QString(), p);
}

}  // namespace

const QString frmGetfile::OtherFileRow = QStringLiteral("Open some other file ...");

QStringList ListFolderFiles(const QString& folder, const QString& pattern) {
    const QString real = realFolder(folder);
    if (real.isEmpty() || !QFileInfo(real).isDir())
        return {};
    QDir dir(real);
    dir.setNameFilters({pattern.isEmpty() ? QStringLiteral("*") : pattern});
    // No CaseSensitive flag: the pattern matches names in any letter case.
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    QStringList names = dir.entryList();
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = lang::UCase(a).compare(lang::UCase(b));
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString GetfileRowText(const QString& title) {
    if (title.size() >= 4 && title.at(3) == u' ') {
        QString row = title.left(3) + u'\t' + title.mid(4);
        if (row.startsWith(u'0'))
            row.remove(0, 1);
        return row;
    }
    return title;
}

frmGetfile::frmGetfile() : Form(QStringLiteral("frmGetfile")) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setCaption(QStringLiteral("Choose a wordlist"));
    setFocusPolicy(Qt::StrongFocus);

    list = new ListBox(this);
    list->setObjectName(QStringLiteral("list"));
    cmdYes = new PictureButton(this);
    cmdYes->setObjectName(QStringLiteral("cmdYes"));
    cmdYes->setPicture(tickPicture(64));
    cmdNo = new PictureButton(this);
    cmdNo->setObjectName(QStringLiteral("cmdNo"));
    cmdNo->setPicture(crossPicture(64));

    on(cmdYes, &frmGetfile::cmdYes_Click);
    on(cmdNo, &frmGetfile::cmdNo_Click);
    list->DblClick = [this] { list_DblClick(); };
    list->KeyPress = [this](int& k) { list_KeyPress(k); };
    setKeyPreview(true);  // Esc cancels whichever control has the focus
}

void frmGetfile::Form_Load() {
    const int sw = screen::widthTwips();
    const int sh = screen::heightTwips();
    int left = (gMDIForm ? gMDIForm->twipsLeft() : 0) + 1035;
    int top = (gMDIForm ? gMDIForm->twipsTop() : 0) + 1140;
    if (left + kFitWidth > sw)
        left = sw - kFitWidth;
    if (top + kFitHeight > sh)
        top = sh - kFitHeight;
    const int w = int((qint64(sw) * kDesignWidth) / 9600);
    const int h = int((qint64(sh) * kDesignHeight) / 7200);
    moveTwips(left, top, w, h);
    LayoutGetfile();

    const bool otherFiles = gDialogRequest == u"OTHERFILES";
    const QStringList files = ListFolderFiles(gGetfilePath, gGetfilePattern);
    gDialogRequest.clear();
    gGetfilePath.clear();

    int preselect = -1;
    for (const QString& file : files) {
        const QString title = GetBookTitle(file);
        if (title.isEmpty())
            continue;
        list->addItem(GetfileRowText(title));
        ListedFiles << file;
        if (!gWordListName.isEmpty() && file.startsWith(gWordListName, Qt::CaseInsensitive))
            preselect = list->count() - 1;
    }
    if (otherFiles) {
        list->addItem(OtherFileRow);
        ListedFiles << QStringLiteral("OTHER_FILE");
        if (preselect < 0)
            preselect = list->count() - 1;
    }
    if (preselect >= 0)
        list->setListIndex(preselect);
    list->setFocus();
}

void frmGetfile::LayoutGetfile() {
    const double s = std::min(double(twipsWidth()) / kDesignWidth, double(twipsHeight()) / kDesignHeight);
    auto place = [&](QWidget* c, double l, double t, double wd, double ht) {
        setGeometryTwips(c, scaledTwips(TwipRect{l, t, wd, ht}, s, s));
    };
    place(cmdYes, 3780, 360, 855, 855);
    place(cmdNo, 3780, 1800, 855, 855);
    place(list, 120, 75, 3540, 2850);
    layout::setFont(list, 12 * s, false);
}

void frmGetfile::Form_QueryUnload(int& cancel, int unloadMode) {
    (void)cancel;
    // The close box cancels, as the cross does.
    if (unloadMode == unload::FormControlMenu) {
        gDialogRequest.clear();
        gGetfilePath.clear();
    }
}

void frmGetfile::cmdYes_Click() {
    const int row = list->ListIndex();
    if (row < 0 || row >= ListedFiles.size()) {
        gDialogRequest.clear();
        gGetfilePath.clear();
    } else {
        gDialogRequest = list->item(row)->text();
        gGetfilePath = ListedFiles.at(row);
    }
    Unload();
}

void frmGetfile::list_DblClick() { cmdYes_Click(); }

void frmGetfile::cmdNo_Click() {
    gDialogRequest.clear();
    Unload();
}

void frmGetfile::Form_KeyPress(int& keyAscii) {
    if (keyAscii == keycode::Escape) {
        cmdNo_Click();
        keyAscii = 0;
    }
}

// Enter in the list takes the selected row.
void frmGetfile::list_KeyPress(int& keyAscii) {
    if (keyAscii == keycode::Return) {
        keyAscii = 0;
        cmdYes_Click();
    }
}

void ShowGetfileDialog() {
    auto* d = new frmGetfile;
    d->Show(true);
}
