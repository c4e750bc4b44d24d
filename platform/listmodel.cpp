#include "listmodel.h"

#include <QApplication>
#include <QPainter>

namespace nm::platform {

QColor colourFromValue(qint32 value) {
    if (value == -1)
        return {};
    const auto v = quint32(value);
    return QColor(int(v & 0xFFu), int((v >> 8) & 0xFFu), int((v >> 16) & 0xFFu));
}

QString rowFieldText(const store::ViewRow& row, const QString& field) {
    const store::Record* rec = &row.primary;
    const QString prefix = field.section(u':', 0, 0);
    if (prefix.compare(row.primary.def().prefix, Qt::CaseInsensitive) != 0) {
        if (!row.joined || prefix.compare(row.joined->def().prefix, Qt::CaseInsensitive) != 0)
            return {};
        rec = &*row.joined;
    }
    const int index = rec->def().fieldIndex(field);
    if (index < 0)
        return {};
    return rec->value(index).toString();
}

ListModel::ListModel(QObject* parent) : QAbstractTableModel(parent) {}

void ListModel::setColumns(QVector<ListColumn> columns) {
    beginResetModel();
    m_columns = std::move(columns);
    m_rows.clear();
    endResetModel();
}

void ListModel::setRows(const QVector<store::ViewRow>& rows) {
    beginResetModel();
    // Rows are rebuilt in place: a refresh of a long list then reuses the cells' storage instead of
    // freeing and allocating it all again.
    const qsizetype columns = m_columns.size();
    // Each column's field is looked up once per load, not once per cell.
    struct Slot {
        store::TableId table = store::TableId::Food;
        int index = -1;
    };
    QVector<Slot> fieldSlots(columns);
    for (qsizetype c = 0; c < columns; ++c) {
        const QString& field = m_columns.at(c).field;
        if (const store::TableDef* def = field.isEmpty() ? nullptr : store::tableByPrefix(field.section(u':', 0, 0)))
            fieldSlots[c] = {def->id, def->fieldIndex(field)};
    }
    if (m_rows.size() > rows.size())
        m_rows.erase(m_rows.begin() + rows.size(), m_rows.end());
    m_rows.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const store::ViewRow& r = rows.at(i);
        if (i == m_rows.size())
            m_rows.append(ListRow{r, {}});
        ListRow& row = m_rows[i];
        row.record = r;
        row.cells.resize(columns);
        for (qsizetype c = 0; c < columns; ++c) {
            ListCell& cell = row.cells[c];
            cell = ListCell();
            const ListColumn& col = m_columns.at(c);
            if (col.field.isEmpty())
                continue;
            const Slot& slot = fieldSlots.at(c);
            const store::Record* rec = r.primary.table() == slot.table ? &r.primary
                                       : r.joined && r.joined->table() == slot.table ? &*r.joined
                                                                                     : nullptr;
            QString text = slot.index < 0 ? rowFieldText(r, col.field)
                           : rec          ? rec->value(slot.index).toString()
                                          : QString();
            if (col.maxChars > 0 && text.size() > col.maxChars)
                text = store::fitText(text, col.maxChars);
            cell.text = std::move(text);
        }
        if (m_formatter)
            m_formatter(row.record, row.cells);
    }
    endResetModel();
}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_columns.size())
        return {};
    const ListColumn& col = m_columns.at(index.column());
    const QVector<ListCell>& cells = m_rows.at(index.row()).cells;
    if (index.column() >= cells.size())
        return {};
    const ListCell& cell = cells.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return cell.text;
    case Qt::ToolTipRole:
        return cell.tip.isEmpty() ? QVariant() : QVariant(cell.tip);
    case Qt::ForegroundRole:
        if (cell.foreground.isValid())
            return cell.foreground;
        return col.foreground.isValid() ? QVariant(col.foreground) : QVariant();
    case Qt::BackgroundRole:
        return cell.background.isValid() ? QVariant(cell.background) : QVariant();
    case Qt::DecorationRole:
        return cell.icon.isNull() ? QVariant() : QVariant(cell.icon);
    case Qt::FontRole:
        return cell.font;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(col.align);
    case SelectedForegroundRole:
        return cell.selectedForeground.isValid() ? QVariant(cell.selectedForeground) : QVariant();
    case SelectedBackgroundRole:
        return cell.selectedBackground.isValid() ? QVariant(cell.selectedBackground) : QVariant();
    case IndentRole:
        return index.column() < m_indentPx.size() ? m_indentPx.at(index.column()) : 0;
    default:
        return {};
    }
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns.at(section).header;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_columns.at(section).headerAlign);
    return {};
}

Qt::ItemFlags ListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ListDelegate::setHighlightColours(QColor foreground, QColor background) {
    m_selFg = std::move(foreground);
    m_selBg = std::move(background);
}

ListDelegate::Colours ListDelegate::coloursFor(const QModelIndex& index, bool selected) const {
    Colours c;
    if (selected) {
        c.foreground = index.data(ListModel::SelectedForegroundRole).value<QColor>();
        if (!c.foreground.isValid())
            c.foreground = m_selFg.isValid() ? m_selFg : QApplication::palette().color(QPalette::HighlightedText);
        c.background = index.data(ListModel::SelectedBackgroundRole).value<QColor>();
        if (!c.background.isValid())
            c.background = m_selBg.isValid() ? m_selBg : QApplication::palette().color(QPalette::Highlight);
    } else {
        c.foreground = index.data(Qt::ForegroundRole).value<QColor>();
        c.background = index.data(Qt::BackgroundRole).value<QColor>();
    }
    return c;
}

void ListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const bool selected = opt.state.testFlag(QStyle::State_Selected);
    const Colours colours = coloursFor(index, selected);
    if (colours.background.isValid())
        painter->fillRect(option.rect, colours.background);
    opt.state &= ~QStyle::State_Selected;
    opt.backgroundBrush = Qt::NoBrush;
    if (colours.foreground.isValid()) {
        opt.palette.setColor(QPalette::Text, colours.foreground);
        opt.palette.setColor(QPalette::WindowText, colours.foreground);
    }
    opt.rect.adjust(index.data(ListModel::IndentRole).toInt(), 0, 0, 0);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
}

QSize ListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.rwidth() += index.data(ListModel::IndentRole).toInt();
    return s;
}

}  // namespace nm::platform
