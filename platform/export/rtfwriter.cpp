#include "rtfwriter.h"

#include <QIODevice>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace nm::platform {

namespace {

constexpr double kTwipsPerMm = 1440.0 / 25.4;
constexpr int kCellGap = 57;   // 1 mm between a cell's border and its text, each side
constexpr qsizetype kFlushAt = 64 * 1024;

int twips(double mm) {
    return int(std::lround(mm * kTwipsPerMm));
}

QByteArray number(long long n) {
    return QByteArray::number(n);
}

QByteArray alignmentWord(Qt::Alignment align) {
    if (align & Qt::AlignHCenter)
        return QByteArrayLiteral("\\qc");
    if (align & Qt::AlignRight)
        return QByteArrayLiteral("\\qr");
    return QByteArrayLiteral("\\ql");
}

}  // namespace

RtfWriter::RtfWriter(QIODevice* device, int codePage) : m_device(device), m_codePage(codePage) {}

void RtfWriter::appendText(QByteArray& out, const QString& text) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        switch (c) {
        case u'\\':
            out += "\\\\";
            continue;
        case u'{':
            out += "\\{";
            continue;
        case u'}':
            out += "\\}";
            continue;
        case u'\t':
            out += "\\tab ";
            continue;
        case u'\r':
            if (i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            out += "\\line ";
            continue;
        case u'\n':
            out += "\\line ";
            continue;
        default:
            break;
        }
        if (c < 0x20 || c == 0x7F)
            continue;   // no meaning in a document; a reader might take it for markup
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        // \uN takes a signed 16-bit number; the '?' is what readers without Unicode show.
        out += "\\u";
        out += number(static_cast<std::int16_t>(c));
        out += '?';
    }
}

ExportResult RtfWriter::begin(const ExportTable& table, qsizetype) {
    const ExportPage page = exportPage(table.options);
    const int paperW = twips(page.widthMm);
    const int paperH = twips(page.heightMm);
    const int available = std::max(paperW - twips(page.leftMm) - twips(page.rightMm), 1440);
    const qsizetype columnCount = table.columns.size();

    // The largest font up to 10 points at which every column's characters fit across the page,
    // taking an average character as 0.55 em; never below 6 points.
    long long chars = 0;
    for (const ExportColumn& c : table.columns)
        chars += std::max(c.widthChars, 1);
    const double room = double(available - columnCount * 2 * kCellGap);
    int halfPoints = int(std::floor(room / (double(chars) * 10.0 * 0.55)));
    halfPoints = std::clamp(halfPoints, 12, 20);
    m_fontSize = "\\fs" + number(halfPoints);

    // Column widths share the page width in proportion to their characters.
    m_rowDefinition = "\\trowd\\trgaph" + number(kCellGap) + "\\trleft0";
    m_alignments.clear();
    long long used = 0;
    int right = 0;
    for (const ExportColumn& c : table.columns) {
        used += std::max(c.widthChars, 1);
        right = int(double(available) * double(used) / double(chars));
        // A rule under each row, as the printed report has; full cell frames would triple the file.
        m_rowDefinition += "\\clbrdrb\\brdrs\\brdrw5\\cellx" + number(right);
        m_alignments << alignmentWord(c.align);
    }

    QByteArray out;
    out += "{\\rtf1\\ansi\\ansicpg" + number(m_codePage > 0 ? m_codePage : 1252) + "\\deff0\\uc1\n";
    out += "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\n";
    out += "\\paperw" + number(paperW) + "\\paperh" + number(paperH);
    out += "\\margl" + number(twips(page.leftMm)) + "\\margr" + number(twips(page.rightMm));
    out += "\\margt" + number(twips(page.topMm)) + "\\margb" + number(twips(page.bottomMm));
    if (!page.portrait)
        out += "\\landscape";
    out += "\n\\sectd";
    if (!page.portrait)
        out += "\\lndscpsxn";
    out += "\\pgwsxn" + number(paperW) + "\\pghsxn" + number(paperH) + "\n";
    if (table.options.pageNo != 0)
        out += "{\\footer\\pard\\qc\\plain\\f0\\fs16\\chpgn\\par}\n";

    for (qsizetype i = 0; i < table.titles.size(); ++i) {
        out += "\\pard\\qc\\plain\\f0";
        out += i == 0 ? "\\fs28\\b " : "\\fs20 ";
        appendText(out, table.titles.at(i));
        out += "\\par\n";
    }
    if (!table.titles.isEmpty())
        out += "\\pard\\plain\\f0\\fs12\\par\n";
    // The table's character format is set once; cells only change alignment, headings go bold in a group.
    out += "\\pard\\plain\\f0" + m_fontSize + '\n';

    if (table.hasHeadings()) {
        QStringList headings;
        for (const ExportColumn& c : table.columns)
            headings << c.header;
        appendRow(out, headings, true);
    }
    return writeBytes(m_device, out);
}

void RtfWriter::appendRow(QByteArray& out, const QStringList& cells, bool heading) const {
    out += m_rowDefinition;
    if (heading)
        out += "\\trhdr";
    out += "\n\\pard\\intbl";
    for (qsizetype i = 0; i < m_alignments.size(); ++i) {
        out += m_alignments.at(i);
        out += heading ? "{\\b " : " ";
        if (i < cells.size())
            appendText(out, cells.at(i));
        out += heading ? "}\\cell\n" : "\\cell\n";
    }
    out += "\\row\n";
}

ExportResult RtfWriter::writeRow(const QStringList& cells) {
    appendRow(m_buffer, cells, false);
    if (m_buffer.size() < kFlushAt)
        return ExportResult::success();
    ExportResult r = writeBytes(m_device, m_buffer);
    m_buffer.clear();
    return r;
}

ExportResult RtfWriter::finish() {
    m_buffer += "\\pard\\par\n}\n";
    ExportResult r = writeBytes(m_device, m_buffer);
    m_buffer.clear();
    return r;
}

}  // namespace nm::platform
