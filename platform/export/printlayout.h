#pragma once
// The printed report: pages laid out as a table, each with the title lines, the column headings and
// (when the options ask for them) "page / pages" at the foot. Paints onto any paged device, so the
// same code fills the print preview, the printer and a PDF file.

#include "tablewriter.h"

#include <QFont>

class QPagedPaintDevice;
class QPainter;

namespace nm::platform {

class PrintLayout {
public:
    // `rows` must outlive the layout. The font's family is used; its size is chosen to fit.
    PrintLayout(ExportTable table, const RowSource& rows, QFont font = QFont());

    // Gives the device the options' paper, orientation and margins; false when the device refuses
    // even the paper and orientation.
    static bool setUpPage(QPagedPaintDevice& device, const ExportOptions& options);

    // Paints every page. `progress` hears after each page (pages painted, pages in all).
    ExportResult paint(QPagedPaintDevice& device, const ExportProgress& progress = {}) const;

    // The number of pages `paint` gives on this device, or 0 when the page holds no row.
    int pageCount(QPagedPaintDevice& device) const;

private:
    struct Metrics;
    Metrics measure(QPagedPaintDevice& device) const;
    void paintPage(QPainter& painter, const Metrics& m, int page, int pages) const;

    ExportTable m_table;
    const RowSource& m_rows;
    QFont m_font;
};

}  // namespace nm::platform
