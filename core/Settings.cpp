#include "core/Settings.h"

#include "core/Catalogue.h"
#include "core/Globals.h"
#include "platform/Dialogs.h"
#include "platform/LittleEndian.h"
#include "platform/Mouse.h"
#include "platform/RecordFile.h"

namespace {

// Reads fields back to back from a record image; past its end every byte is zero.
class FieldReader {
public:
    FieldReader(const QByteArray& bytes, int length) : bytes_(bytes.left(length)) {
        bytes_.append(QByteArray(length - bytes_.size(), '\0'));
    }
    int16_t integer() {
        const auto v = static_cast<int16_t>(littleendian::get16(bytes_, pos_));
        pos_ += 2;
        return v;
    }
    int32_t longInt() {
        const auto v = static_cast<int32_t>(littleendian::get32(bytes_, pos_));
        pos_ += 4;
        return v;
    }
    template <int N>
    FixedText<N> text() {
        FixedText<N> t;
        t.setBytes(bytes_.mid(pos_, N));
        pos_ += N;
        return t;
    }
    int position() const { return pos_; }

private:
    QByteArray bytes_;
    int pos_ = 0;
};

class FieldWriter {
public:
    void integer(int16_t v) { littleendian::put16(bytes_, static_cast<uint16_t>(v)); }
    void longInt(int32_t v) { littleendian::put32(bytes_, static_cast<uint32_t>(v)); }
    template <int N>
    void text(const FixedText<N>& t) {
        bytes_.append(t.bytes());
    }
    const QByteArray& bytes() const { return bytes_; }

private:
    QByteArray bytes_;
};

const QString kGlobalFile = QStringLiteral("GLOBSET.DAT");

// The hourglass while a record file is used; the default again before a message and at the end.
struct Hourglass {
    Hourglass() { mouse::setPointer(mouse::Hourglass); }
    ~Hourglass() { off(); }
    void off() { mouse::setPointer(mouse::Default); }
};

// Reads record 1 of a settings file; an unusable file ends the program. A missing file is left
// behind empty, as the record file's open creates it.
QByteArray readSettingsRecord(const QString& path, int length) {
    Hourglass hourglass;
    const std::optional<QByteArray> bytes = recordfile::read(path, 0, length, true);
    if (!bytes || bytes->isEmpty()) {
        hourglass.off();
        ShowFatalError(path, QStringLiteral("settingload"));
    }
    return *bytes;
}

bool writeSettingsRecord(const QString& path, const QByteArray& image) {
    Hourglass hourglass;
    return recordfile::write(path, 0, image);
}

}  // namespace

GlobalSettingsRecord GlobalSettingsRecord::decode(const QByteArray& bytes) {
    FieldReader r(bytes, Length);
    GlobalSettingsRecord g;
    g.NoColourWarning = r.integer();
    g.SpeechDisabled = r.integer();
    g.NoFontWarning = r.integer();
    g.Password = r.text<8>();
    g.ReservedBytes = r.text<40>();
    g.UserNameFlags = r.integer();
    g.TrackingOn = r.integer();
    g.DataFolder = r.text<255>();
    Q_ASSERT(r.position() == Length);
    return g;
}

QByteArray GlobalSettingsRecord::encode() const {
    FieldWriter w;
    w.integer(NoColourWarning);
    w.integer(SpeechDisabled);
    w.integer(NoFontWarning);
    w.text(Password);
    w.text(ReservedBytes);
    w.integer(UserNameFlags);
    w.integer(TrackingOn);
    w.text(DataFolder);
    Q_ASSERT(w.bytes().size() == Length);
    return w.bytes();
}

ActivitySettingsRecord ActivitySettingsRecord::decode(const QByteArray& bytes) {
    FieldReader r(bytes, Length);
    ActivitySettingsRecord a;
    a.Book = r.text<8>();
    a.TextFont = r.text<50>();
    a.ReservedFlag = r.integer();
    a.ForceMono = r.integer();
    a.BookChoice = r.integer();
    a.ReadOn = r.integer();
    a.ReadHearSentence = r.integer();
    a.ReadHearWord = r.integer();
    a.ReadPrint = r.integer();
    a.ReadTellStory = r.integer();
    a.WriteOn = r.integer();
    a.WriteStartWithText = r.integer();
    a.WritePrint = r.integer();
    a.WriteSaveLoad = r.integer();
    a.WriteHearSentence = r.integer();
    a.WriteTellStory = r.integer();
    a.TreasureOn = r.integer();
    a.TreasureLoad = r.integer();
    a.TreasureClues = r.integer();
    a.TreasureSay = r.integer();
    a.TreasureFails = r.integer();
    a.TreasureChooseGuesses = r.integer();
    a.SlideFlags = r.integer();
    a.ClozeTypeOn = r.integer();
    a.ClozeTypeSound = r.integer();
    a.ClozeChoose = r.integer();
    a.ClozeChooseSound = r.integer();
    a.AasAy = r.integer();
    a.SquareFlags = r.integer();
    a.SquareWordList = r.text<8>();
    a.ReservedNumber1 = r.longInt();
    a.ReservedName1 = r.text<8>();
    a.ReservedNumber2 = r.longInt();
    a.ReservedName2 = r.text<8>();
    a.ReservedNumber3 = r.longInt();
    a.ReservedName3 = r.text<8>();
    a.ReservedNumber4 = r.longInt();
    a.ReservedName4 = r.text<8>();
    a.ReservedNumber5 = r.longInt();
    a.ReservedName5 = r.text<8>();
    a.ReservedNumber6 = r.longInt();
    a.ReservedName6 = r.text<8>();
    a.ReservedNumber7 = r.longInt();
    a.ReservedName7 = r.text<8>();
    a.ReservedNumber8 = r.longInt();
    a.ReservedName8 = r.text<8>();
    Q_ASSERT(r.position() == Length);
    return a;
}

QByteArray ActivitySettingsRecord::encode() const {
    FieldWriter w;
    w.text(Book);
    w.text(TextFont);
    w.integer(ReservedFlag);
    w.integer(ForceMono);
    w.integer(BookChoice);
    w.integer(ReadOn);
    w.integer(ReadHearSentence);
    w.integer(ReadHearWord);
    w.integer(ReadPrint);
    w.integer(ReadTellStory);
    w.integer(WriteOn);
    w.integer(WriteStartWithText);
    w.integer(WritePrint);
    w.integer(WriteSaveLoad);
    w.integer(WriteHearSentence);
    w.integer(WriteTellStory);
    w.integer(TreasureOn);
    w.integer(TreasureLoad);
    w.integer(TreasureClues);
    w.integer(TreasureSay);
    w.integer(TreasureFails);
    w.integer(TreasureChooseGuesses);
    w.integer(SlideFlags);
    w.integer(ClozeTypeOn);
    w.integer(ClozeTypeSound);
    w.integer(ClozeChoose);
    w.integer(ClozeChooseSound);
    w.integer(AasAy);
    w.integer(SquareFlags);
    w.text(SquareWordList);
    w.longInt(ReservedNumber1);
    w.text(ReservedName1);
    w.longInt(ReservedNumber2);
    w.text(ReservedName2);
    w.longInt(ReservedNumber3);
    w.text(ReservedName3);
    w.longInt(ReservedNumber4);
    w.text(ReservedName4);
    w.longInt(ReservedNumber5);
    w.text(ReservedName5);
    w.longInt(ReservedNumber6);
    w.text(ReservedName6);
    w.longInt(ReservedNumber7);
    w.text(ReservedName7);
    w.longInt(ReservedNumber8);
    w.text(ReservedName8);
    Q_ASSERT(w.bytes().size() == Length);
    return w.bytes();
}

void LoadGlobalSettings() {
    const QString path = ProgramFile(kGlobalFile);
    GlobalSettings = GlobalSettingsRecord::decode(readSettingsRecord(path, GlobalSettingsRecord::Length));
}

void SaveGlobalSettings(int showError) {
    const QString path = ProgramFile(kGlobalFile);
    if (writeSettingsRecord(path, GlobalSettings.encode()) || showError == 0)
        return;
    // The word-square programs never store the speech setting, so their text leaves it out.
    const QString what = gEditionName.isEmpty()
                             ? QStringLiteral("speech engine settings, tracking or usernames or the password.")
                             : QStringLiteral("tracking or usernames or the password.");
    MsgBox("It was not possible to save the details concerning " + what + "\r\n\r\n" +
               "Any changes you have made have been be cancelled.",
           mb::OKOnly + mb::Exclamation, QStringLiteral("Can't write"));
    LoadGlobalSettings();
}

void LoadSettingsFile(const QString& fileName) {
    const QString path = ProgramFile(fileName);
    SavedSettings = ActivitySettingsRecord::decode(readSettingsRecord(path, ActivitySettingsRecord::Length));
    gBookCode = SavedSettings.Book.text();
}

bool SaveSettingsFile(const QString& fileName, int showError) {
    const QString path = ProgramFile(fileName);
    if (writeSettingsRecord(path, SavedSettings.encode()))
        return true;
    if (showError != 1)
        return false;
    // SavedSettings keeps the changes (the editor keeps them on screen): they are unsaved, not
    // cancelled.
    MsgBox("It was not possible to save the settings file\r\n" + path + "\r\n\r\n" +
               "Any changes you have made have not been saved.",
           mb::OKOnly + mb::Exclamation, QStringLiteral("Can't write"));
    return false;
}
