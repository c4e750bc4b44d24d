#include "record.h"

#include <QTextBoundaryFinder>

namespace nm::store {

namespace {

QVariant blankValue(const FieldDef& f) {
    return f.isText() ? QVariant(QString()) : QVariant(qint32(0));
}

qint32 wrapInteger(FieldType type, qint64 v) {
    if (type == FieldType::Byte)
        return static_cast<qint32>(static_cast<quint8>(v & 0xFF));
    return static_cast<qint32>(static_cast<quint32>(static_cast<quint64>(v) & 0xFFFFFFFFu));
}

} // namespace

QString fitText(const QString& text, int width) {
    QString s = text;
    if (s.size() > width) {
        // Cut at a grapheme boundary, so neither a surrogate pair nor a base letter with its combining
        // marks is split; widths count what the user sees as characters.
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
        int count = 0;
        qsizetype cut = 0;
        while (count < width) {
            const qsizetype next = finder.toNextBoundary();
            if (next < 0)
                break;
            cut = next;
            ++count;
        }
        if (count == width && cut < s.size())
            s.truncate(cut);
    }
    qsizetype end = s.size();
    while (end > 0 && s.at(end - 1) == QLatin1Char(' '))
        --end;
    if (end < s.size())
        s.truncate(end);
    return s;
}

Record::Record(TableId table) : m_table(table) {
    const auto& fields = def().fields;
    m_values.reserve(fields.size());
    for (const FieldDef& f : fields)
        m_values.append(blankValue(f));
}

qint32 Record::integer(const QString& field) const {
    const int i = def().fieldIndex(field);
    if (i < 0) {
        qWarning("Record: unknown field %s", qPrintable(field));
        return 0;
    }
    return m_values.at(i).toInt();
}

QString Record::text(const QString& field) const {
    const int i = def().fieldIndex(field);
    if (i < 0) {
        qWarning("Record: unknown field %s", qPrintable(field));
        return {};
    }
    return m_values.at(i).toString();
}

void Record::setInteger(const QString& field, qint64 v) {
    const int i = def().fieldIndex(field);
    if (i < 0) {
        qWarning("Record: unknown field %s", qPrintable(field));
        return;
    }
    setValue(i, QVariant(v));
}

void Record::setText(const QString& field, const QString& v) {
    const int i = def().fieldIndex(field);
    if (i < 0) {
        qWarning("Record: unknown field %s", qPrintable(field));
        return;
    }
    setValue(i, QVariant(v));
}

void Record::setValue(int index, const QVariant& v) {
    if (index < 0 || index >= m_values.size())
        return;
    const FieldDef& f = def().fields.at(index);
    if (f.isText()) {
        m_values[index] = v.isNull() ? QString() : fitText(v.toString(), f.width);
    } else {
        bool ok = false;
        qint64 n = v.toLongLong(&ok);
        if (!ok)
            n = static_cast<qint64>(v.toDouble());
        m_values[index] = wrapInteger(f.type, n);
    }
}

void Record::clear() {
    const auto& fields = def().fields;
    for (int i = 0; i < fields.size(); ++i)
        m_values[i] = blankValue(fields.at(i));
    m_rowId = 0;
}

bool Record::operator==(const Record& o) const {
    if (m_table != o.m_table)
        return false;
    const auto& fields = def().fields;
    for (int i = 0; i < fields.size(); ++i) {
        if (fields.at(i).isText()) {
            if (m_values.at(i).toString() != o.m_values.at(i).toString())
                return false;
        } else if (m_values.at(i).toInt() != o.m_values.at(i).toInt()) {
            return false;
        }
    }
    return true;
}

qint32 Record::packDate(const QDate& d) {
    if (!d.isValid())
        return 0;
    return static_cast<qint32>((static_cast<quint32>(d.year()) << 16) |
                               (static_cast<quint32>(d.month()) << 8) | static_cast<quint32>(d.day()));
}

QDate Record::unpackDate(qint32 v) {
    const auto u = static_cast<quint32>(v);
    return QDate(static_cast<int>(u >> 16), static_cast<int>((u >> 8) & 0xFF), static_cast<int>(u & 0xFF));
}

qint32 Record::packTime(const QTime& t) {
    if (!t.isValid())
        return 0;
    const auto u = (static_cast<quint32>(t.hour()) << 24) | (static_cast<quint32>(t.minute()) << 16) |
                   (static_cast<quint32>(t.second()) << 8) | static_cast<quint32>(t.msec() / 10);
    return static_cast<qint32>(u);
}

QTime Record::unpackTime(qint32 v) {
    const auto u = static_cast<quint32>(v);
    return QTime(static_cast<int>(u >> 24), static_cast<int>((u >> 16) & 0xFF),
                 static_cast<int>((u >> 8) & 0xFF), static_cast<int>(u & 0xFF) * 10);
}

} // namespace nm::store
