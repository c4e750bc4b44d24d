#include "recipes/recipefold.h"

#include <gtest/gtest.h>

#include <vector>

using namespace nm::recipes;

namespace {

struct Words {
    const char* o;
    const char* a;
    const char* b;
    const char* ab;
};

void expectWords(const RecipeRatingFold& fold, const Words& w) {
    EXPECT_EQ(fold.word(BloodType::O), QString::fromLatin1(w.o));
    EXPECT_EQ(fold.word(BloodType::A), QString::fromLatin1(w.a));
    EXPECT_EQ(fold.word(BloodType::B), QString::fromLatin1(w.b));
    EXPECT_EQ(fold.word(BloodType::AB), QString::fromLatin1(w.ab));
}

// One list fill after a reset: the ingredient rows in list order, codes O, A, B, AB.
using Fill = std::vector<BloodCodes>;

struct FoldCase {
    const char* name;
    std::vector<Fill> fills;   // each fill starts with a reset, as each return of the ingredient form
    Words expected;
};

}  // namespace

TEST(RecipeRatingFold, WorstRatingPerBloodTypeAfterEachResetAndFill) {
    const std::vector<FoldCase> cases = {
        {"no ingredients", {{}}, {"", "", "", ""}},
        {"one ingredient 4 2 1 0", {{{4, 2, 1, 0}}}, {"Benefit", "Neutral", "Avoid", ""}},
        {"Benefit then Avoid", {{{4, 4, 4, 4}, {1, 1, 1, 1}}}, {"Avoid", "Avoid", "Avoid", "Avoid"}},
        {"Avoid then Benefit", {{{1, 1, 1, 1}, {4, 4, 4, 4}}}, {"Avoid", "Avoid", "Avoid", "Avoid"}},
        {"Benefit and N/A", {{{4, 0, 4, 0}, {0, 4, 0, 4}}}, {"Benefit", "Benefit", "Benefit", "Benefit"}},
        {"only N/A", {{{0, 0, 0, 0}, {0, 0, 0, 0}}}, {"", "", "", ""}},
        {"Neutral among Benefits", {{{4, 4, 2, 4}, {2, 4, 4, 4}, {4, 4, 4, 4}}},
         {"Neutral", "Benefit", "Neutral", "Benefit"}},
        {"mixed per type", {{{4, 1, 0, 2}, {2, 4, 0, 4}, {4, 2, 0, 1}}}, {"Neutral", "Avoid", "", "Avoid"}},
        // The only Avoid ingredient deleted: the next fill sees the others only.
        {"only Avoid ingredient deleted", {{{4, 2, 4, 4}, {1, 1, 4, 1}}, {{4, 2, 4, 4}}},
         {"Benefit", "Neutral", "Benefit", "Benefit"}},
        // An ingredient changed to a better food: the reset starts again from 99.
        {"better food raises the rating", {{{1, 1, 1, 1}}, {{4, 2, 4, 0}}}, {"Benefit", "Neutral", "Benefit", ""}},
        {"last ingredient deleted blanks all", {{{1, 2, 4, 1}}, {}}, {"", "", "", ""}},
        {"code that is no rating names no word", {{{3, 8, 0, 0}}}, {"", "", "", ""}},
        {"rating below a stray code still counts", {{{8, 0, 0, 0}, {2, 0, 0, 0}}}, {"Neutral", "", "", ""}},
    };
    for (const FoldCase& c : cases) {
        SCOPED_TRACE(c.name);
        RecipeRatingFold fold;
        for (const Fill& fill : c.fills) {
            fold.reset();
            for (const BloodCodes& row : fill)
                fold.fold(row);
        }
        expectWords(fold, c.expected);
    }
}

TEST(RecipeRatingFold, ResetBlanksWordsAndStartsAt99) {
    RecipeRatingFold fold;
    fold.fold({1, 2, 4, 1});
    EXPECT_EQ(fold.lowest(BloodType::A), 2);
    fold.reset();
    expectWords(fold, {"", "", "", ""});
    for (BloodType t : kBloodTypes)
        EXPECT_EQ(fold.lowest(t), 99);
}

TEST(RecipeRatingFold, RefillWithoutResetLeavesResultUnchanged) {
    const Fill rows = {{4, 2, 4, 0}, {2, 4, 1, 0}};
    RecipeRatingFold fold;
    fold.reset();
    for (int pass = 0; pass < 3; ++pass) {
        for (const BloodCodes& row : rows)
            fold.fold(row);
        SCOPED_TRACE(pass);
        expectWords(fold, {"Neutral", "Neutral", "Avoid", ""});
    }
    // Without a reset a better ingredient cannot raise the rating: that is why each return resets.
    fold.fold({4, 4, 4, 4});
    expectWords(fold, {"Neutral", "Neutral", "Avoid", "Benefit"});
}
