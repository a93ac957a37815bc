// Random bytes as LOG.DAT: a log that cannot be read is never written over; one that can is
// saved and read back unchanged, and a session appended to it lands under its user's heading
// with the rest of the text kept.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "core/Log.h"
#include "platform/Ansi.h"

namespace {

const QString kFile = QStringLiteral("LOG.DAT");
const QString kEntry = QStringLiteral("9:30 am, 4 March 2024  Session time: 3 minutes\r\n"
                                      "Reading         Pip the Pup (fuzz)               3");

// Whether the text at i (-1: nowhere) starts a line.
bool atLineStart(const QString& text, qsizetype i) { return i == 0 || (i > 0 && text[i - 1] == u'\n'); }

bool hasLine(const QString& text, const QString& line) {
    for (qsizetype i = text.indexOf(line); i >= 0; i = text.indexOf(line, i + 1))
        if (atLineStart(text, i))
            return true;
    return false;
}

// Where `inserted` went into `text` to give `grown`, or -1 when grown is not text with it put in
// at one place.
qsizetype insertedAt(const QString& grown, const QString& text, const QString& inserted) {
    if (grown.size() != text.size() + inserted.size())
        return -1;
    qsizetype p = 0;
    while (p < text.size() && text[p] == grown[p])
        ++p;
    qsizetype s = 0;
    while (s < text.size() && text[text.size() - 1 - s] == grown[grown.size() - 1 - s])
        ++s;
    for (qsizetype i = qMax<qsizetype>(0, text.size() - s); i <= p; ++i)
        if (QStringView(grown).mid(i, inserted.size()) == inserted)
            return i;
    return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzfolder::setUp();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzzfolder::write(kFile, bytes);
    // The user: the input's last line when it is a short one, so that names found in the log
    // (and those that hold "Log" or "===") are tried too.
    QString user = QStringLiteral("Ann");
    const qsizetype lastLine = bytes.lastIndexOf('\n');
    if (lastLine >= 0 && bytes.size() - lastLine - 1 <= 16)
        user = ansi::decode(bytes.mid(lastLine + 1));

    const QString sentinel = QStringLiteral("not read");
    LogText = sentinel;
    if (!LoadLog()) {
        if (LogText != sentinel || fuzzfolder::read(kFile) != bytes)
            __builtin_trap();
        if (AppendSessionToLog(kEntry, user) || fuzzfolder::read(kFile) != bytes)
            __builtin_trap();
        return 0;
    }
    const QString before = LogText;
    if (!SaveLog())
        __builtin_trap();
    LogText.clear();
    if (!LoadLog() || LogText != before)
        __builtin_trap();

    const QByteArray saved = fuzzfolder::read(kFile);
    if (!AppendSessionToLog(kEntry, user)) {
        // Only a log that would grow past one record refuses the session, and it stays as it was.
        if (ansi::encode(LogText).size() + 2 <= 32767 || fuzzfolder::read(kFile) != saved)
            __builtin_trap();
        return 0;
    }
    const QString appended = LogText;
    if (!LoadLog() || LogText != appended)
        __builtin_trap();
    // The entry went in whole at one place after the user's heading line, the rest kept as it
    // was (with a line end first where the text did not end in one); or, for a user without a
    // section, a new section was added at the end.
    const QString heading = "Log for " + user + "\r\n";
    const QString e = kEntry + "\r\n";
    const QString lineEnd = before.isEmpty() || before.endsWith(u'\n') ? QString() : QStringLiteral("\r\n");
    if (hasLine(before, heading)) {
        qsizetype at = insertedAt(appended, before, e);
        if (at < 0)
            at = insertedAt(appended, before + lineEnd, e);
        if (at < 0 || !hasLine(appended.left(at), heading))
            __builtin_trap();
    } else if (appended != before + lineEnd + "=====\r\n" + heading + "\r\n" + e) {
        __builtin_trap();
    }
    return 0;
}
