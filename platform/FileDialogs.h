#pragma once
// The common Open / Save As dialog for files. Windows ask through fileDialogs(); the programs
// use the real Qt dialogs, tests install a scripted one.
#include <QString>
#include <deque>
#include <optional>
#include <vector>

struct FileDialogRequest {
    QString filter;       // "Text files (*.TXT)|*.TXT": description and pattern pairs, '|' between
    QString defaultExt;   // appended by the dialog when the name has none ("" = nothing)
    QString fileName;     // the name proposed
    QString initDir;      // the folder shown first
    bool overwritePrompt = true;  // Save As asks before an existing file is replaced
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file's full path; nullopt when the dialog was cancelled.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileAs(const FileDialogRequest& request) = 0;
};

// The implementation in force; setFileDialogs(nullptr) goes back to the real one.
FileDialogs& fileDialogs();
void setFileDialogs(FileDialogs* d);
FileDialogs& realFileDialogs();

// Answers from a queue filled beforehand and remembers every request; an empty queue cancels.
class ScriptedFileDialogs : public FileDialogs {
public:
    struct Call {
        bool save = false;
        FileDialogRequest request;
    };
    ScriptedFileDialogs& answer(const QString& path) {
        answers_.emplace_back(path);
        return *this;
    }
    ScriptedFileDialogs& answerCancel() {
        answers_.emplace_back(std::nullopt);
        return *this;
    }
    const std::vector<Call>& calls() const { return calls_; }
    int unusedAnswers() const { return int(answers_.size()); }

    std::optional<QString> openFile(const FileDialogRequest& request) override { return take(false, request); }
    std::optional<QString> saveFileAs(const FileDialogRequest& request) override { return take(true, request); }

private:
    std::optional<QString> take(bool save, const FileDialogRequest& request);
    std::deque<std::optional<QString>> answers_;
    std::vector<Call> calls_;
};
