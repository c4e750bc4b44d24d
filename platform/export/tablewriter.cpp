#include "tablewriter.h"

#include "csvwriter.h"
#include "rtfwriter.h"
#include "spreadsheetwriter.h"

#include <QDir>
#include <QSaveFile>

namespace nm::platform {

namespace {
constexpr qsizetype kProgressEvery = 1000;
}

std::unique_ptr<TableWriter> makeTableWriter(ExportKind kind, QIODevice* device, int codePage) {
    switch (kind) {
    case ExportKind::Csv:
        return std::make_unique<CsvWriter>(device);
    case ExportKind::Rtf:
        return std::make_unique<RtfWriter>(device, codePage);
    case ExportKind::Excel:
        return std::make_unique<SpreadsheetWriter>(device);
    case ExportKind::Print:
        break;
    }
    return nullptr;
}

ExportResult writeBytes(QIODevice* device, const QByteArray& bytes) {
    if (!device || !device->isWritable())
        return ExportResult::failure(ExportError::CannotWrite, QStringLiteral("The report file is not open for writing."));
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = device->write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return ExportResult::failure(ExportError::CannotWrite,
                                         QStringLiteral("The report file could not be written: %1").arg(device->errorString()));
        done += qsizetype(n);
    }
    return ExportResult::success();
}

ExportResult writeTable(TableWriter& writer, const ExportTable& table, const RowSource& rows,
                        const ExportProgress& progress) {
    if (table.columns.isEmpty())
        return ExportResult::failure(ExportError::BadTable, QStringLiteral("The report has no columns."));
    const qsizetype total = rows.rowCount();
    if (ExportResult r = writer.begin(table, total); !r)
        return r;
    for (qsizetype i = 0; i < total; ++i) {
        if (ExportResult r = writer.writeRow(rows.row(i)); !r)
            return r;
        if (progress && (i + 1) % kProgressEvery == 0 && !progress(i + 1, total))
            return ExportResult::failure(ExportError::Cancelled, QStringLiteral("The report was cancelled."));
    }
    if (ExportResult r = writer.finish(); !r)
        return r;
    if (progress)
        progress(total, total);
    return ExportResult::success();
}

ExportResult exportToFile(ExportKind kind, const ExportTable& table, const RowSource& rows, const QString& path,
                          const ExportProgress& progress, int codePage) {
    if (kind == ExportKind::Print)
        return ExportResult::failure(ExportError::BadTable, QStringLiteral("A printed report is not a file."));
    const QString shown = QDir::toNativeSeparators(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return ExportResult::failure(ExportError::CannotWrite,
                                     QStringLiteral("The report file %1 could not be created: %2").arg(shown, file.errorString()));
    std::unique_ptr<TableWriter> writer = makeTableWriter(kind, &file, codePage);
    ExportResult r = writeTable(*writer, table, rows, progress);
    if (!r) {
        file.cancelWriting();
        return r;
    }
    if (!file.commit())
        return ExportResult::failure(ExportError::CannotWrite,
                                     QStringLiteral("The report file %1 could not be written: %2").arg(shown, file.errorString()));
    return ExportResult::success();
}

}  // namespace nm::platform
