// Keyboard locator rules as a table of cases over a sorted list of names.
#include "platform/locator.h"

#include <gtest/gtest.h>

using nm::platform::Locator;
using nm::platform::LocatorKind;

namespace {

const QStringList kNames = {QStringLiteral("Beans"), QStringLiteral("vanilla"), QStringLiteral("Vegetables"),
                            QStringLiteral("Wheat")};

struct Case {
    const char* name;
    LocatorKind kind;
    QString keys;          // \b stands for Backspace
    QString search;        // search text afterwards
    int row;               // row the highlight goes to
};

TEST(Locator, KeysMoveTheHighlightAsTheirKindSays) {
    const QList<Case> cases = {
        {"first letter", LocatorKind::Incremental, QStringLiteral("v"), QStringLiteral("v"), 1},
        {"case ignored", LocatorKind::Incremental, QStringLiteral("VE"), QStringLiteral("VE"), 2},
        {"backspace", LocatorKind::Incremental, QStringLiteral("ve\b"), QStringLiteral("v"), 1},
        {"backspace on empty", LocatorKind::Incremental, QStringLiteral("\b\b"), QString(), 0},
        {"sorts after all", LocatorKind::Incremental, QStringLiteral("zz"), QStringLiteral("zz"), 3},
        {"between names", LocatorKind::Incremental, QStringLiteral("c"), QStringLiteral("c"), 1},
        {"space appends", LocatorKind::Incremental, QStringLiteral("beans "), QStringLiteral("beans "), 1},
        {"step first letter", LocatorKind::Step, QStringLiteral("w"), QStringLiteral("w"), 3},
        {"step replaces", LocatorKind::Step, QStringLiteral("wV"), QStringLiteral("V"), 1},
        {"step no match", LocatorKind::Step, QStringLiteral("x"), QStringLiteral("x"), -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Locator locator(c.kind);
        for (QChar k : c.keys)
            EXPECT_TRUE(locator.key(k));
        EXPECT_EQ(locator.searchText(), c.search);
        EXPECT_EQ(locator.locate(kNames), c.row);
    }
}

TEST(Locator, SearchTextHoldsAtMost39Characters) {
    Locator locator;
    for (int i = 0; i < 45; ++i)
        locator.key(QChar(u'a' + i % 26));
    EXPECT_EQ(locator.searchText().size(), Locator::kMaxSearch);
    EXPECT_EQ(locator.searchText().left(3), QStringLiteral("abc"));
    locator.key(QChar(u'\b'));
    EXPECT_EQ(locator.searchText().size(), Locator::kMaxSearch - 1);
}

TEST(Locator, KeysThatAreNotItsOwnAreLeftToTheList) {
    Locator incremental;
    EXPECT_FALSE(incremental.key(QChar(u'\t')));
    EXPECT_FALSE(incremental.key(QChar(u'\r')));
    Locator step(LocatorKind::Step);
    EXPECT_FALSE(step.key(QChar(u'\b')));
    EXPECT_FALSE(step.key(QChar(u' ')));
    EXPECT_EQ(Locator().locate(QStringList()), -1);
}

TEST(Locator, LettersOutsideAsciiCompareWithoutCase) {
    const QStringList names = {QStringLiteral("Äpfel"), QStringLiteral("Über"), QStringLiteral("Ωmega")};
    Locator locator;
    locator.key(QChar(u'ü'));
    EXPECT_EQ(locator.locate(names), 1);
    Locator step(LocatorKind::Step);
    step.key(QChar(u'ω'));
    EXPECT_EQ(step.locate(names), 2);
}

}  // namespace
