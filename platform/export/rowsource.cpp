#include "rowsource.h"

#include <QAbstractItemModel>

namespace nm::platform {

ModelRowSource::ModelRowSource(const QAbstractItemModel& model, QVector<int> modelColumns)
    : m_model(&model), m_columns(std::move(modelColumns)) {}

qsizetype ModelRowSource::rowCount() const {
    return m_model ? m_model->rowCount() : 0;
}

QStringList ModelRowSource::row(qsizetype index) const {
    QStringList cells;
    if (!m_model || index < 0 || index >= m_model->rowCount())
        return cells;
    cells.reserve(m_columns.size());
    const int r = int(index);
    for (int c : m_columns)
        cells << m_model->data(m_model->index(r, c), Qt::DisplayRole).toString();
    return cells;
}

}  // namespace nm::platform
