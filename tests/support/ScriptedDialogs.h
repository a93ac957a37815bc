#pragma once
// Dialogs that answer from queues the test fills, and remember every box that came. A box with
// no answer waiting fails the test (and gets Cancel or ""), so no test blocks on a real box.
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/Dialogs.h"

namespace testsupport {

class ScriptedDialogs : public Dialogs {
public:
    struct Call {
        enum Kind { MsgBox, InputBox } kind;
        QString text;    // message box text, or the input box's prompt
        int style = 0;   // message boxes: buttons + icon
        QString title;
        QString defaultText;  // input boxes
        int xTwips = -1;
        int yTwips = -1;
        int answer = 0;       // message boxes
        QString textAnswer;   // input boxes
        bool cancelled = false;

        int buttons() const { return style & mb::ButtonMask; }
        int icon() const { return style & mb::IconMask; }
        const QString& prompt() const { return text; }
    };

    // Answers for the next message boxes, in order.
    ScriptedDialogs& answer(int mbAnswer);
    // Answers for the next input boxes, in order.
    ScriptedDialogs& answerText(const QString& text);
    ScriptedDialogs& answerCancel();

    // Runs while a box is up, before it is answered (the box is the last entry of calls()).
    void setOnBox(std::function<void(const Call&)> fn) { onBox_ = std::move(fn); }

    const std::vector<Call>& calls() const { return calls_; }
    std::vector<Call> msgBoxes() const;
    std::vector<Call> inputBoxes() const;
    int unusedAnswers() const { return int(msgAnswers_.size() + inputAnswers_.size()); }
    void clear();

    int msgBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText, int xTwips,
                     int yTwips) override;

private:
    std::deque<int> msgAnswers_;
    std::deque<std::optional<QString>> inputAnswers_;  // nullopt: Cancel
    std::vector<Call> calls_;
    std::function<void(const Call&)> onBox_;
};

// Installs scripted dialogs for its lifetime and puts back the ones in force before. Answers
// left over at the end fail the test (a box that was expected never came) unless allowUnused().
class ScopedDialogs : public ScriptedDialogs {
public:
    ScopedDialogs();
    ~ScopedDialogs() override;
    ScopedDialogs(const ScopedDialogs&) = delete;
    ScopedDialogs& operator=(const ScopedDialogs&) = delete;

    void allowUnused() { allowUnused_ = true; }

private:
    Dialogs* previous_;
    bool allowUnused_ = false;
};

}  // namespace testsupport
