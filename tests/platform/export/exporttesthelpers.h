#pragma once
// Shared by the export tests: awkward cell texts, a CSV reader, and real readers (LibreOffice,
// poppler) run as separate programs.

#include "platform/export/exporttypes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace nm::platform::testing {

// Texts that break careless writers: quoting, separators, line breaks, markup characters, scripts
// beyond Latin-1, characters outside the BMP, leading zeros and formula look-alikes, empty cells.
QVector<QStringList> awkwardRows();
ExportTable awkwardTable(const QString& name = QStringLiteral("BrowseFood"));

// RFC 4180 records from UTF-8 bytes (a leading byte order mark is skipped). Sets *ok to false on
// malformed quoting.
QVector<QStringList> parseCsv(const QByteArray& bytes, bool* ok = nullptr);

// Runs LibreOffice headless with its own profile and home folder; returns the converted file's
// bytes, or an empty array (and a message in *error) when it failed.
QByteArray convertWithLibreOffice(const QString& file, const QString& filter, const QString& suffix,
                                  QString* error);
bool libreOfficeAvailable();

// Output of a command, or an empty array when it failed to run.
QByteArray runTool(const QString& program, const QStringList& args, QString* error = nullptr);

}  // namespace nm::platform::testing
