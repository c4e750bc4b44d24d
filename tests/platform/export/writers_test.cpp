#include "exporttesthelpers.h"
#include "platform/export/csvwriter.h"
#include "platform/export/rtfwriter.h"
#include "platform/export/spreadsheetwriter.h"
#include "platform/export/tablewriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace nm::platform;
using namespace nm::platform::testing;

namespace {

QByteArray writeToBuffer(ExportKind kind, const ExportTable& table, const QVector<QStringList>& rows,
                         ExportResult* result = nullptr) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    auto writer = makeTableWriter(kind, &buffer);
    VectorRowSource source(rows);
    const ExportResult r = writeTable(*writer, table, source);
    if (result)
        *result = r;
    EXPECT_TRUE(r.ok() || result) << r.text.toStdString();
    return buffer.data();
}

QVector<QStringList> expectedRecords(const ExportTable& table, const QVector<QStringList>& rows) {
    QVector<QStringList> records;
    for (const QString& t : table.titles)
        records << QStringList{t};
    if (table.hasHeadings()) {
        QStringList h;
        for (const ExportColumn& c : table.columns)
            h << c.header;
        records << h;
    }
    records << rows;
    return records;
}

}  // namespace

// A device that takes `room` bytes and then fails, as a full disk does.
class FullDevice : public QIODevice {
public:
    explicit FullDevice(qint64 room) : m_room(room) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 len) override {
        if (m_room <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 n = std::min(len, m_room);
        m_room -= n;
        return n;
    }

private:
    qint64 m_room;
};

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// ---- CSV

TEST(CsvWriter, QuotesAFieldOnlyWhereTheFormatNeedsIt) {
    struct Case {
        QString in;
        QByteArray out;
    };
    const Case cases[] = {
        {QStringLiteral("plain"), "plain"},
        {QString(), ""},
        {QStringLiteral("say \"hi\""), "\"say \"\"hi\"\"\""},
        {QStringLiteral("a,b"), "\"a,b\""},
        {QStringLiteral("a\nb"), "\"a\nb\""},
        {QStringLiteral("a\r\nb"), "\"a\r\nb\""},
        {QStringLiteral(" * "), "\" * \""},
        {QStringLiteral("a;b\tc"), "a;b\tc"},
        {QStringLiteral("Öl 日本 🍎"), "\xC3\x96l \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8D\x8E"},
    };
    for (const Case& c : cases) {
        QByteArray out;
        CsvWriter::appendField(out, c.in);
        EXPECT_EQ(out, c.out) << c.in.toStdString();
    }
}

TEST(CsvWriter, AwkwardRowsReadBackExactlyWithTitlesAndHeadings) {
    const ExportTable table = awkwardTable();
    const QByteArray bytes = writeToBuffer(ExportKind::Csv, table, awkwardRows());
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    bool wellFormed = false;
    const QVector<QStringList> records = parseCsv(bytes, &wellFormed);
    EXPECT_TRUE(wellFormed);
    EXPECT_EQ(records, expectedRecords(table, awkwardRows()));
}

TEST(CsvWriter, ShortRowsArePaddedAndLongRowsCutToTheColumns) {
    ExportTable table = awkwardTable();
    table.titles.clear();
    for (ExportColumn& c : table.columns)
        c.header.clear();   // no headings at all: no heading record either
    const QByteArray bytes =
        writeToBuffer(ExportKind::Csv, table, {{QStringLiteral("one")}, {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e")}});
    EXPECT_EQ(bytes, QByteArray("\xEF\xBB\xBF" "one,,,\r\na,b,c,d\r\n"));
}

TEST(TableWriter, AFailingDeviceIsReportedWithItsReason) {
    for (ExportKind kind : {ExportKind::Csv, ExportKind::Rtf, ExportKind::Excel}) {
        FullDevice device(100);
        auto writer = makeTableWriter(kind, &device);
        QVector<QStringList> rows(3000, QStringList{QStringLiteral("some text"), QStringLiteral("more"), QString(), QStringLiteral("x")});
        VectorRowSource source(rows);
        const ExportResult r = writeTable(*writer, awkwardTable(), source);
        EXPECT_EQ(r.error, ExportError::CannotWrite) << exportKindCode(kind).toStdString();
        EXPECT_TRUE(r.text.contains(QStringLiteral("No space left on device"))) << r.text.toStdString();
    }
}

// ---- RTF

TEST(RtfWriter, EscapesMarkupControlCharactersAndEverythingBeyondAscii) {
    struct Case {
        QString in;
        QByteArray out;
    };
    const Case cases[] = {
        {QStringLiteral("plain text"), "plain text"},
        {QStringLiteral("back\\slash"), "back\\\\slash"},
        {QStringLiteral("{b}"), "\\{b\\}"},
        {QStringLiteral("\\par"), "\\\\par"},
        {QStringLiteral("a\tb"), "a\\tab b"},
        {QStringLiteral("a\nb"), "a\\line b"},
        {QStringLiteral("a\r\nb"), "a\\line b"},
        {QStringLiteral("a\rb"), "a\\line b"},
        {QString(QChar(1)) + QStringLiteral("x") + QChar(0x7F) + QChar(0x1F), "x"},
        {QStringLiteral("é"), "\\u233?"},
        {QStringLiteral("ÿ"), "\\u255?"},
        {QStringLiteral("€5"), "\\u8364?5"},
        {QStringLiteral("日"), "\\u26085?"},
        {QStringLiteral("가"), "\\u-21504?"},          // U+AC00: above 32767, so negative
        {QString(QChar(0xFFFF)), "\\u-1?"},
        {QStringLiteral("🍎"), "\\u-10180?\\u-8370?"},  // U+1F34E as the pair D83C DF4E
    };
    for (const Case& c : cases) {
        QByteArray out;
        RtfWriter::appendText(out, c.in);
        EXPECT_EQ(out, c.out) << c.in.toStdString();
    }
}

TEST(RtfWriter, DocumentIsSevenBitWithBalancedGroups) {
    const QByteArray rtf = writeToBuffer(ExportKind::Rtf, awkwardTable(), awkwardRows());
    ASSERT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    int depth = 0;
    int minDepth = 1;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        const char c = rtf.at(i);
        ASSERT_GE(static_cast<unsigned char>(c), 0x0A) << "byte " << i;
        ASSERT_LT(static_cast<unsigned char>(c), 0x80) << "byte " << i;
        if (c == '\\') {
            ++i;   // the escaped character or the first letter of a control word
            continue;
        }
        if (c == '{')
            ++depth;
        if (c == '}') {
            --depth;
            if (i + 2 < rtf.size())
                minDepth = std::min(minDepth, depth);
        }
    }
    EXPECT_EQ(depth, 0);
    EXPECT_GE(minDepth, 1) << "the document group closed before the end";
    // One row definition per row: the heading and the seven rows.
    EXPECT_EQ(rtf.count("\\trowd"), 1 + awkwardRows().size());
    EXPECT_EQ(rtf.count("\\trhdr"), 1);
    EXPECT_TRUE(rtf.contains("\\landscape"));
}

TEST(RtfWriter, LibreOfficeReadsATableHoldingExactlyTheRows) {
    if (!libreOfficeAvailable())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    const ExportTable table = awkwardTable();
    const QString path = dir.filePath(QStringLiteral("report.rtf"));
    VectorRowSource source(awkwardRows());
    ASSERT_TRUE(exportToFile(ExportKind::Rtf, table, source, path).ok());

    QString error;
    const QByteArray html = convertWithLibreOffice(path, QStringLiteral("html:HTML (StarWriter)"), QStringLiteral("html"), &error);
    ASSERT_FALSE(html.isEmpty()) << error.toStdString();
    EXPECT_EQ(html.count("<table"), 1);
    EXPECT_EQ(html.count("<tr"), 1 + awkwardRows().size());
    EXPECT_EQ(html.count("<td"), (1 + awkwardRows().size()) * table.columns.size());

    // As plain text every paragraph is a line: the titles, a spacer, then each cell of each row.
    const QByteArray txt = convertWithLibreOffice(path, QStringLiteral("txt:Text (encoded):UTF8"), QStringLiteral("txt"), &error);
    ASSERT_FALSE(txt.isEmpty()) << error.toStdString();
    QString text = QString::fromUtf8(txt);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.remove(u'\r');
    QStringList lines = text.split(u'\n');
    while (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    QStringList expected = table.titles;
    expected << QString();
    for (const ExportColumn& c : table.columns)
        expected << c.header;
    for (const QStringList& row : awkwardRows())
        for (const QString& cell : row)
            expected << cell.split(u'\n');
    EXPECT_EQ(lines, expected);
}

// ---- Spreadsheet

TEST(SpreadsheetWriter, LibreOfficeReadsEveryCellBackAsText) {
    if (!libreOfficeAvailable())
        GTEST_SKIP() << "LibreOffice is not installed";
    QTemporaryDir dir;
    const ExportTable table = awkwardTable();
    const QString path = dir.filePath(QStringLiteral("report.xlsx"));
    VectorRowSource source(awkwardRows());
    ASSERT_TRUE(exportToFile(ExportKind::Excel, table, source, path).ok());

    QString error;
    const QByteArray csv = convertWithLibreOffice(path, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"),
                                                  QStringLiteral("csv"), &error);
    ASSERT_FALSE(csv.isEmpty()) << error.toStdString();
    QVector<QStringList> expected = expectedRecords(table, awkwardRows());
    for (QStringList& record : expected)
        while (record.size() < table.columns.size())
            record << QString();   // titles stand in the first column of a full-width row
    QVector<QStringList> records = parseCsv(csv);
    while (!records.isEmpty() && records.back() == QStringList(table.columns.size(), QString()) &&
           records.size() > expected.size())
        records.removeLast();
    EXPECT_EQ(records, expected);
    // LibreOffice quotes text cells only: numbers or formulas would come out bare (or as 3).
    for (const char* cell : {"\"0123\"", "\"=1+2\"", "\"12.50\"", "\"-3\""})
        EXPECT_TRUE(csv.contains(cell)) << cell;
}

TEST(SpreadsheetWriter, TextsBeyondTheCellLimitAreRefusedNotCut) {
    struct Case {
        QString text;
        bool fits;
    };
    const QString apple = QStringLiteral("🍎");
    const Case cases[] = {
        {QString(32767, u'x'), true},
        {QString(32768, u'x'), false},
        {apple.repeated(16383) + u'x', true},   // 32767 UTF-16 units
        {apple.repeated(16384), false},         // 16384 characters, but 32768 units as the format counts
    };
    for (const Case& c : cases) {
        ExportResult r;
        const QByteArray bytes = writeToBuffer(ExportKind::Excel, awkwardTable(), {{QStringLiteral("a"), c.text}}, &r);
        EXPECT_EQ(r.ok(), c.fits) << c.text.size() << " " << r.text.toStdString();
        if (!c.fits) {
            EXPECT_EQ(r.error, ExportError::LimitExceeded);
            EXPECT_TRUE(r.text.contains(QStringLiteral("Row 4, column 2"))) << r.text.toStdString();
            EXPECT_TRUE(bytes.isEmpty()) << "nothing of an unfinished workbook reaches the device";
        } else {
            EXPECT_TRUE(bytes.startsWith("PK"));
        }
    }
}

TEST(SpreadsheetWriter, MoreRowsThanASheetHoldsAreRefusedBeforeWriting) {
    const ExportTable table = awkwardTable();   // two titles and a heading row come first
    for (const qsizetype rows : {SpreadsheetWriter::kMaxRows - 2, SpreadsheetWriter::kMaxRows + 5}) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        SpreadsheetWriter writer(&buffer);
        const ExportResult r = writer.begin(table, rows);
        EXPECT_EQ(r.error, ExportError::LimitExceeded) << rows;
        EXPECT_TRUE(r.text.contains(QStringLiteral("1048576"))) << r.text.toStdString();
        EXPECT_TRUE(buffer.data().isEmpty());
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    SpreadsheetWriter writer(&buffer);
    EXPECT_TRUE(writer.begin(table, SpreadsheetWriter::kMaxRows - 3).ok());
}

TEST(SpreadsheetWriter, SheetNamesAreMadeAcceptable) {
    EXPECT_EQ(SpreadsheetWriter::sheetName(QStringLiteral("BrowseFood")), QStringLiteral("BrowseFood"));
    EXPECT_EQ(SpreadsheetWriter::sheetName(QStringLiteral("BrowseFood:VOX6")), QStringLiteral("BrowseFoodVOX6"));
    EXPECT_EQ(SpreadsheetWriter::sheetName(QStringLiteral("[a]/b\\c*d?")), QStringLiteral("abcd"));
    EXPECT_EQ(SpreadsheetWriter::sheetName(QStringLiteral("'quoted'")), QStringLiteral("quoted"));
    EXPECT_EQ(SpreadsheetWriter::sheetName(QString()), QStringLiteral("Sheet1"));
    EXPECT_EQ(SpreadsheetWriter::sheetName(QString(40, u'n')).size(), 31);
}

// ---- Files

TEST(ExportToFile, AFileThatCannotBeCreatedIsReportedAndLeavesNothing) {
    QTemporaryDir dir;
    VectorRowSource source(awkwardRows());
    const QString missing = dir.filePath(QStringLiteral("no such folder/report.csv"));
    const QString folder = dir.filePath(QStringLiteral("folder.rtf"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.rtf")));
    for (ExportKind kind : {ExportKind::Csv, ExportKind::Rtf, ExportKind::Excel}) {
        for (const QString& path : {missing, folder}) {
            const ExportResult r = exportToFile(kind, awkwardTable(), source, path);
            EXPECT_EQ(r.error, ExportError::CannotWrite);
            EXPECT_TRUE(r.text.contains(QDir::toNativeSeparators(path))) << r.text.toStdString();
        }
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(filesIn(dir.path()).isEmpty()) << filesIn(dir.path()).join(u' ').toStdString();
}

TEST(ExportToFile, AFailedExportLeavesTheOlderFileAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.xlsx"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the older report");
    }
    QVector<QStringList> rows = awkwardRows();
    rows << QStringList{QString(40000, u'x')};
    VectorRowSource tooLong(rows);
    const ExportResult r = exportToFile(ExportKind::Excel, awkwardTable(), tooLong, path);
    EXPECT_EQ(r.error, ExportError::LimitExceeded);
    EXPECT_EQ(readFile(path), QByteArray("the older report"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("report.xlsx")});

    // A cancel half way is the same: the older file stays.
    VectorRowSource many(QVector<QStringList>(5000, QStringList{QStringLiteral("row")}));
    const ExportResult cancelled = exportToFile(ExportKind::Csv, awkwardTable(), many, path,
                                                [](qsizetype written, qsizetype) { return written < 2000; });
    EXPECT_EQ(cancelled.error, ExportError::Cancelled);
    EXPECT_EQ(readFile(path), QByteArray("the older report"));

    VectorRowSource good(awkwardRows());
    ASSERT_TRUE(exportToFile(ExportKind::Csv, awkwardTable(), good, path).ok());
    EXPECT_EQ(parseCsv(readFile(path)), expectedRecords(awkwardTable(), awkwardRows()));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("report.xlsx")});
}
