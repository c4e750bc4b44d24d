// The list model: cells from the columns' fields, the row-format hook, and the colours a cell is
// drawn with, selected or not.
#include "platform/listmodel.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

using namespace nm;
using namespace nm::platform;

namespace {

store::ViewRow foodRow(const QString& name, int ratingO, const QString& group) {
    store::ViewRow row{store::Record(store::TableId::Food), std::nullopt};
    row.primary.setText(QStringLiteral("FOO:NAME"), name);
    row.primary.setInteger(QStringLiteral("FOO:BLOODO"), ratingO);
    if (!group.isNull()) {
        row.joined.emplace(store::TableId::Group);
        row.joined->setText(QStringLiteral("GRP:TYPE"), group);
    }
    return row;
}

TEST(ListModel, CellsComeFromTheColumnsAndTheRowFormatter) {
    ListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ListColumn name(QStringLiteral("Name"), QStringLiteral("FOO:NAME"), 160, 5);
    ListColumn rating(QStringLiteral("O"), QString(), 40, 10, Qt::AlignCenter, Qt::AlignCenter);
    ListColumn group(QStringLiteral("Food Group"), QStringLiteral("GRP:TYPE"), 80, 20);
    group.foreground = QColor(0, 128, 0);
    model.setColumns({name, rating, group});
    int formatted = 0;
    model.setRowFormatter([&](const store::ViewRow& row, QVector<ListCell>& cells) {
        ++formatted;
        if (row.primary.integer(QStringLiteral("FOO:BLOODO")) == 4) {
            cells[1].text = QStringLiteral("Benefit");
            cells[1].background = colourFromValue(14155746);
            cells[1].selectedForeground = colourFromValue(14155746);
        }
        cells[1].tip = QStringLiteral("tip");
    });
    model.setRows({foodRow(QStringLiteral("Blackberries"), 4, QStringLiteral("Fruit")),
                   foodRow(QStringLiteral("Bread"), 1, QString())});

    EXPECT_EQ(formatted, 2);
    ASSERT_EQ(model.rowCount(), 2);
    ASSERT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Food Group"));
    EXPECT_EQ(model.index(0, 0).data().toString(), QStringLiteral("Black"));   // cut to 5 characters
    EXPECT_EQ(model.index(0, 1).data().toString(), QStringLiteral("Benefit"));
    EXPECT_EQ(model.index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>(), Qt::AlignCenter);
    EXPECT_EQ(model.index(0, 1).data(Qt::ToolTipRole).toString(), QStringLiteral("tip"));
    EXPECT_EQ(model.index(0, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(226, 255, 215));
    EXPECT_EQ(model.index(0, 2).data().toString(), QStringLiteral("Fruit"));
    EXPECT_EQ(model.index(0, 2).data(Qt::ForegroundRole).value<QColor>(), QColor(0, 128, 0));
    // An outer join that found nothing leaves the group cell empty.
    EXPECT_EQ(model.index(1, 2).data().toString(), QString());
    EXPECT_EQ(model.index(1, 1).data().toString(), QString());
    EXPECT_FALSE(model.index(1, 1).data(Qt::BackgroundRole).isValid());
    EXPECT_FALSE(model.flags(model.index(0, 0)).testFlag(Qt::ItemIsEditable));

    model.setRows({});
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(ListModel, ColourValuesHaveBlueInTheHighByte) {
    EXPECT_EQ(colourFromValue(0x008000), QColor(0, 128, 0));
    EXPECT_EQ(colourFromValue(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colourFromValue(0x00FFFF), QColor(255, 255, 0));
    EXPECT_EQ(colourFromValue(8388863), QColor(255, 0, 128));
    EXPECT_FALSE(colourFromValue(-1).isValid());
}

TEST(ListDelegate, CellColoursFallBackToTheColumnThenToTheList) {
    ListModel model;
    ListColumn plain(QStringLiteral("A"), QString(), 40);
    ListColumn green(QStringLiteral("B"), QString(), 40);
    green.foreground = QColor(0, 128, 0);
    model.setColumns({plain, green});
    model.setRowFormatter([](const store::ViewRow&, QVector<ListCell>& cells) {
        cells[0].foreground = Qt::black;
        cells[0].background = QColor(226, 255, 215);
        cells[0].selectedForeground = QColor(226, 255, 215);
    });
    model.setRows({foodRow(QStringLiteral("x"), 0, QString())});
    ListDelegate delegate;
    delegate.setHighlightColours(Qt::black, QColor(0xC0, 0xC0, 0xC0));

    // Own colours; selected: own text colour on the list's highlight background.
    EXPECT_EQ(delegate.coloursFor(model.index(0, 0), false).foreground, QColor(Qt::black));
    EXPECT_EQ(delegate.coloursFor(model.index(0, 0), false).background, QColor(226, 255, 215));
    EXPECT_EQ(delegate.coloursFor(model.index(0, 0), true).foreground, QColor(226, 255, 215));
    EXPECT_EQ(delegate.coloursFor(model.index(0, 0), true).background, QColor(0xC0, 0xC0, 0xC0));
    // The column's colour on normal rows, the list's colours on the highlighted row.
    EXPECT_EQ(delegate.coloursFor(model.index(0, 1), false).foreground, QColor(0, 128, 0));
    EXPECT_FALSE(delegate.coloursFor(model.index(0, 1), false).background.isValid());
    EXPECT_EQ(delegate.coloursFor(model.index(0, 1), true).foreground, QColor(Qt::black));
    EXPECT_EQ(delegate.coloursFor(model.index(0, 1), true).background, QColor(0xC0, 0xC0, 0xC0));
}

}  // namespace
