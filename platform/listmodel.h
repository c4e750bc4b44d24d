#pragma once
// The rows of a list, loaded whole from a store view: one record (with its joined record) per row and the
// cells shown for it. Columns name the field they show; a row-format hook may then set any cell's text,
// colours, icon, font and tip, for lists whose cells are worked out per row.

#include "store/view.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>
#include <QStyledItemDelegate>
#include <QVector>
#include <functional>

namespace nm::platform {

// A colour value of the stored and configured kind: blue in the high byte, red in the low one; -1 stands
// for "no colour of its own" and gives an invalid QColor, so the list's default applies.
QColor colourFromValue(qint32 value);

struct ListColumn {
    ListColumn() = default;
    ListColumn(QString header_, QString field_, int widthDu_, int maxChars_ = 0,
               Qt::Alignment align_ = Qt::AlignLeft | Qt::AlignVCenter,
               Qt::Alignment headerAlign_ = Qt::AlignLeft | Qt::AlignVCenter)
        : header(std::move(header_)), field(std::move(field_)), widthDu(widthDu_), maxChars(maxChars_),
          align(align_), headerAlign(headerAlign_) {}

    QString header;
    QString field;                  // "GRP:TYPE"; empty for a column that only the row-format hook fills
    int widthDu = 40;               // dialog units
    int maxChars = 0;               // characters shown; 0 for no cut
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    Qt::Alignment headerAlign = Qt::AlignLeft | Qt::AlignVCenter;
    int indentDu = 2;
    QColor foreground;              // the column's own text colour for unselected rows
    bool resizable = true;
};

struct ListCell {
    QString text;
    QColor foreground;              // invalid: the column's colour, else the list's
    QColor background;
    QColor selectedForeground;      // invalid: the list's highlight colours
    QColor selectedBackground;
    QIcon icon;
    QVariant font;                  // a QFont, or invalid for the list's font
    QString tip;
};

struct ListRow {
    store::ViewRow record;
    QVector<ListCell> cells;
};

// Called once each time a record is placed into the list, with the cells already filled from the
// columns' fields; runs for every row at every load.
using RowFormatter = std::function<void(const store::ViewRow& row, QVector<ListCell>& cells)>;

// The text of a field in a view row, from the joined record when the field belongs to the joined table.
QString rowFieldText(const store::ViewRow& row, const QString& field);

class ListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        SelectedForegroundRole = Qt::UserRole + 1,
        SelectedBackgroundRole,
        IndentRole,             // pixels of left indent
    };

    explicit ListModel(QObject* parent = nullptr);

    void setColumns(QVector<ListColumn> columns);
    const QVector<ListColumn>& columns() const { return m_columns; }
    void setRowFormatter(RowFormatter formatter) { m_formatter = std::move(formatter); }
    void setIndentPixels(QVector<int> px) { m_indentPx = std::move(px); }

    // Replaces every row in one reset, formatting each in list order.
    void setRows(const QVector<store::ViewRow>& rows);
    const ListRow& row(int index) const { return m_rows.at(index); }
    const QVector<ListRow>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QVector<ListColumn> m_columns;
    QVector<ListRow> m_rows;
    QVector<int> m_indentPx;
    RowFormatter m_formatter;
};

// Draws a cell with its own colours: unselected cells with the cell's (else the column's, else the
// list's) colours, the highlighted row with the cell's selected colours, else the list's highlight.
class ListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ListDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

    void setHighlightColours(QColor foreground, QColor background);
    QColor highlightForeground() const { return m_selFg; }
    QColor highlightBackground() const { return m_selBg; }

    struct Colours {
        QColor foreground;   // invalid: the palette's text colour
        QColor background;   // invalid: nothing painted
    };
    // The colours a cell is drawn with, selected or not.
    Colours coloursFor(const QModelIndex& index, bool selected) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    QColor m_selFg;
    QColor m_selBg;
};

}  // namespace nm::platform
