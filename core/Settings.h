#pragma once
// The two fixed-layout settings records (GLOBSET.DAT, TEACHER.DAT and the users' own files) and
// the procedures that read and write them. Every field keeps its raw bytes, so a load and a
// save leave reserved fields, the scrambled password and unknown values byte for byte as they
// were.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

#include "platform/Ansi.h"

// A fixed text of N one-byte Windows-1252 characters, padded with blanks on file.
template <int N>
class FixedText {
public:
    static constexpr int Width = N;

    FixedText() { raw_.fill(0); }

    // The text for use: trailing blanks and zero bytes (a field never written) and leading
    // blanks removed.
    QString text() const {
        QString s = rawText();
        qsizetype end = s.size();
        while (end > 0 && (s[end - 1] == u' ' || s[end - 1] == QChar(0)))
            --end;
        qsizetype start = 0;
        while (start < end && s[start] == u' ')
            ++start;
        return s.mid(start, end - start);
    }
    // All N characters as stored (what the password descrambler needs).
    QString rawText() const { return ansi::decode(bytes()); }

    // Whether the field gives the text back as it was given: no more than N characters, all of
    // them Windows-1252, and no blank at either end (text() trims those).
    static bool holds(const QString& text) {
        if (ansi::encode(text).size() > N)
            return false;
        FixedText f;
        f.setText(text);
        return f.text() == text;
    }

    // Stores the text cut to N characters and padded with blanks.
    void setText(const QString& text) {
        QByteArray b = ansi::encode(text).left(N);
        b.append(QByteArray(N - b.size(), ' '));
        setBytes(b);
    }

    QByteArray bytes() const { return QByteArray(raw_.data(), N); }
    // The first N bytes; a shorter array leaves zero bytes behind it.
    void setBytes(const QByteArray& b) {
        raw_.fill(0);
        const qsizetype n = b.size() < N ? b.size() : N;
        for (qsizetype i = 0; i < n; ++i)
            raw_[static_cast<size_t>(i)] = b[i];
    }

    bool operator==(const FixedText&) const = default;

private:
    std::array<char, N> raw_;
};

// GLOBSET.DAT, record 1. Integers are 16-bit (flags -1 true), little-endian on file.
struct GlobalSettingsRecord {
    static constexpr int Length = 313;

    int16_t NoColourWarning = 0;   // 0
    int16_t SpeechDisabled = 0;    // 2
    int16_t NoFontWarning = 0;     // 4
    FixedText<8> Password;         // 6, scrambled
    FixedText<40> ReservedBytes;   // 14
    int16_t UserNameFlags = 0;     // 54: 1 ask the name, 2 settings per user
    int16_t TrackingOn = 0;        // 56: 1 = log sessions
    FixedText<255> DataFolder;     // 58

    // A shorter image is read as far as it goes, the rest as zero bytes.
    static GlobalSettingsRecord decode(const QByteArray& bytes);
    QByteArray encode() const;  // exactly Length bytes

    bool operator==(const GlobalSettingsRecord&) const = default;
};

// TEACHER.DAT and <FileKey>.DAT, record 1.
struct ActivitySettingsRecord {
    static constexpr int Length = 216;

    FixedText<8> Book;                  // 0
    FixedText<50> TextFont;             // 8
    int16_t ReservedFlag = 0;           // 58
    int16_t ForceMono = 0;              // 60
    int16_t BookChoice = 0;             // 62
    int16_t ReadOn = 0;                 // 64
    int16_t ReadHearSentence = 0;       // 66
    int16_t ReadHearWord = 0;           // 68
    int16_t ReadPrint = 0;              // 70
    int16_t ReadTellStory = 0;          // 72
    int16_t WriteOn = 0;                // 74
    int16_t WriteStartWithText = 0;     // 76
    int16_t WritePrint = 0;             // 78
    int16_t WriteSaveLoad = 0;          // 80
    int16_t WriteHearSentence = 0;      // 82
    int16_t WriteTellStory = 0;         // 84
    int16_t TreasureOn = 0;             // 86
    int16_t TreasureLoad = 0;           // 88
    int16_t TreasureClues = 0;          // 90
    int16_t TreasureSay = 0;            // 92
    int16_t TreasureFails = 0;          // 94
    int16_t TreasureChooseGuesses = 0;  // 96
    int16_t SlideFlags = 0;             // 98
    int16_t ClozeTypeOn = 0;            // 100
    int16_t ClozeTypeSound = 0;         // 102
    int16_t ClozeChoose = 0;            // 104
    int16_t ClozeChooseSound = 0;       // 106
    int16_t AasAy = 0;                  // 108
    int16_t SquareFlags = 0;            // 110
    FixedText<8> SquareWordList;        // 112
    int32_t ReservedNumber1 = 0;        // 120
    FixedText<8> ReservedName1;         // 124
    int32_t ReservedNumber2 = 0;        // 132
    FixedText<8> ReservedName2;         // 136
    int32_t ReservedNumber3 = 0;        // 144
    FixedText<8> ReservedName3;         // 148
    int32_t ReservedNumber4 = 0;        // 156
    FixedText<8> ReservedName4;         // 160
    int32_t ReservedNumber5 = 0;        // 168
    FixedText<8> ReservedName5;         // 172
    int32_t ReservedNumber6 = 0;        // 180
    FixedText<8> ReservedName6;         // 184
    int32_t ReservedNumber7 = 0;        // 192
    FixedText<8> ReservedName7;         // 196
    int32_t ReservedNumber8 = 0;        // 204
    FixedText<8> ReservedName8;         // 208

    static ActivitySettingsRecord decode(const QByteArray& bytes);
    QByteArray encode() const;

    bool operator==(const ActivitySettingsRecord&) const = default;
};

// GLOBSET.DAT into GlobalSettings; a missing, empty or unreadable file ends the program
// ("settingload"), leaving an empty file behind.
void LoadGlobalSettings();
// GlobalSettings to GLOBSET.DAT. On failure with showError non-zero: "Can't write", then the
// record is read back from disk.
void SaveGlobalSettings(int showError);
// Record 1 of the named settings file into SavedSettings; gBookCode = its Book.
void LoadSettingsFile(const QString& fileName);
// SavedSettings to the named file; the failure message only when showError is exactly 1.
// True when written.
bool SaveSettingsFile(const QString& fileName, int showError);
