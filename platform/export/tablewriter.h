#pragma once
// A writer turns a table (title lines, column headings, rows) into one document on a QIODevice.
// It is fed in three steps so a caller can write a long list in slices and show progress between
// them. Nothing here knows of widgets.

#include "exporttypes.h"
#include "rowsource.h"

#include <functional>
#include <memory>

class QIODevice;

namespace nm::platform {

class TableWriter {
public:
    virtual ~TableWriter() = default;
    // Writes what comes before the rows; call once. `rowCount` is how many rows will follow, so a
    // format that cannot hold them refuses before anything is written.
    virtual ExportResult begin(const ExportTable& table, qsizetype rowCount) = 0;
    virtual ExportResult writeRow(const QStringList& cells) = 0;
    // Completes the document. The device holds a whole document only after this succeeded.
    virtual ExportResult finish() = 0;
};

// The writer for a file kind, writing to `device` (open for writing); null for ExportKind::Print.
// `codePage` is the ANSI code page an RTF document declares.
std::unique_ptr<TableWriter> makeTableWriter(ExportKind kind, QIODevice* device, int codePage = 1252);

// Called after each slice of rows with the rows written so far; answering false stops the writing
// with ExportError::Cancelled.
using ExportProgress = std::function<bool(qsizetype written, qsizetype total)>;

// Writes every row of `rows` through `writer`.
ExportResult writeTable(TableWriter& writer, const ExportTable& table, const RowSource& rows,
                        const ExportProgress& progress = {});

// Writes the table as a file of `kind` at `path`. The file appears, or an older one is replaced,
// only when the document is complete: a failure leaves whatever was there before untouched.
ExportResult exportToFile(ExportKind kind, const ExportTable& table, const RowSource& rows,
                          const QString& path, const ExportProgress& progress = {}, int codePage = 1252);

// Writes `bytes` whole or reports why not.
ExportResult writeBytes(QIODevice* device, const QByteArray& bytes);

}  // namespace nm::platform
