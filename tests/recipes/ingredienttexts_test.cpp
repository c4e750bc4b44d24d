#include "recipes/ingredienttexts.h"

#include "platform/listmodel.h"

#include <gtest/gtest.h>

#include <vector>

using namespace nm::recipes;

TEST(IngredientTexts, BloodTypeListsFromTheFourCodes) {
    struct Case {
        BloodCodes codes;   // O, A, B, AB
        const char* benefit;
        const char* neutral;
        const char* avoid;
    };
    const std::vector<Case> cases = {
        {{4, 4, 2, 0}, "O, A", "B", ""},        // Benefit for O and A, Neutral for B, N/A for AB
        {{1, 1, 1, 1}, "", "", "O, A, B, AB"},  // Avoid for all four
        {{4, 1, 4, 2}, "O, B", "AB", "A"},
        {{4, 4, 4, 4}, "O, A, B, AB", "", ""},
        {{0, 4, 0, 4}, "A, AB", "", ""},
        {{2, 2, 0, 2}, "", "O, A, AB", ""},
        {{0, 0, 0, 0}, "", "", ""},            // N/A is named in none of the texts
        {{3, 8, 255, 0}, "", "", ""},          // codes that are no rating are named nowhere either
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.codes[0]) << int(c.codes[1]) << int(c.codes[2])
                                        << int(c.codes[3]));
        const IngredientTexts t = ingredientTexts(c.codes);
        EXPECT_EQ(t.benefit, QString::fromLatin1(c.benefit));
        EXPECT_EQ(t.neutral, QString::fromLatin1(c.neutral));
        EXPECT_EQ(t.avoid, QString::fromLatin1(c.avoid));
        EXPECT_LE(t.benefit.size(), kIngredientTextWidth);
    }
}

TEST(IngredientTexts, BenefitGreenAvoidRedNeutralDefault) {
    using nm::platform::colourFromValue;
    EXPECT_EQ(colourFromValue(kBenefitColour), QColor(0, 0x80, 0));
    EXPECT_EQ(colourFromValue(kAvoidColour), QColor(0xFF, 0, 0));
    EXPECT_FALSE(colourFromValue(kNoColour).isValid());
}
