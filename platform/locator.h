#pragma once
// Keyboard locators of a list: an incremental one that builds a search text from the keys typed, and a
// step one that jumps on a single character. Both compare without regard to letter case and know
// nothing of widgets, so their rules can be tested on plain lists of texts.

#include <QString>
#include <QStringList>
#include <functional>

namespace nm::platform {

enum class LocatorKind { Incremental, Step };

class Locator {
public:
    static constexpr int kMaxSearch = 39;

    explicit Locator(LocatorKind kind = LocatorKind::Incremental) : m_kind(kind) {}

    LocatorKind kind() const { return m_kind; }
    QString searchText() const { return m_search; }
    void clear() { m_search.clear(); }

    // Takes one typed key: a printable character (space included) or Backspace (pass QChar(u'\b')).
    // Returns false when the key is not the locator's, so the list may use it for something else.
    bool key(QChar c);

    // The row to highlight for the current search (incremental) or the last key (step), given the
    // locator field of every row in list order; -1 when the list has no row to go to.
    int locate(const QStringList& values) const;
    // The same over `count` rows whose locator field `valueAt` gives, so a long list need not be copied.
    int locate(int count, const std::function<QString(int)>& valueAt) const;

    // First row whose value equals or sorts after `text`, case ignored; the last row when every value
    // sorts before it; -1 for an empty list.
    static int firstAtOrAfter(int count, const std::function<QString(int)>& valueAt, const QString& text);
    // First row whose value begins with `c`, case ignored; -1 when there is none.
    static int firstStartingWith(int count, const std::function<QString(int)>& valueAt, QChar c);

private:
    LocatorKind m_kind;
    QString m_search;   // incremental: the search text; step: the last character typed
};

}  // namespace nm::platform
