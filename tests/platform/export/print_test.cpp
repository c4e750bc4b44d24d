#include "exporttesthelpers.h"
#include "platform/export/printlayout.h"

#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace nm::platform;
using namespace nm::platform::testing;

namespace {

bool havePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

struct PdfFacts {
    int pages = -1;
    double width = 0;
    double height = 0;
};

PdfFacts pdfFacts(const QString& path) {
    PdfFacts f;
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {path}));
    const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    if (pages.hasMatch())
        f.pages = pages.captured(1).toInt();
    const auto size = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    if (size.hasMatch()) {
        f.width = size.captured(1).toDouble();
        f.height = size.captured(2).toDouble();
    }
    return f;
}

// The page's text with ligatures spelt out and blanks squeezed, as poppler lays it out loosely.
QString pageText(const QString& path, int page) {
    QString text = QString::fromUtf8(runTool(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                      QStringLiteral("-l"), QString::number(page), path, QStringLiteral("-")}));
    text.replace(QChar(0xFB01), QLatin1String("fi")).replace(QChar(0xFB02), QLatin1String("fl"));
    return text.simplified();
}

QVector<QStringList> numberedRows(int n) {
    QVector<QStringList> rows;
    for (int i = 1; i <= n; ++i)
        rows << QStringList{QStringLiteral("Food %1").arg(i), QStringLiteral("Benefit"), QString(),
                            QStringLiteral("Group %1").arg(i % 7)};
    return rows;
}

}  // namespace

TEST(PrintLayout, PdfHasThePagesTheLayoutCountsEachTitledAndNumbered) {
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    ExportTable table = awkwardTable();
    const QVector<QStringList> rows = numberedRows(250);
    VectorRowSource source(rows);
    PrintLayout layout(table, source);
    int pages = 0;
    {
        QPdfWriter pdf(path);
        ASSERT_TRUE(PrintLayout::setUpPage(pdf, table.options));
        pages = layout.pageCount(pdf);
        ASSERT_GT(pages, 2);
        ASSERT_TRUE(layout.paint(pdf).ok());
    }
    const PdfFacts facts = pdfFacts(path);
    EXPECT_EQ(facts.pages, pages);
    EXPECT_NEAR(facts.width, 841.89, 1.0);   // A4 across: landscape unless the options say portrait
    EXPECT_NEAR(facts.height, 595.28, 1.0);

    // Every page carries the titles, the headings and its number; the rows run on without a gap.
    int nextRow = 1;
    for (int p = 1; p <= pages; ++p) {
        const QString text = pageText(path, p);
        EXPECT_TRUE(text.contains(QStringLiteral("Food list {all}"))) << p;
        EXPECT_TRUE(text.contains(QStringLiteral("Benefit, O AND A"))) << p;
        EXPECT_TRUE(text.contains(QStringLiteral("Group, kind"))) << p;
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("\\b%1 ?/ ?%2\\b").arg(p).arg(pages)))) << p;
        while (nextRow <= rows.size() && text.contains(QStringLiteral("Food %1 ").arg(nextRow)))
            ++nextRow;
    }
    EXPECT_EQ(nextRow, rows.size() + 1) << "row " << nextRow << " is missing or out of place";
}

TEST(PrintLayout, PortraitPaperAndNoPageNumbersFollowTheOptions) {
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils is not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("portrait.pdf"));
    ExportTable table = awkwardTable();
    table.options.portrait = 1;
    table.options.pageNo = 0;
    VectorRowSource source(numberedRows(100));
    PrintLayout layout(table, source);
    int portraitPages = 0;
    {
        QPdfWriter pdf(path);
        ASSERT_TRUE(PrintLayout::setUpPage(pdf, table.options));
        portraitPages = layout.pageCount(pdf);
        ASSERT_TRUE(layout.paint(pdf).ok());
    }
    const PdfFacts facts = pdfFacts(path);
    EXPECT_EQ(facts.pages, portraitPages);
    EXPECT_NEAR(facts.width, 595.28, 1.0);
    EXPECT_NEAR(facts.height, 841.89, 1.0);
    const QString first = pageText(path, 1);
    EXPECT_TRUE(first.contains(QStringLiteral("Food 1 ")));
    EXPECT_FALSE(first.contains(QRegularExpression(QStringLiteral("\\b1 ?/ ?%1\\b").arg(portraitPages))));
}

TEST(PrintLayout, AnEmptyListPrintsOnePageAndAPageTooSmallIsRefused) {
    QTemporaryDir dir;
    ExportTable table = awkwardTable();
    VectorRowSource none(QVector<QStringList>{});
    {
        QPdfWriter pdf(dir.filePath(QStringLiteral("empty.pdf")));
        ASSERT_TRUE(PrintLayout::setUpPage(pdf, table.options));
        PrintLayout layout(table, none);
        EXPECT_EQ(layout.pageCount(pdf), 1);
        EXPECT_TRUE(layout.paint(pdf).ok());
    }
    if (havePoppler()) {
        EXPECT_EQ(pdfFacts(dir.filePath(QStringLiteral("empty.pdf"))).pages, 1);
    }

    table.options.mTop = 100;
    table.options.mBottom = 100;   // leaves 10 mm of a landscape A4 page
    QPdfWriter small(dir.filePath(QStringLiteral("small.pdf")));
    ASSERT_TRUE(PrintLayout::setUpPage(small, table.options));
    VectorRowSource some(numberedRows(3));
    PrintLayout layout(table, some);
    EXPECT_EQ(layout.pageCount(small), 0);
    EXPECT_EQ(layout.paint(small).error, ExportError::BadTable);
}

TEST(PrintLayout, APrinterThatCannotStartIsAFailureWithItsFile) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir.filePath(QStringLiteral("no such folder/report.pdf"));
    printer.setOutputFileName(path);
    const ExportTable table = awkwardTable();
    VectorRowSource source(numberedRows(5));
    ASSERT_TRUE(PrintLayout::setUpPage(printer, table.options));
    const ExportResult r = PrintLayout(table, source).paint(printer);
    EXPECT_EQ(r.error, ExportError::PrintFailed);
    EXPECT_TRUE(r.text.contains(path)) << r.text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(PrintLayout, ACancelledPrintLeavesNoPartOfItsFile) {
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("report.pdf")));
    const ExportTable table = awkwardTable();
    VectorRowSource source(numberedRows(200));
    ASSERT_TRUE(PrintLayout::setUpPage(printer, table.options));
    const ExportResult r = PrintLayout(table, source).paint(printer, [](qsizetype page, qsizetype) { return page < 2; });
    EXPECT_EQ(r.error, ExportError::Cancelled);
    EXPECT_FALSE(QFileInfo::exists(printer.outputFileName()));
}
