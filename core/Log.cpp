#include "core/Log.h"

#include <optional>

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "platform/Ansi.h"
#include "platform/Dialogs.h"
#include "platform/LittleEndian.h"
#include "platform/Mouse.h"
#include "platform/Paths.h"
#include "platform/RecordFile.h"

namespace {

const QString kLogFile = QStringLiteral("LOG.DAT");

// Record lengths are 16-bit signed numbers: the prefix and the text together stay below this.
constexpr qint64 kMaxRecord = 32767;

struct Hourglass {
    Hourglass() { mouse::setPointer(mouse::Hourglass); }
    ~Hourglass() { off(); }
    void off() { mouse::setPointer(mouse::Default); }
};

// The text of a log file, or nullopt when it cannot be read: missing, too long for one record,
// or a length prefix promising more than the file holds.
std::optional<QString> readLog(const QString& path) {
    const qint64 length = fileLength(path);
    if (length < 2 || length > kMaxRecord)
        return std::nullopt;
    const std::optional<QByteArray> bytes = recordfile::read(path, 0, length, false);
    if (!bytes || bytes->size() != length)
        return std::nullopt;
    const int n = littleendian::get16(*bytes, 0);
    if (n > length - 2)
        return std::nullopt;
    return ansi::decode(bytes->mid(2, n));
}

// Writes the text with its length prefix as the whole file: a log cut short by the teacher keeps
// nothing of the old sessions behind it. A text too long for one record is not written at all.
bool writeLog(const QString& path, const QString& text) {
    const std::optional<QByteArray> image = LogFileImage(text);
    return image && recordfile::writeWhole(path, *image);
}

// Where a line that starts with prefix begins, searching from `from`; -1 when none does.
qsizetype lineStarting(const QString& text, const QString& prefix, qsizetype from) {
    qsizetype i = text.indexOf(prefix, from);
    while (i >= 0 && i > 0 && text[i - 1] != u'\n')
        i = text.indexOf(prefix, i + 1);
    return i;
}

// A new part must start on a line of its own even when the teacher removed the last line end.
void endLine(QString& text) {
    if (!text.isEmpty() && !text.endsWith(u'\n'))
        text += gCrLf;
}

}  // namespace

QString LogHeader() { return QStringLiteral("Kestrow Readers - Log File\r\n\r\n"); }

std::optional<QByteArray> LogFileImage(const QString& text) {
    const QByteArray body = ansi::encode(text);
    if (body.size() + 2 > kMaxRecord)
        return std::nullopt;
    QByteArray image;
    littleendian::put16(image, static_cast<uint16_t>(body.size()));
    image.append(body);
    return image;
}

bool AppendSessionToLog(const QString& entry, const QString& user) {
    const QString path = ProgramFile(kLogFile);
    if (fileLength(path) <= 0)
        return false;
    const std::optional<QString> read = readLog(path);
    if (!read)
        return false;
    LogText = *read;
    const bool nearlyFull = LogText.size() > 26000;

    // The user's section is the whole heading line; it ends where the next section's separator
    // or heading line begins.
    const QString heading = "Log for " + user + gCrLf;
    const qsizetype at = lineStarting(LogText, heading, 0);
    qsizetype insertAt = -1;
    if (at >= 0) {
        const qsizetype from = at + heading.size();
        const qsizetype sep = lineStarting(LogText, QStringLiteral("====="), from);
        const qsizetype next = lineStarting(LogText, QStringLiteral("Log for "), from);
        if (sep >= 0 && (next < 0 || sep < next))
            insertAt = sep;
        else
            insertAt = next;
    } else {
        endLine(LogText);
        LogText += "=====" + gCrLf + heading + gCrLf;
    }
    if (insertAt >= 0) {
        LogText.insert(insertAt, entry + gCrLf);
    } else {
        endLine(LogText);
        LogText += entry + gCrLf;
    }

    if (!writeLog(path, LogText))
        return false;
    if (nearlyFull)
        MsgBox(QStringLiteral("Message for teacher.\r\n\r\nThe tracking log file is nearly full.\r\n\r\n"
                              "Please delete some of it."),
               mb::OKOnly + mb::Information, QStringLiteral("Log too long"));
    return true;
}

bool LoadLog() {
    Hourglass hourglass;
    const QString path = ProgramFile(kLogFile);
    if (fileLength(path) <= 0)
        writeLog(path, LogHeader());  // errors show up in the read below
    const std::optional<QString> read = readLog(path);
    if (!read)
        return false;
    LogText = *read;
    return true;
}

bool SaveLog() {
    Hourglass hourglass;
    const QString path = ProgramFile(kLogFile);
    if (writeLog(path, LogText))
        return true;
    hourglass.off();
    // LogText keeps the text and the viewer stays open with it: unsaved, not cancelled.
    MsgBox("It was not possible to save the log file\r\n" + path + "\r\n\r\n" +
               "Any changes you have made have not been saved.",
           mb::OKOnly + mb::Exclamation, QStringLiteral("Can't write"));
    return false;
}

QString NextLine() {
    const qsizetype p = gRecordBuffer.indexOf(gCrLf);
    if (p < 0) {
        QString line = gRecordBuffer;
        gRecordBuffer.clear();
        return line;
    }
    const QString line = gRecordBuffer.left(p);
    gRecordBuffer.remove(0, p + 2);
    return line;
}
