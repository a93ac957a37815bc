// Random bytes as USERS.DAT: the list loads or the program ends with the "file" message; a
// loaded list holds as many names as its count says, each trimmed and at most 16 characters,
// and saving it and loading it again gives the same list.
#include <cstddef>
#include <cstdint>

#include "FuzzFolder.h"
#include "core/Users.h"
#include "platform/Lang.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzfolder::setUp();
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzzfolder::write(QStringLiteral("USERS.DAT"), bytes);
    if (!fuzzfolder::loads(LoadUsers)) {
        // Nothing is written on the way to the fatal message.
        if (fuzzfolder::read(QStringLiteral("USERS.DAT")) != bytes)
            __builtin_trap();
        return 0;
    }
    const QStringList loaded = UserNames;
    if (loaded.isEmpty())
        __builtin_trap();
    const std::optional<int16_t> count = lang::CInt(lang::Val(loaded[0]));
    const int names = int(loaded.size()) - 1;
    if (!count || names != qMax<int>(0, *count))
        __builtin_trap();
    for (int i = 1; i < loaded.size(); ++i) {
        const QString& n = loaded[i];
        if (n.size() > 16 || n != lang::Trim(n))
            __builtin_trap();
    }
    // What was read can be written back, and reads back as it was (the count as a number: it is
    // kept as text in whatever form it was given).
    if (!SaveUsers())
        __builtin_trap();
    UserNames.clear();
    if (!fuzzfolder::loads(LoadUsers) || UserNames.mid(1) != loaded.mid(1) ||
        lang::Val(UserNames[0]) != lang::Val(loaded[0]))
        __builtin_trap();
    return 0;
}
