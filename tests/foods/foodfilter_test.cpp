// The filter builder against descriptions and expressions written out by hand from the filter rules.
#include "foods/foodfilter.h"

#include <gtest/gtest.h>

using nm::foods::buildFoodFilter;
using nm::foods::FilterBoxes;

namespace {

// ratings: letters b (Benefit), n (Neutral), v (Avoid); blood: letters o, a, b, x (AB).
FilterBoxes boxes(const char* ratings, const char* blood, bool orJoin = false) {
    FilterBoxes f;
    for (const char* p = ratings; *p; ++p) {
        if (*p == 'b') f.fbenefit = FilterBoxes::kBenefit;
        if (*p == 'n') f.fneutral = FilterBoxes::kNeutral;
        if (*p == 'v') f.favoid = FilterBoxes::kAvoid;
    }
    for (const char* p = blood; *p; ++p) {
        if (*p == 'o') f.fo = FilterBoxes::kO;
        if (*p == 'a') f.fa = FilterBoxes::kA;
        if (*p == 'b') f.fb = FilterBoxes::kB;
        if (*p == 'x') f.fab = FilterBoxes::kAB;
    }
    f.orBox = orJoin ? FilterBoxes::kOr : 0;
    return f;
}

struct Case {
    const char* ratings;
    const char* blood;
    bool orJoin;
    const char* description;
    const char* expression;
};

const Case kCases[] = {
    // Each rating mask, all four blood types ticked.
    {"", "oabx", false, ", O AND A AND B AND AB", ""},
    {"bnv", "oabx", false, "All", ""},
    {"b", "oabx", false, "Benefit, O AND A AND B AND AB",
     "(FOO:BloodO = 4 AND FOO:BloodAB = 4 AND FOO:BloodB = 4 AND FOO:BloodA = 4)"},
    {"n", "oabx", false, "Neutral, O AND A AND B AND AB",
     "(FOO:BloodO = 2 AND FOO:BloodAB = 2 AND FOO:BloodB = 2 AND FOO:BloodA = 2)"},
    {"v", "oabx", false, "Avoid, O AND A AND B AND AB",
     "(FOO:BloodO = 1 AND FOO:BloodAB = 1 AND FOO:BloodB = 1 AND FOO:BloodA = 1)"},
    {"bn", "oabx", false, "Benefit + Neutral, O AND A AND B AND AB",
     "(FOO:BloodAB = 4 OR FOO:BloodAB = 2) AND (FOO:BloodB = 4 OR FOO:BloodB = 2) AND "
     "(FOO:BloodA = 4 OR FOO:BloodA = 2) AND (FOO:BloodO = 4 OR FOO:BloodO = 2)"},
    {"bv", "oabx", false, "Benefit + Avoid, O AND A AND B AND AB",
     "(FOO:BloodAB = 4 OR FOO:BloodAB = 1) AND (FOO:BloodB = 4 OR FOO:BloodB = 1) AND "
     "(FOO:BloodA = 4 OR FOO:BloodA = 1) AND (FOO:BloodO = 4 OR FOO:BloodO = 1)"},
    {"nv", "oabx", false, "Neutral + Avoid, O AND A AND B AND AB",
     "(FOO:BloodAB = 2 OR FOO:BloodAB = 1) AND (FOO:BloodB = 2 OR FOO:BloodB = 1) AND "
     "(FOO:BloodA = 2 OR FOO:BloodA = 1) AND (FOO:BloodO = 2 OR FOO:BloodO = 1)"},

    // Field order, one rating: every set of ticked blood types.
    {"b", "", false, "Benefit,", "(FOO:BloodO = 4 AND FOO:BloodAB = 4 AND FOO:BloodB = 4 AND FOO:BloodA = 4)"},
    {"b", "o", false, "Benefit, O", "(FOO:BloodO = 4)"},
    {"b", "a", false, "Benefit, A", "(FOO:BloodA = 4)"},
    {"b", "b", false, "Benefit, B", "(FOO:BloodB = 4)"},
    {"b", "x", false, "Benefit, AB", "(FOO:BloodAB = 4)"},
    {"b", "oa", false, "Benefit, O AND A", "(FOO:BloodO = 4 AND FOO:BloodA = 4)"},
    {"b", "ob", false, "Benefit, O AND B", "(FOO:BloodO = 4 AND FOO:BloodB = 4)"},
    {"b", "ab", false, "Benefit, A AND B", "(FOO:BloodA = 4 AND FOO:BloodB = 4)"},
    {"b", "ox", false, "Benefit, O AND AB", "(FOO:BloodO = 4 AND FOO:BloodAB = 4)"},
    {"b", "ax", false, "Benefit, A AND AB", "(FOO:BloodA = 4 AND FOO:BloodAB = 4)"},
    {"b", "bx", false, "Benefit, B AND AB", "(FOO:BloodB = 4 AND FOO:BloodAB = 4)"},
    {"b", "oab", false, "Benefit, O AND A AND B", "(FOO:BloodA = 4 AND FOO:BloodB = 4 AND FOO:BloodO = 4)"},
    {"b", "oax", false, "Benefit, O AND A AND AB", "(FOO:BloodA = 4 AND FOO:BloodAB = 4 AND FOO:BloodO = 4)"},
    {"b", "obx", false, "Benefit, O AND B AND AB", "(FOO:BloodB = 4 AND FOO:BloodAB = 4 AND FOO:BloodO = 4)"},
    {"b", "abx", false, "Benefit, A AND B AND AB", "(FOO:BloodAB = 4 AND FOO:BloodB = 4 AND FOO:BloodA = 4)"},

    // Field order, two ratings, join OR.
    {"bn", "", true, "Benefit + Neutral,",
     "(FOO:BloodAB = 4 OR FOO:BloodAB = 2) OR (FOO:BloodB = 4 OR FOO:BloodB = 2) OR "
     "(FOO:BloodA = 4 OR FOO:BloodA = 2) OR (FOO:BloodO = 4 OR FOO:BloodO = 2)"},
    {"bn", "oabx", true, "Benefit + Neutral, O OR A OR B OR AB",
     "(FOO:BloodAB = 4 OR FOO:BloodAB = 2) OR (FOO:BloodB = 4 OR FOO:BloodB = 2) OR "
     "(FOO:BloodA = 4 OR FOO:BloodA = 2) OR (FOO:BloodO = 4 OR FOO:BloodO = 2)"},
    {"bn", "o", true, "Benefit + Neutral, O", "(FOO:BloodO = 4 OR FOO:BloodO = 2)"},
    {"bn", "a", true, "Benefit + Neutral, A", "(FOO:BloodA = 4 OR FOO:BloodA = 2)"},
    {"bn", "b", true, "Benefit + Neutral, B", "(FOO:BloodB = 4 OR FOO:BloodB = 2)"},
    {"bn", "x", true, "Benefit + Neutral, AB", "(FOO:BloodAB = 4 OR FOO:BloodAB = 2)"},
    {"bn", "oa", true, "Benefit + Neutral, O OR A",
     "(FOO:BloodO = 4 OR FOO:BloodO = 2) OR (FOO:BloodA = 4 OR FOO:BloodA = 2)"},
    {"bn", "ob", true, "Benefit + Neutral, O OR B",
     "(FOO:BloodO = 4 OR FOO:BloodO = 2) OR (FOO:BloodB = 4 OR FOO:BloodB = 2)"},
    {"bn", "ab", true, "Benefit + Neutral, A OR B",
     "(FOO:BloodA = 4 OR FOO:BloodA = 2) OR (FOO:BloodB = 4 OR FOO:BloodB = 2)"},
    {"bn", "ox", true, "Benefit + Neutral, O OR AB",
     "(FOO:BloodO = 4 OR FOO:BloodO = 2) OR (FOO:BloodAB = 4 OR FOO:BloodAB = 2)"},
    {"bn", "ax", true, "Benefit + Neutral, A OR AB",
     "(FOO:BloodA = 4 OR FOO:BloodA = 2) OR (FOO:BloodAB = 4 OR FOO:BloodAB = 2)"},
    {"bn", "bx", true, "Benefit + Neutral, B OR AB",
     "(FOO:BloodB = 4 OR FOO:BloodB = 2) OR (FOO:BloodAB = 4 OR FOO:BloodAB = 2)"},
    {"bn", "oab", true, "Benefit + Neutral, O OR A OR B",
     "(FOO:BloodA = 4 OR FOO:BloodA = 2) OR (FOO:BloodB = 4 OR FOO:BloodB = 2) OR "
     "(FOO:BloodO = 4 OR FOO:BloodO = 2)"},
    {"bn", "oax", true, "Benefit + Neutral, O OR A OR AB",
     "(FOO:BloodA = 4 OR FOO:BloodA = 2) OR (FOO:BloodAB = 4 OR FOO:BloodAB = 2) OR "
     "(FOO:BloodO = 4 OR FOO:BloodO = 2)"},
    {"bn", "obx", true, "Benefit + Neutral, O OR B OR AB",
     "(FOO:BloodB = 4 OR FOO:BloodB = 2) OR (FOO:BloodAB = 4 OR FOO:BloodAB = 2) OR "
     "(FOO:BloodO = 4 OR FOO:BloodO = 2)"},
    {"bn", "abx", true, "Benefit + Neutral, A OR B OR AB",
     "(FOO:BloodAB = 4 OR FOO:BloodAB = 2) OR (FOO:BloodB = 4 OR FOO:BloodB = 2) OR "
     "(FOO:BloodA = 4 OR FOO:BloodA = 2)"},

    // The examples given with the rules.
    {"b", "oa", false, "Benefit, O AND A", "(FOO:BloodO = 4 AND FOO:BloodA = 4)"},
    {"bv", "ab", true, "Benefit + Avoid, A OR B",
     "(FOO:BloodA = 4 OR FOO:BloodA = 1) OR (FOO:BloodB = 4 OR FOO:BloodB = 1)"},
    {"n", "b", false, "Neutral, B", "(FOO:BloodB = 2)"},
    {"nv", "oa", false, "Neutral + Avoid, O AND A",
     "(FOO:BloodO = 2 OR FOO:BloodO = 1) AND (FOO:BloodA = 2 OR FOO:BloodA = 1)"},
    {"b", "o", false, "Benefit, O", "(FOO:BloodO = 4)"},

    // Edge cases: nothing ticked, blood types without rating, OR with one blood type, one rating
    // with OR and no blood type, all ratings with OR.
    {"", "", false, "No Filter,", ""},
    {"", "", true, "No Filter,", ""},
    {"", "oa", false, ", O AND A", ""},
    {"", "x", true, ", AB", ""},
    {"v", "a", true, "Avoid, A", "(FOO:BloodA = 1)"},
    {"n", "", true, "Neutral,", "(FOO:BloodO = 2 OR FOO:BloodAB = 2 OR FOO:BloodB = 2 OR FOO:BloodA = 2)"},
    {"bnv", "", false, "All", ""},
    {"bnv", "ob", true, "All", ""},
};

}  // namespace

TEST(FoodFilter, DescriptionAndExpressionFromTheBoxes) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string("ratings '") + c.ratings + "' blood '" + c.blood + "'" +
                     (c.orJoin ? " OR" : " AND"));
        const auto f = buildFoodFilter(boxes(c.ratings, c.blood, c.orJoin));
        EXPECT_EQ(f.description.toStdString(), c.description);
        EXPECT_EQ(f.expression.toStdString(), c.expression);
        EXPECT_EQ(f.joinWord.toStdString(), c.orJoin ? "OR" : "AND");
        EXPECT_LE(f.description.size(), nm::foods::kFilterDescriptionWidth);
        EXPECT_LE(f.expression.size(), nm::foods::kFilterExpressionWidth);
    }
}

TEST(FoodFilter, OpeningStateAndClearedState) {
    const FilterBoxes opening = FilterBoxes::allTicked();
    EXPECT_EQ(opening.bloodMask(), 15);
    EXPECT_EQ(opening.ratingMask(), 7);
    EXPECT_EQ(opening.orBox, 0);
    const auto f = buildFoodFilter(opening);
    EXPECT_EQ(f.description.toStdString(), "All");
    EXPECT_TRUE(f.expression.isEmpty());
    EXPECT_EQ(nm::foods::clearedFilterDescription().toStdString(), "No Filter");
}
