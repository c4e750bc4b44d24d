#include "locator.h"

namespace nm::platform {

bool Locator::key(QChar c) {
    if (c == u'\b') {
        if (m_kind == LocatorKind::Step)
            return false;
        if (!m_search.isEmpty())
            m_search.chop(1);
        return true;
    }
    if (!c.isPrint())
        return false;
    if (m_kind == LocatorKind::Step) {
        if (c.isSpace())
            return false;
        m_search = QString(c);
        return true;
    }
    if (m_search.size() < kMaxSearch)
        m_search.append(c);
    return true;
}

int Locator::locate(const QStringList& values) const {
    return locate(int(values.size()), [&values](int i) { return values.at(i); });
}

int Locator::locate(int count, const std::function<QString(int)>& valueAt) const {
    if (m_kind == LocatorKind::Step)
        return m_search.isEmpty() ? -1 : firstStartingWith(count, valueAt, m_search.at(0));
    return firstAtOrAfter(count, valueAt, m_search);
}

int Locator::firstAtOrAfter(int count, const std::function<QString(int)>& valueAt, const QString& text) {
    if (count <= 0)
        return -1;
    for (int i = 0; i < count; ++i) {
        if (QString::compare(valueAt(i), text, Qt::CaseInsensitive) >= 0)
            return i;
    }
    return count - 1;
}

int Locator::firstStartingWith(int count, const std::function<QString(int)>& valueAt, QChar c) {
    const QString prefix(c);
    for (int i = 0; i < count; ++i) {
        if (valueAt(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

}  // namespace nm::platform
