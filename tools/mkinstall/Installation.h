#pragma once
// Makes the sample installation from the sources in data/: book files, pictures, sounds, word
// lists and the settings, user and log files. The same sources give the same bytes.
#include <QString>
#include <QTextStream>

namespace mkinstall {

// Reads dataDir/books/*.book and dataDir/wordlists/*.words and writes the installation into
// outDir (created when missing; other files there are left alone). Throws SourceError for a
// fault in the sources and std::runtime_error when a file cannot be written or the speech
// engine cannot be used. Progress and timings go to log.
void makeInstallation(const QString& dataDir, const QString& outDir, QTextStream& log);

}  // namespace mkinstall
