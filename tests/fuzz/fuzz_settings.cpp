// Random bytes as GLOBSET.DAT and as a settings file (TEACHER.DAT, a user's own): every field
// survives a load and a save byte for byte, a file shorter than its record reads as zeros
// behind it, bytes past the record stay, and an empty file is the fatal "settingload" end
// with nothing written.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "core/Settings.h"

namespace {

// The file as a save of what was loaded leaves it: the record's bytes in place, padded with
// zeros where the file was shorter, anything after it untouched.
QByteArray savedImage(const QByteArray& file, int length) {
    QByteArray out = file;
    if (out.size() < length)
        out.append(QByteArray(length - out.size(), '\0'));
    return out;
}

template <typename Record>
void roundTrip(const QByteArray& bytes) {
    const QByteArray image = savedImage(bytes, Record::Length).left(Record::Length);
    if (Record::decode(bytes).encode() != image)
        __builtin_trap();
    if (!(Record::decode(image) == Record::decode(bytes)))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzfolder::setUp();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    roundTrip<GlobalSettingsRecord>(bytes);
    roundTrip<ActivitySettingsRecord>(bytes);

    fuzzfolder::write(QStringLiteral("GLOBSET.DAT"), bytes);
    if (!fuzzfolder::loads([] { LoadGlobalSettings(); })) {
        if (!bytes.isEmpty() || fuzzfolder::read(QStringLiteral("GLOBSET.DAT")) != bytes)
            __builtin_trap();
    } else {
        if (!(GlobalSettings == GlobalSettingsRecord::decode(bytes)))
            __builtin_trap();
        SaveGlobalSettings(1);
        if (fuzzfolder::read(QStringLiteral("GLOBSET.DAT")) != savedImage(bytes, GlobalSettingsRecord::Length))
            __builtin_trap();
    }

    fuzzfolder::write(QStringLiteral("ANN.DAT"), bytes);
    if (!fuzzfolder::loads([] { LoadSettingsFile(QStringLiteral("ANN.DAT")); })) {
        if (!bytes.isEmpty() || fuzzfolder::read(QStringLiteral("ANN.DAT")) != bytes)
            __builtin_trap();
        return 0;
    }
    if (!(SavedSettings == ActivitySettingsRecord::decode(bytes)) || gBookCode != SavedSettings.Book.text())
        __builtin_trap();
    if (!SaveSettingsFile(QStringLiteral("ANN.DAT"), 1) ||
        fuzzfolder::read(QStringLiteral("ANN.DAT")) != savedImage(bytes, ActivitySettingsRecord::Length))
        __builtin_trap();
    return 0;
}
