#pragma once
// An INI text kept line by line, so that rewriting one entry leaves the user's order, comments and
// unreadable lines as they were. Section and key names compare without regard to case, as the
// settings files of the classic desktop do.

#include <optional>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace nm::platform {

class IniDocument {
public:
    // Never fails: lines that are neither a section header nor "key=value" are kept as they are and
    // otherwise ignored. A leading UTF-8 byte-order mark is dropped.
    static IniDocument parse(const QByteArray& bytes);
    QByteArray toBytes() const;

    QStringList sections() const; // in file order, first spelling of each
    bool hasSection(const QString& section) const;
    QStringList keys(const QString& section) const;
    // The value with blanks around it removed and one pair of surrounding double quotes stripped.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Sets the first entry of the key, appending the key (and the section) when missing. Line breaks
    // in a value would split the entry, so they become blanks.
    void setValue(const QString& section, const QString& key, const QString& value);
    void remove(const QString& section, const QString& key); // every entry of the key
    void removeSection(const QString& section);              // every section of that name

private:
    struct Line {
        enum class Kind { Other, Entry } kind = Kind::Other;
        QString raw;   // the line as read, for Other lines
        QString key;   // Entry: the key as spelled
        QString value; // Entry: the value as written, blanks trimmed
    };
    struct Section {
        QString name; // empty and header-less for lines before the first section
        bool hasHeader = false;
        QString header; // the header line as read
        QList<Line> lines;
    };
    Section* find(const QString& section);
    const Section* find(const QString& section) const;

    QList<Section> m_sections;
    bool m_crlf = false;
};

} // namespace nm::platform
