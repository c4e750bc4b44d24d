#include "printlayout.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace nm::platform {

struct PrintLayout::Metrics {
    QFont cellFont;
    QFont headingFont;
    QVector<QFont> titleFonts;
    QVector<double> titleHeights;
    QVector<double> columnLeft;
    QVector<double> columnWidth;
    double width = 0;
    double height = 0;
    double padding = 0;
    double rowHeight = 0;
    double rowsTop = 0;     // where the first row of a page starts
    double footerTop = 0;   // where the page number line starts
    bool headings = false;
    qsizetype rowsPerPage = 0;
    int pages = 0;
};

namespace {

QString oneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    for (QChar& c : text)
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    return text;
}

Qt::Alignment horizontal(Qt::Alignment align) {
    if (align & Qt::AlignHCenter)
        return Qt::AlignHCenter;
    if (align & Qt::AlignRight)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

}  // namespace

PrintLayout::PrintLayout(ExportTable table, const RowSource& rows, QFont font)
    : m_table(std::move(table)), m_rows(rows), m_font(std::move(font)) {}

bool PrintLayout::setUpPage(QPagedPaintDevice& device, const ExportOptions& options) {
    const ExportPage page = exportPage(options);
    const double shortSide = std::min(page.widthMm, page.heightMm);
    const double longSide = std::max(page.widthMm, page.heightMm);
    QPageSize size(QSizeF(shortSide, longSide), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    if (options.paperType.compare(QStringLiteral("A4"), Qt::CaseInsensitive) == 0 && shortSide == 210 && longSide == 297)
        size = QPageSize(QPageSize::A4);
    const QPageLayout::Orientation orientation = page.portrait ? QPageLayout::Portrait : QPageLayout::Landscape;
    const QMarginsF margins(page.leftMm, page.topMm, page.rightMm, page.bottomMm);
    if (device.setPageLayout(QPageLayout(size, orientation, margins, QPageLayout::Millimeter)))
        return true;
    // A printer with wider unprintable edges refuses the margins; keep its own then.
    return device.setPageSize(size) && device.setPageOrientation(orientation);
}

PrintLayout::Metrics PrintLayout::measure(QPagedPaintDevice& device) const {
    Metrics m;
    m.width = device.width();
    m.height = device.height();
    m.headings = m_table.hasHeadings();

    long long chars = 0;
    for (const ExportColumn& c : m_table.columns)
        chars += std::max(c.widthChars, 1);
    const auto columns = double(m_table.columns.size());

    // The largest size from 10 points down to 5 at which every column's characters fit across.
    m.cellFont = m_font;
    double points = 10;
    for (; points > 5; points -= 0.5) {
        m.cellFont.setPointSizeF(points);
        const QFontMetricsF fm(m.cellFont, &device);
        const double need = double(chars) * fm.averageCharWidth() + columns * fm.averageCharWidth();
        if (need <= m.width)
            break;
    }
    m.cellFont.setPointSizeF(points);
    const QFontMetricsF cell(m.cellFont, &device);
    m.padding = cell.averageCharWidth() / 2;
    m.rowHeight = std::ceil(cell.height() * 1.2);
    m.headingFont = m.cellFont;
    m.headingFont.setBold(true);

    double used = 0;
    for (const ExportColumn& c : m_table.columns) {
        const double w = m.width * double(std::max(c.widthChars, 1)) / double(chars);
        m.columnLeft << used;
        m.columnWidth << w;
        used += w;
    }

    double y = 0;
    for (qsizetype i = 0; i < m_table.titles.size(); ++i) {
        QFont f = m_font;
        f.setPointSizeF(i == 0 ? points + 4 : points + 1);
        f.setBold(i == 0);
        m.titleFonts << f;
        m.titleHeights << std::ceil(QFontMetricsF(f, &device).height() * 1.3);
        y += m.titleHeights.back();
    }
    if (!m_table.titles.isEmpty())
        y += m.rowHeight / 2;
    if (m.headings)
        y += m.rowHeight;
    m.rowsTop = y;
    const double footer = m_table.options.pageNo != 0 ? m.rowHeight * 1.5 : 0;
    m.footerTop = m.height - m.rowHeight;
    const double room = m.height - m.rowsTop - footer;
    m.rowsPerPage = room > 0 ? qsizetype(std::floor(room / m.rowHeight)) : 0;
    if (m.rowsPerPage > 0) {
        const qsizetype rows = m_rows.rowCount();
        m.pages = int(std::max<qsizetype>(1, (rows + m.rowsPerPage - 1) / m.rowsPerPage));
    }
    return m;
}

int PrintLayout::pageCount(QPagedPaintDevice& device) const {
    if (m_table.columns.isEmpty())
        return 0;
    return measure(device).pages;
}

void PrintLayout::paintPage(QPainter& painter, const Metrics& m, int page, int pages) const {
    const QPen text(Qt::black);
    const QPen rule(QColor(0x80, 0x80, 0x80), 0);   // cosmetic: one device pixel wide
    painter.setPen(text);

    double y = 0;
    for (qsizetype i = 0; i < m_table.titles.size(); ++i) {
        painter.setFont(m.titleFonts.at(i));
        const QRectF box(0, y, m.width, m.titleHeights.at(i));
        const QString title = QFontMetricsF(m.titleFonts.at(i), painter.device())
                                  .elidedText(oneLine(m_table.titles.at(i)), Qt::ElideRight, m.width);
        painter.drawText(box, int(Qt::AlignHCenter | Qt::AlignVCenter) | Qt::TextSingleLine, title);
        y += m.titleHeights.at(i);
    }

    auto drawCells = [&](const QStringList& cells, double top, const QFont& font) {
        painter.setFont(font);
        const QFontMetricsF fm(font, painter.device());
        for (qsizetype c = 0; c < m_table.columns.size(); ++c) {
            if (c >= cells.size())
                break;
            const double inner = m.columnWidth.at(c) - 2 * m.padding;
            if (inner <= 0)
                continue;
            const QString shown = fm.elidedText(oneLine(cells.at(c)), Qt::ElideRight, inner);
            const QRectF box(m.columnLeft.at(c) + m.padding, top, inner, m.rowHeight);
            painter.drawText(box, int(horizontal(m_table.columns.at(c).align) | Qt::AlignVCenter) | Qt::TextSingleLine,
                             shown);
        }
    };

    if (m.headings) {
        QStringList headings;
        for (const ExportColumn& c : m_table.columns)
            headings << c.header;
        const double top = m.rowsTop - m.rowHeight;
        drawCells(headings, top, m.headingFont);
        painter.setPen(rule);
        painter.drawLine(QPointF(0, m.rowsTop), QPointF(m.width, m.rowsTop));
        painter.setPen(text);
    }

    const qsizetype first = qsizetype(page) * m.rowsPerPage;
    const qsizetype last = std::min(m_rows.rowCount(), first + m.rowsPerPage);
    double top = m.rowsTop;
    for (qsizetype r = first; r < last; ++r) {
        drawCells(m_rows.row(r), top, m.cellFont);
        top += m.rowHeight;
        painter.setPen(rule);
        painter.drawLine(QPointF(0, top), QPointF(m.width, top));
        painter.setPen(text);
    }

    if (m_table.options.pageNo != 0) {
        painter.setFont(m.cellFont);
        painter.drawText(QRectF(0, m.footerTop, m.width, m.rowHeight), int(Qt::AlignHCenter | Qt::AlignVCenter),
                         QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    }
}

ExportResult PrintLayout::paint(QPagedPaintDevice& device, const ExportProgress& progress) const {
    if (m_table.columns.isEmpty())
        return ExportResult::failure(ExportError::BadTable, QStringLiteral("The report has no columns."));
    const Metrics m = measure(device);
    if (m.pages == 0)
        return ExportResult::failure(ExportError::BadTable, QStringLiteral("The page is too small to hold a row of the report."));

    auto* printer = dynamic_cast<QPrinter*>(&device);
    QPainter painter;
    if (!painter.begin(&device))
        return ExportResult::failure(ExportError::PrintFailed,
                                     printer && !printer->outputFileName().isEmpty()
                                         ? QStringLiteral("The report could not be printed to %1.").arg(printer->outputFileName())
                                         : QStringLiteral("The printer could not be started."));
    // Printing into a file: a report cut short must not be left there looking whole.
    const bool toFile = printer && painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Pdf &&
                        !printer->outputFileName().isEmpty();
    auto fail = [&](ExportError error, const QString& text) {
        if (printer && error == ExportError::Cancelled)
            printer->abort();
        painter.end();
        if (toFile)
            QFile::remove(printer->outputFileName());
        return ExportResult::failure(error, text);
    };
    for (int page = 0; page < m.pages; ++page) {
        if (page > 0 && !device.newPage())
            return fail(ExportError::PrintFailed, QStringLiteral("The printer refused a new page."));
        paintPage(painter, m, page, m.pages);
        if (progress && !progress(page + 1, m.pages))
            return fail(ExportError::Cancelled, QStringLiteral("Printing was cancelled."));
    }
    if (printer && printer->printerState() == QPrinter::Aborted)
        return fail(ExportError::Cancelled, QStringLiteral("Printing was cancelled."));
    if (printer && printer->printerState() == QPrinter::Error)
        return fail(ExportError::PrintFailed, QStringLiteral("The printer reported an error."));
    if (!painter.end()) {
        if (toFile)
            QFile::remove(printer->outputFileName());
        return ExportResult::failure(ExportError::PrintFailed, QStringLiteral("The printer did not finish the report."));
    }
    return ExportResult::success();
}

}  // namespace nm::platform
