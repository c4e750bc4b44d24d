#pragma once
// An .xlsx workbook with one worksheet: the title lines centred across the columns, a bold heading
// row (when any column has a heading), then one row per list row. Every cell is a text cell, so
// nothing is reinterpreted as a number, date or formula. libxlsxwriter writes the workbook in
// constant-memory mode into a private temporary folder; finish() copies it onto the device.
// What the format cannot hold (more than 1 048 576 rows, more than 16 384 columns, a text over
// 32 767 characters) is an error, never silently cut.

#include "tablewriter.h"

#include <memory>

struct lxw_format;

namespace nm::platform {

class SpreadsheetWriter : public TableWriter {
public:
    explicit SpreadsheetWriter(QIODevice* device);
    ~SpreadsheetWriter() override;   // an unfinished workbook is thrown away

    ExportResult begin(const ExportTable& table, qsizetype rowCount) override;
    ExportResult writeRow(const QStringList& cells) override;
    ExportResult finish() override;

    static constexpr qsizetype kMaxRows = 1048576;
    static constexpr qsizetype kMaxColumns = 16384;
    static constexpr qsizetype kMaxTextLength = 32767;   // UTF-16 units, as the format counts them

    // A name the format accepts for a worksheet: no []:*?/\, at most 31 characters, not empty.
    static QString sheetName(const QString& name);

private:
    struct Workbook;
    ExportResult writeCells(const QStringList& cells, bool heading);
    ExportResult writeText(unsigned row, qsizetype column, const QString& text, lxw_format* format);

    QIODevice* m_device;
    std::unique_ptr<Workbook> m_book;
};

}  // namespace nm::platform
