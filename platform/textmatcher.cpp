#include "textmatcher.h"

#include <algorithm>
#include <limits>
#include <QList>
#include <QRegularExpression>

namespace nm::platform {

namespace {

// Sellers' algorithm: edit distance of the pattern to its best-matching part of the text. With
// `anywhere` false the match must cover the whole text.
int bestMatch(const QString& pattern, const QString& text, bool anywhere) {
    const qsizetype m = pattern.size();
    QList<int> column(m + 1);
    for (qsizetype i = 0; i <= m; ++i)
        column[i] = int(i);
    int best = anywhere ? int(m) : -1;
    for (const QChar c : text) {
        int diagonal = column[0];
        column[0] = anywhere ? 0 : column[0] + 1;
        for (qsizetype i = 1; i <= m; ++i) {
            const int up = column[i];
            column[i] = std::min({column[i - 1] + 1, up + 1, diagonal + (pattern.at(i - 1) == c ? 0 : 1)});
            diagonal = up;
        }
        if (anywhere)
            best = std::min(best, column[m]);
    }
    return anywhere ? best : column[m];
}

} // namespace

void TextMatcher::setUp(Options options) {
    m_options = options;
    m_setUp = true;
}

void TextMatcher::shutDown() {
    m_setUp = false;
}

int TextMatcher::distance(const QString& pattern, const QString& text) const {
    if (!m_setUp)
        return -1;
    const QString p = m_options.ignoreCase ? pattern.toCaseFolded() : pattern;
    const QString t = m_options.ignoreCase ? text.toCaseFolded() : text;
    if (!m_options.wholeWordsOnly)
        return bestMatch(p, t, true);
    static const QRegularExpression separators(QStringLiteral("\\W+"));
    const QStringList words = t.split(separators, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return int(p.size());
    int best = std::numeric_limits<int>::max();
    for (const QString& word : words)
        best = std::min(best, bestMatch(p, word, false));
    return best;
}

} // namespace nm::platform
