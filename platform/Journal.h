#pragma once
// KESTROW_JOURNAL=<file>: one line per event, UTF-8, TAB-separated, first field the milliseconds
// since the process started, second the kind; texts escape \\ \r \n \t.
#include <QString>
#include <QStringList>

namespace journal {

bool enabled();
void write(const QString& kind, const QStringList& fields = {});

// Reopens from the environment (tests set KESTROW_JOURNAL and call this).
void reset();

// The escaping the journal applies to each field.
QString escape(const QString& text);

}  // namespace journal
