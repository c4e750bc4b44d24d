#pragma once
// The list export service's vocabulary: what a list hands over (columns, title lines, options) and
// what every writer answers (a result with the error and its text). Knows nothing of any list.

#include <QString>
#include <QStringList>
#include <QVector>
#include <Qt>

#include <array>
#include <cstdint>

namespace nm::platform {

// The four outputs of a job. The codes are the ones the options record lists in REPORTTYPES.
enum class ExportKind { Print, Rtf, Excel, Csv };

QString exportKindCode(ExportKind kind);              // "WMF", "RTF", "XLS", "CSV"
bool exportKindFromCode(const QString& code, ExportKind* kind);
QString exportFileSuffix(ExportKind kind);            // "rtf", "xlsx", "csv"; empty for print

struct ExportColumn {
    QString header;                          // empty: no heading for this column
    int widthChars = 10;                     // the column's width in characters, for laying out
    Qt::Alignment align = Qt::AlignLeft;     // horizontal alignment of the column's cells
};

// The options record a list fills before each export. Defaults are A4, landscape, margins of 10 mm,
// page numbers on, all four outputs offered. The list chooses the kind itself (ExportJob's kind), so
// REPORTTYPE and REPORTTYPES are carried but not consulted; ISPRINT, BORDERTYPE and HEADERBORDER
// likewise: each output has one fixed layout.
struct ExportOptions {
    QString reportType = QStringLiteral("WMF");        // REPORTTYPE: the proposed output
    QString paperType = QStringLiteral("A4");          // PAPERTYPE
    std::int32_t width = 210;                          // WIDTH, millimetres
    std::int32_t height = 297;                         // HEIGHT, millimetres
    std::uint8_t portrait = 0;                         // PORTRAIT: 0 landscape, else portrait
    std::int32_t mLeft = 10;                           // MLEFT
    std::int32_t mRight = 10;                          // MRIGHT
    std::int32_t mTop = 10;                            // MTOP
    std::int32_t mBottom = 10;                         // MBOTTOM
    std::int32_t gutter = 10;                          // GUTTER: added to the left margin
    std::int32_t pageNo = 1;                           // PAGENO: 0 no page numbers
    QString fileName;                                  // FILENAME: proposed file, empty for none
    std::uint8_t isPrint = 1;                          // ISPRINT
    QString reportTypes = QStringLiteral("WMF|RTF|XLS|CSV");   // REPORTTYPES
    QString procName;                                  // PROCNAME: settings section of this list's choices
    std::uint8_t showDoc = 0;                          // SHOWDOC: open the created document after
    std::uint8_t borderType = 0;                       // BORDERTYPE
    std::array<std::uint8_t, 5> headerBorder{1, 0, 0, 0, 0};   // HEADERBORDER
};

// The paper as laid out: sizes in millimetres in the chosen orientation, the gutter added to the
// left margin. Sizes that make no sense fall back to A4.
struct ExportPage {
    double widthMm = 0;
    double heightMm = 0;
    double leftMm = 0;
    double rightMm = 0;
    double topMm = 0;
    double bottomMm = 0;
    bool portrait = false;
};
ExportPage exportPage(const ExportOptions& options);

// The program-wide texts of the service's own windows, set once at start-up.
struct ExportTexts {
    QString windowText = QStringLiteral("Report setup");
    QString reportFile = QStringLiteral("Report file:");
    QString pageSetup = QStringLiteral("Page setup");
    QString pagePortrait = QStringLiteral("Portrait");
    QString pageLandscape = QStringLiteral("Landscape");
    QString reportOpen = QStringLiteral("Open created document after");
    QString okText = QStringLiteral("OK");
    QString cancelText = QStringLiteral("Cancel");
    QString selectText = QStringLiteral("Select file");
    QString createReportText = QStringLiteral("Report creation...");
    QString completeText = QStringLiteral("Complete");
    int codePage = 1252;   // CODEPAGE: the ANSI code page RTF documents declare
};

// Everything about one output except its rows.
struct ExportTable {
    QString name;                       // the job's name, e.g. the list's procedure name
    QVector<ExportColumn> columns;
    QStringList titles;                 // title lines, centred above the table
    ExportOptions options;

    bool hasHeadings() const {
        for (const ExportColumn& c : columns)
            if (!c.header.isEmpty())
                return true;
        return false;
    }
};

enum class ExportError {
    None = 0,
    Cancelled,       // the user stopped it, or the printer was aborted
    CannotWrite,     // the file could not be created, written or replaced
    LimitExceeded,   // the format cannot hold the data (too many rows, a text too long)
    PrintFailed,     // the printer or page set-up refused
    BadTable,        // nothing to lay out (no columns, page too small)
};

struct ExportResult {
    ExportError error = ExportError::None;
    QString text;    // what went wrong, in words a person can act on

    bool ok() const { return error == ExportError::None; }
    explicit operator bool() const { return ok(); }
    static ExportResult success() { return {}; }
    static ExportResult failure(ExportError e, QString t) { return {e, std::move(t)}; }
};

}  // namespace nm::platform
