#include "platform/FileDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

#include "platform/ModalFocus.h"

namespace {

// "Text files (*.TXT)|*.TXT" -> "Text files (*.TXT)": Qt wants the descriptions with their
// patterns in brackets, one per line.
QString qtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i];
        const QString pattern = parts[i + 1];
        out << (description.contains(u'(') ? description
                                           : description + QStringLiteral(" (") + QString(pattern).replace(u';', u' ') + u')');
    }
    return out.join(QStringLiteral(";;"));
}

class RealFileDialogs : public FileDialogs {
public:
    std::optional<QString> openFile(const FileDialogRequest& r) override { return run(r, QFileDialog::AcceptOpen); }
    std::optional<QString> saveFileAs(const FileDialogRequest& r) override { return run(r, QFileDialog::AcceptSave); }

private:
    static std::optional<QString> run(const FileDialogRequest& r, QFileDialog::AcceptMode mode) {
        const ModalFocus giveBack;
        QFileDialog dialog(QApplication::activeWindow());
        dialog.setAcceptMode(mode);
        dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setNameFilter(qtFilter(r.filter));
        // Folders are given with either separator; a missing folder leaves the dialog where Qt
        // starts it.
        const QString dir = QDir::fromNativeSeparators(QString(r.initDir).replace(u'\\', u'/'));
        if (!dir.isEmpty() && QDir(dir).exists())
            dialog.setDirectory(dir);
        if (!r.defaultExt.isEmpty())
            dialog.setDefaultSuffix(r.defaultExt);
        if (!r.fileName.isEmpty())
            dialog.selectFile(r.fileName);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !r.overwritePrompt);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    }
};

FileDialogs* current = nullptr;

}  // namespace

FileDialogs& realFileDialogs() {
    static RealFileDialogs real;
    return real;
}

FileDialogs& fileDialogs() { return current ? *current : realFileDialogs(); }

void setFileDialogs(FileDialogs* d) { current = d; }

std::optional<QString> ScriptedFileDialogs::take(bool save, const FileDialogRequest& request) {
    calls_.push_back({save, request});
    if (answers_.empty())
        return std::nullopt;
    const bool given = answers_.front().has_value();
    const QString path = given ? *answers_.front() : QString();
    answers_.pop_front();
    if (!given)
        return std::nullopt;
    return path;
}
