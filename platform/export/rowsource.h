#pragma once
// Where a job reads its rows: one text per column and row, asked for in row order. A list binds its
// model through ModelRowSource; tests and benchmarks hand over a vector or a generator.

#include <QPointer>
#include <QStringList>
#include <QVector>

#include <functional>

class QAbstractItemModel;

namespace nm::platform {

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual qsizetype rowCount() const = 0;
    // The cells of row `index`, one per column; missing cells count as empty, extra ones are ignored.
    virtual QStringList row(qsizetype index) const = 0;
};

class VectorRowSource : public RowSource {
public:
    explicit VectorRowSource(QVector<QStringList> rows) : m_rows(std::move(rows)) {}
    qsizetype rowCount() const override { return m_rows.size(); }
    QStringList row(qsizetype index) const override { return m_rows.at(index); }

private:
    QVector<QStringList> m_rows;
};

// Rows made on demand, so a very long list need not be held twice.
class CallbackRowSource : public RowSource {
public:
    CallbackRowSource(qsizetype count, std::function<QStringList(qsizetype)> make)
        : m_count(count), m_make(std::move(make)) {}
    qsizetype rowCount() const override { return m_count; }
    QStringList row(qsizetype index) const override { return m_make(index); }

private:
    qsizetype m_count;
    std::function<QStringList(qsizetype)> m_make;
};

// The display texts of chosen columns of a model, top to bottom in the model's current order. A
// model that goes away while a job reads it gives no further rows.
class ModelRowSource : public RowSource {
public:
    ModelRowSource(const QAbstractItemModel& model, QVector<int> modelColumns);
    qsizetype rowCount() const override;
    QStringList row(qsizetype index) const override;

private:
    QPointer<const QAbstractItemModel> m_model;
    QVector<int> m_columns;
};

}  // namespace nm::platform
