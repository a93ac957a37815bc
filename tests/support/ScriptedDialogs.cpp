#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace testsupport {

ScriptedDialogs& ScriptedDialogs::answer(int mbAnswer) {
    msgAnswers_.push_back(mbAnswer);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerText(const QString& text) {
    inputAnswers_.emplace_back(text);
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerCancel() {
    inputAnswers_.emplace_back(std::nullopt);
    return *this;
}

std::vector<ScriptedDialogs::Call> ScriptedDialogs::msgBoxes() const {
    std::vector<Call> out;
    for (const Call& c : calls_)
        if (c.kind == Call::MsgBox)
            out.push_back(c);
    return out;
}

std::vector<ScriptedDialogs::Call> ScriptedDialogs::inputBoxes() const {
    std::vector<Call> out;
    for (const Call& c : calls_)
        if (c.kind == Call::InputBox)
            out.push_back(c);
    return out;
}

void ScriptedDialogs::clear() {
    msgAnswers_.clear();
    inputAnswers_.clear();
    calls_.clear();
}

int ScriptedDialogs::msgBox(const QString& text, int style, const QString& title) {
    Call call{Call::MsgBox, text, style, title, {}, -1, -1, 0, {}, false};
    calls_.push_back(call);
    const size_t index = calls_.size() - 1;  // onBox may bring up another box
    if (onBox_)
        onBox_(call);
    int a = mb::Cancel;
    if (msgAnswers_.empty()) {
        ADD_FAILURE() << "unexpected message box (no scripted answer): title \"" << title.toStdString()
                      << "\", text \"" << text.toStdString() << "\", buttons "
                      << mb::buttonsWord(style).toStdString();
    } else {
        a = msgAnswers_.front();
        msgAnswers_.pop_front();
    }
    calls_[index].answer = a;
    return a;
}

QString ScriptedDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText,
                                  int xTwips, int yTwips) {
    Call call{Call::InputBox, prompt, 0, title, defaultText, xTwips, yTwips, 0, {}, false};
    calls_.push_back(call);
    const size_t index = calls_.size() - 1;
    if (onBox_)
        onBox_(call);
    std::optional<QString> a;
    if (inputAnswers_.empty()) {
        ADD_FAILURE() << "unexpected input box (no scripted answer): title \"" << title.toStdString()
                      << "\", prompt \"" << prompt.toStdString() << "\"";
    } else {
        a = inputAnswers_.front();
        inputAnswers_.pop_front();
    }
    calls_[index].cancelled = !a.has_value();
    calls_[index].textAnswer = a.value_or(QString());
    return a.value_or(QString());
}

ScopedDialogs::ScopedDialogs() : previous_(&dialogs()) { setDialogs(this); }

ScopedDialogs::~ScopedDialogs() {
    setDialogs(previous_ == &realDialogs() ? nullptr : previous_);
    if (!allowUnused_ && unusedAnswers() > 0)
        ADD_FAILURE() << unusedAnswers() << " scripted dialog answer(s) never used: an expected box did not come";
}

}  // namespace testsupport
