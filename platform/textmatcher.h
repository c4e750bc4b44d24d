#pragma once
// The approximate text matcher: how closely a pattern occurs in a text, counted as the fewest
// characters to change, insert or delete. Start-up sets its options and shut-down ends it.

#include <QString>

namespace nm::platform {

class TextMatcher {
public:
    struct Options {
        bool ignoreCase = true;
        bool wholeWordsOnly = false; // false: the pattern may match inside a word
    };

    void setUp(Options options);
    void shutDown();
    bool isSetUp() const { return m_setUp; }
    Options options() const { return m_options; }

    // The edit distance of the best match of `pattern` within `text` (or against the whole of a word
    // when whole words are asked for); -1 when the matcher is not set up.
    int distance(const QString& pattern, const QString& text) const;

private:
    Options m_options;
    bool m_setUp = false;
};

} // namespace nm::platform
