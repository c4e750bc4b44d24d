#pragma once
// An RTF document holding the title lines as centred paragraphs and the rows as a real table, one
// row definition per row, so word processors open it as a table. The page takes its size, margins
// and orientation from the options; the heading row repeats on every page.
// Text is written as 7-bit ASCII: braces and backslashes are escaped, tabs and line breaks become
// \tab and \line, other control characters are dropped, and everything beyond ASCII goes out as
// \uN? with N the signed 16-bit value of each UTF-16 unit (so a character outside the BMP is a pair).

#include "tablewriter.h"

#include <QByteArray>

namespace nm::platform {

class RtfWriter : public TableWriter {
public:
    explicit RtfWriter(QIODevice* device, int codePage = 1252);

    ExportResult begin(const ExportTable& table, qsizetype rowCount) override;
    ExportResult writeRow(const QStringList& cells) override;
    ExportResult finish() override;

    static void appendText(QByteArray& out, const QString& text);

private:
    void appendRow(QByteArray& out, const QStringList& cells, bool heading) const;

    QIODevice* m_device;
    int m_codePage;
    QByteArray m_rowDefinition;
    QByteArray m_fontSize;          // "\fsN": the table's font size in half-points
    QVector<QByteArray> m_alignments;
    QByteArray m_buffer;
};

}  // namespace nm::platform
