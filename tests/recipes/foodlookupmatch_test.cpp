#include "recipes/foodlookupmatch.h"

#include <gtest/gtest.h>

#include <vector>

using namespace nm::recipes;

namespace {
// In the name key's order, which ignores case.
const QStringList kNames = {QStringLiteral("almond"), QStringLiteral("Apple"), QStringLiteral("Apple pie"),
                            QStringLiteral("banana"), QStringLiteral("Äpfelmus"), QStringLiteral("Zucchini")};
}  // namespace

TEST(FoodLookupMatch, CompletesToFirstNameInListOrderIgnoringCase) {
    struct Case {
        const char* typed;
        int match;
        const char* text;
        int selectionStart;
        int selectionLength;
    };
    const std::vector<Case> cases = {
        {"a", 0, "almond", 1, 5},           // lower-case name first in the list wins for either case
        {"A", 0, "almond", 1, 5},
        {"ap", 1, "Apple", 2, 3},           // further letters narrow the choice
        {"APPLE", 1, "Apple", 5, 0},        // exact name: nothing left to select
        {"apple ", 2, "Apple pie", 6, 3},
        {"B", 3, "banana", 1, 5},
        {"zUC", 5, "Zucchini", 3, 5},
        {"x", -1, "x", 1, 0},               // no match: just the typed text, current food unchanged
        {"almonds", -1, "almonds", 7, 0},
        {"", -1, "", 0, 0},                 // an empty entry selects nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const Completion got = completeTyped(kNames, QString::fromLatin1(c.typed));
        EXPECT_EQ(got.typed, QString::fromLatin1(c.typed));
        EXPECT_EQ(got.match, c.match);
        EXPECT_EQ(got.text, QString::fromLatin1(c.text));
        EXPECT_EQ(got.selectionStart, c.selectionStart);
        EXPECT_EQ(got.selectionLength, c.selectionLength);
    }
}

TEST(FoodLookupMatch, CaseIgnoredBeyondAscii) {
    const Completion got = completeTyped(kNames, QStringLiteral("äPF"));
    EXPECT_EQ(got.match, 4);
    EXPECT_EQ(got.text, QStringLiteral("Äpfelmus"));
    EXPECT_EQ(got.selectionStart, 3);
}

TEST(FoodLookupMatch, BackspaceDropsTheLastTypedCharacterNotTheTail) {
    // "app" completed to "Apple"; Backspace leaves "ap", which completes to "Apple" again.
    Completion got = completeBackspace(kNames, QStringLiteral("app"));
    EXPECT_EQ(got.typed, QStringLiteral("ap"));
    EXPECT_EQ(got.match, 1);
    EXPECT_EQ(got.selectionStart, 2);
    // From "al" back to "a", completing to the first a-name.
    got = completeBackspace(kNames, QStringLiteral("al"));
    EXPECT_EQ(got.text, QStringLiteral("almond"));
    EXPECT_EQ(got.selectionStart, 1);
    // The last character gone: the entry is empty and nothing matches.
    got = completeBackspace(kNames, QStringLiteral("a"));
    EXPECT_EQ(got.typed, QString());
    EXPECT_EQ(got.match, -1);
    EXPECT_EQ(got.text, QString());
    got = completeBackspace(kNames, QString());
    EXPECT_EQ(got.typed, QString());
    EXPECT_EQ(got.match, -1);
}

TEST(FoodLookupMatch, NoFoodsMatchesNothing) {
    EXPECT_EQ(firstFoodMatch({}, QStringLiteral("a")), -1);
}
