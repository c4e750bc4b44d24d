#include "spreadsheetwriter.h"

#include <QFile>
#include <QIODevice>
#include <QTemporaryDir>

#include <xlsxwriter.h>

namespace nm::platform {

struct SpreadsheetWriter::Workbook {
    QTemporaryDir dir;
    QByteArray path;
    QByteArray tmpdir;
    lxw_workbook* book = nullptr;
    lxw_worksheet* sheet = nullptr;
    QVector<lxw_format*> cellFormats;
    QVector<lxw_format*> headingFormats;
    qsizetype columns = 0;
    qsizetype row = 0;   // the next row to write, from 0

    ~Workbook() {
        if (book)
            workbook_close(book);   // frees it; the half-made file goes with the folder
    }
};

namespace {

ExportResult libraryError(const char* what, lxw_error error) {
    const ExportError kind = error == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED || error == LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE
                                 ? ExportError::LimitExceeded
                                 : ExportError::CannotWrite;
    return ExportResult::failure(kind, QStringLiteral("The spreadsheet could not be written (%1): %2")
                                           .arg(QLatin1String(what), QString::fromUtf8(lxw_strerror(error))));
}

ExportResult tooManyRows() {
    return ExportResult::failure(ExportError::LimitExceeded,
                                 QStringLiteral("A spreadsheet holds at most %1 rows; the report has more.")
                                     .arg(SpreadsheetWriter::kMaxRows));
}

uint8_t alignment(Qt::Alignment align) {
    if (align & Qt::AlignHCenter)
        return LXW_ALIGN_CENTER;
    if (align & Qt::AlignRight)
        return LXW_ALIGN_RIGHT;
    return LXW_ALIGN_LEFT;
}

}  // namespace

SpreadsheetWriter::SpreadsheetWriter(QIODevice* device) : m_device(device) {}

SpreadsheetWriter::~SpreadsheetWriter() = default;

QString SpreadsheetWriter::sheetName(const QString& name) {
    QString s;
    for (QChar c : name)
        if (!QStringView(u"[]:*?/\\").contains(c) && c.unicode() >= 0x20)
            s += c;
    while (s.startsWith(u'\''))
        s.remove(0, 1);
    while (s.endsWith(u'\''))
        s.chop(1);
    s = s.left(31);
    if (s.size() == 31 && s.back().isHighSurrogate())
        s.chop(1);
    return s.trimmed().isEmpty() ? QStringLiteral("Sheet1") : s;
}

ExportResult SpreadsheetWriter::begin(const ExportTable& table, qsizetype rowCount) {
    if (table.columns.size() > kMaxColumns)
        return ExportResult::failure(ExportError::LimitExceeded,
                                     QStringLiteral("A spreadsheet holds at most %1 columns; the report has %2.")
                                         .arg(kMaxColumns)
                                         .arg(table.columns.size()));
    const qsizetype needed = table.titles.size() + (table.hasHeadings() ? 1 : 0) + rowCount;
    if (needed > kMaxRows)
        return ExportResult::failure(ExportError::LimitExceeded,
                                     QStringLiteral("A spreadsheet holds at most %1 rows; the report needs %2.")
                                         .arg(kMaxRows)
                                         .arg(needed));
    auto wb = std::make_unique<Workbook>();
    if (!wb->dir.isValid())
        return ExportResult::failure(ExportError::CannotWrite,
                                     QStringLiteral("No temporary folder for the spreadsheet: %1").arg(wb->dir.errorString()));
    wb->path = QFile::encodeName(wb->dir.filePath(QStringLiteral("report.xlsx")));
    wb->tmpdir = QFile::encodeName(wb->dir.path());
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = wb->tmpdir.data();
    options.use_zip64 = LXW_FALSE;
    wb->book = workbook_new_opt(wb->path.constData(), &options);
    if (!wb->book)
        return ExportResult::failure(ExportError::CannotWrite, QStringLiteral("The spreadsheet could not be started."));
    const QByteArray name = sheetName(table.name).toUtf8();
    wb->sheet = workbook_add_worksheet(wb->book, name.constData());
    if (!wb->sheet)
        return ExportResult::failure(ExportError::CannotWrite, QStringLiteral("The worksheet could not be added."));
    wb->columns = table.columns.size();

    const ExportPage page = exportPage(table.options);
    if (page.portrait)
        worksheet_set_portrait(wb->sheet);
    else
        worksheet_set_landscape(wb->sheet);
    if (table.options.paperType.compare(QStringLiteral("A4"), Qt::CaseInsensitive) == 0)
        worksheet_set_paper(wb->sheet, 9);
    constexpr double inch = 25.4;
    worksheet_set_margins(wb->sheet, page.leftMm / inch, page.rightMm / inch, page.topMm / inch, page.bottomMm / inch);
    if (table.options.pageNo != 0)
        if (lxw_error e = worksheet_set_footer(wb->sheet, "&C&P / &N"); e != LXW_NO_ERROR)
            return libraryError("footer", e);

    for (const ExportColumn& c : table.columns) {
        lxw_format* cell = workbook_add_format(wb->book);
        lxw_format* heading = workbook_add_format(wb->book);
        if (!cell || !heading)
            return ExportResult::failure(ExportError::CannotWrite, QStringLiteral("Out of memory for the spreadsheet."));
        format_set_align(cell, alignment(c.align));
        format_set_align(heading, alignment(c.align));
        format_set_bold(heading);
        format_set_bottom(heading, LXW_BORDER_THIN);
        wb->cellFormats << cell;
        wb->headingFormats << heading;
        const auto col = lxw_col_t(wb->cellFormats.size() - 1);
        if (lxw_error e = worksheet_set_column(wb->sheet, col, col, double(qBound(1, c.widthChars, 255)) + 1.0, cell);
            e != LXW_NO_ERROR)
            return libraryError("column width", e);
    }
    m_book = std::move(wb);

    // Titles sit in the first column, centred across all of them, so no cell merging is needed.
    for (qsizetype i = 0; i < table.titles.size(); ++i) {
        lxw_format* f = workbook_add_format(m_book->book);
        if (!f)
            return ExportResult::failure(ExportError::CannotWrite, QStringLiteral("Out of memory for the spreadsheet."));
        format_set_align(f, LXW_ALIGN_CENTER_ACROSS);
        if (i == 0) {
            format_set_bold(f);
            format_set_font_size(f, 14);
        }
        if (m_book->row >= kMaxRows)
            return tooManyRows();
        const auto row = lxw_row_t(m_book->row);
        if (ExportResult r = writeText(row, 0, table.titles.at(i), f); !r)
            return r;
        for (qsizetype c = 1; c < m_book->columns; ++c)
            if (lxw_error e = worksheet_write_blank(m_book->sheet, row, lxw_col_t(c), f); e != LXW_NO_ERROR)
                return libraryError("title", e);
        ++m_book->row;
    }
    if (table.hasHeadings()) {
        QStringList headings;
        for (const ExportColumn& c : table.columns)
            headings << c.header;
        const auto headingRow = lxw_row_t(m_book->row);
        if (ExportResult r = writeCells(headings, true); !r)
            return r;
        if (lxw_error e = worksheet_repeat_rows(m_book->sheet, headingRow, headingRow); e != LXW_NO_ERROR)
            return libraryError("heading row", e);
    }
    return ExportResult::success();
}

ExportResult SpreadsheetWriter::writeText(unsigned row, qsizetype column, const QString& text, lxw_format* format) {
    if (text.size() > kMaxTextLength)
        return ExportResult::failure(ExportError::LimitExceeded,
                                     QStringLiteral("Row %1, column %2 holds %3 characters; a spreadsheet cell holds at most %4.")
                                         .arg(qsizetype(row) + 1)
                                         .arg(column + 1)
                                         .arg(text.size())
                                         .arg(kMaxTextLength));
    const QByteArray utf8 = text.toUtf8();
    if (lxw_error e = worksheet_write_string(m_book->sheet, lxw_row_t(row), lxw_col_t(column), utf8.constData(), format);
        e != LXW_NO_ERROR)
        return libraryError("cell", e);
    return ExportResult::success();
}

ExportResult SpreadsheetWriter::writeCells(const QStringList& cells, bool heading) {
    if (m_book->row >= kMaxRows)
        return tooManyRows();
    const auto row = lxw_row_t(m_book->row);
    const qsizetype n = std::min(cells.size(), m_book->columns);
    for (qsizetype c = 0; c < m_book->columns; ++c) {
        lxw_format* format = heading ? m_book->headingFormats.at(c) : m_book->cellFormats.at(c);
        if (c < n && !cells.at(c).isEmpty()) {
            if (ExportResult r = writeText(row, c, cells.at(c), format); !r)
                return r;
        } else if (heading) {
            if (lxw_error e = worksheet_write_blank(m_book->sheet, row, lxw_col_t(c), format); e != LXW_NO_ERROR)
                return libraryError("cell", e);
        }
    }
    ++m_book->row;
    return ExportResult::success();
}

ExportResult SpreadsheetWriter::writeRow(const QStringList& cells) {
    if (!m_book)
        return ExportResult::failure(ExportError::CannotWrite, QStringLiteral("The spreadsheet was not started."));
    return writeCells(cells, false);
}

ExportResult SpreadsheetWriter::finish() {
    if (!m_book)
        return ExportResult::failure(ExportError::CannotWrite, QStringLiteral("The spreadsheet was not started."));
    std::unique_ptr<Workbook> wb = std::move(m_book);
    const lxw_error closed = workbook_close(wb->book);
    wb->book = nullptr;
    if (closed != LXW_NO_ERROR)
        return libraryError("closing", closed);
    QFile made(QFile::decodeName(wb->path));
    if (!made.open(QIODevice::ReadOnly))
        return ExportResult::failure(ExportError::CannotWrite,
                                     QStringLiteral("The spreadsheet could not be read back: %1").arg(made.errorString()));
    while (!made.atEnd()) {
        const QByteArray chunk = made.read(256 * 1024);
        if (chunk.isEmpty() && made.error() != QFileDevice::NoError)
            return ExportResult::failure(ExportError::CannotWrite,
                                         QStringLiteral("The spreadsheet could not be read back: %1").arg(made.errorString()));
        if (ExportResult r = writeBytes(m_device, chunk); !r)
            return r;
    }
    return ExportResult::success();
}

}  // namespace nm::platform
