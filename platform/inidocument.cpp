#include "inidocument.h"

namespace nm::platform {

namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString stripQuotes(QString v) {
    if (v.size() >= 2 && v.startsWith(QLatin1Char('"')) && v.endsWith(QLatin1Char('"')))
        v = v.mid(1, v.size() - 2);
    return v;
}

} // namespace

IniDocument IniDocument::parse(const QByteArray& bytes) {
    IniDocument doc;
    QByteArray data = bytes;
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    doc.m_crlf = data.contains("\r\n");
    const QString text = QString::fromUtf8(data);
    doc.m_sections.append(Section{});
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString raw = lines.at(i);
        if (raw.endsWith(QLatin1Char('\r')))
            raw.chop(1);
        if (i == lines.size() - 1 && raw.isEmpty())
            break; // the newline that ends the last line
        const QString trimmed = raw.trimmed();
        if (trimmed.startsWith(QLatin1Char('[')) && trimmed.indexOf(QLatin1Char(']')) > 0) {
            Section s;
            s.name = trimmed.mid(1, trimmed.indexOf(QLatin1Char(']')) - 1).trimmed();
            s.hasHeader = true;
            s.header = raw;
            doc.m_sections.append(s);
            continue;
        }
        Line line;
        line.raw = raw;
        const qsizetype eq = raw.indexOf(QLatin1Char('='));
        const bool comment = trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#'));
        if (eq > 0 && !comment && !raw.left(eq).trimmed().isEmpty()) {
            line.kind = Line::Kind::Entry;
            line.key = raw.left(eq).trimmed();
            line.value = raw.mid(eq + 1).trimmed();
        }
        doc.m_sections.last().lines.append(line);
    }
    return doc;
}

QByteArray IniDocument::toBytes() const {
    QString out;
    const QString nl = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    for (const Section& s : m_sections) {
        if (s.hasHeader)
            out += s.header + nl;
        for (const Line& l : s.lines)
            out += (l.kind == Line::Kind::Entry && l.raw.isEmpty() ? l.key + QLatin1Char('=') + l.value
                                                                   : l.raw) +
                   nl;
    }
    return out.toUtf8();
}

IniDocument::Section* IniDocument::find(const QString& section) {
    for (Section& s : m_sections)
        if (s.hasHeader && sameName(s.name, section))
            return &s;
    return nullptr;
}

const IniDocument::Section* IniDocument::find(const QString& section) const {
    return const_cast<IniDocument*>(this)->find(section);
}

QStringList IniDocument::sections() const {
    QStringList names;
    for (const Section& s : m_sections) {
        if (!s.hasHeader)
            continue;
        bool seen = false;
        for (const QString& n : names)
            seen = seen || sameName(n, s.name);
        if (!seen)
            names.append(s.name);
    }
    return names;
}

bool IniDocument::hasSection(const QString& section) const {
    return find(section) != nullptr;
}

QStringList IniDocument::keys(const QString& section) const {
    QStringList result;
    if (const Section* s = find(section))
        for (const Line& l : s->lines)
            if (l.kind == Line::Kind::Entry)
                result.append(l.key);
    return result;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    if (const Section* s = find(section))
        for (const Line& l : s->lines)
            if (l.kind == Line::Kind::Entry && sameName(l.key, key))
                return stripQuotes(l.value);
    return std::nullopt;
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    Section* s = find(section);
    if (!s) {
        // Keep a blank line between sections, as people write them by hand.
        Section& last = m_sections.last();
        if (!(last.lines.isEmpty() && !last.hasHeader) &&
            !(!last.lines.isEmpty() && last.lines.last().kind == Line::Kind::Other &&
              last.lines.last().raw.trimmed().isEmpty()))
            last.lines.append(Line{});
        Section fresh;
        fresh.name = section;
        fresh.hasHeader = true;
        fresh.header = QLatin1Char('[') + section + QLatin1Char(']');
        m_sections.append(fresh);
        s = &m_sections.last();
    }
    for (Line& l : s->lines) {
        if (l.kind == Line::Kind::Entry && sameName(l.key, key)) {
            l.value = clean;
            l.raw.clear();
            return;
        }
    }
    Line line;
    line.kind = Line::Kind::Entry;
    line.key = key;
    line.value = clean;
    // New entries go after the section's last entry, before any blank lines that end it.
    qsizetype at = s->lines.size();
    while (at > 0 && s->lines.at(at - 1).kind == Line::Kind::Other &&
           s->lines.at(at - 1).raw.trimmed().isEmpty())
        --at;
    s->lines.insert(at, line);
}

void IniDocument::remove(const QString& section, const QString& key) {
    for (Section& s : m_sections) {
        if (!s.hasHeader || !sameName(s.name, section))
            continue;
        s.lines.removeIf([&](const Line& l) { return l.kind == Line::Kind::Entry && sameName(l.key, key); });
    }
}

void IniDocument::removeSection(const QString& section) {
    m_sections.removeIf([&](const Section& s) { return s.hasHeader && sameName(s.name, section); });
}

} // namespace nm::platform
