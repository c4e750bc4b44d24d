#pragma once
// CSV as RFC 4180 describes it: records end with CRLF, a field is quoted when it holds a comma, a
// quote, a line break or leading or trailing blanks, and quotes inside are doubled. Text is UTF-8,
// preceded by a byte order mark so spreadsheet programs do not guess another encoding.
// The title lines come first, one field each, then the headings (when any column has one), then
// the rows.

#include "tablewriter.h"

#include <QByteArray>

namespace nm::platform {

class CsvWriter : public TableWriter {
public:
    explicit CsvWriter(QIODevice* device, bool byteOrderMark = true);

    ExportResult begin(const ExportTable& table, qsizetype rowCount) override;
    ExportResult writeRow(const QStringList& cells) override;
    ExportResult finish() override;

    // Appends one field, quoted where needed.
    static void appendField(QByteArray& out, const QString& text);

private:
    ExportResult writeRecord(const QStringList& cells, qsizetype fields);

    QIODevice* m_device;
    bool m_bom;
    qsizetype m_columns = 0;
    QByteArray m_line;
};

}  // namespace nm::platform
