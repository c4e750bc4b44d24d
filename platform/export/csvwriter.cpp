#include "csvwriter.h"

#include <QIODevice>

namespace nm::platform {

CsvWriter::CsvWriter(QIODevice* device, bool byteOrderMark) : m_device(device), m_bom(byteOrderMark) {}

void CsvWriter::appendField(QByteArray& out, const QString& text) {
    bool quote = !text.isEmpty() && (text.front() == u' ' || text.back() == u' ');
    for (QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n') {
            quote = true;
            break;
        }
    }
    const QByteArray utf8 = text.toUtf8();
    if (!quote) {
        out += utf8;
        return;
    }
    out += '"';
    for (char b : utf8) {
        if (b == '"')
            out += '"';
        out += b;
    }
    out += '"';
}

ExportResult CsvWriter::writeRecord(const QStringList& cells, qsizetype fields) {
    m_line.clear();
    for (qsizetype i = 0; i < fields; ++i) {
        if (i > 0)
            m_line += ',';
        if (i < cells.size())
            appendField(m_line, cells.at(i));
    }
    m_line += "\r\n";
    return writeBytes(m_device, m_line);
}

ExportResult CsvWriter::begin(const ExportTable& table, qsizetype) {
    m_columns = table.columns.size();
    if (m_bom) {
        if (ExportResult r = writeBytes(m_device, QByteArrayLiteral("\xEF\xBB\xBF")); !r)
            return r;
    }
    for (const QString& title : table.titles)
        if (ExportResult r = writeRecord({title}, 1); !r)
            return r;
    if (table.hasHeadings()) {
        QStringList headings;
        for (const ExportColumn& c : table.columns)
            headings << c.header;
        return writeRecord(headings, m_columns);
    }
    return ExportResult::success();
}

ExportResult CsvWriter::writeRow(const QStringList& cells) {
    return writeRecord(cells, m_columns);
}

ExportResult CsvWriter::finish() {
    return ExportResult::success();
}

}  // namespace nm::platform
