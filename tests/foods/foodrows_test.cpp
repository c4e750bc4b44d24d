// Row formatting of the food list: each rating code with its blood type ticked, not ticked, or no blood
// type ticked at all.
#include "foods/foodrows.h"

#include <gtest/gtest.h>

using namespace nm::foods;

namespace {

constexpr ColourValue D = kDefaultColour;

struct Case {
    BloodType type;
    int rating;
    int tickedMask;   // O 1, A 2, B 4, AB 8
    const char* tick;
    const char* desc;
    CellColours colours;
    RatingIcon icon;
};

const CellColours kPlain{D, D, kBlack, kSilver};

const Case kCases[] = {
    // No blood type ticked: words and stars, nothing coloured, no icon.
    {BloodType::A, 4, 0, " * ", "Benefit", kPlain, RatingIcon::None},
    {BloodType::O, 4, 0, "*", "Benefit", kPlain, RatingIcon::None},
    {BloodType::B, 2, 0, "", "Neutral", kPlain, RatingIcon::None},
    {BloodType::AB, 1, 0, "", "Avoid", kPlain, RatingIcon::None},
    {BloodType::AB, 0, 0, "", "", kPlain, RatingIcon::None},
    // The blood type ticked: word, star and the rating's colours and icon.
    {BloodType::A, 4, 2, " * ", "Benefit", {kBlack, 0xD7FFE2, 0xD7FFE2, D}, RatingIcon::Ok},
    {BloodType::B, 4, 4 | 1, " * ", "Benefit", {kBlack, 0xD7FFE2, 0xD7FFE2, D}, RatingIcon::Ok},
    {BloodType::AB, 4, 8, " * ", "Benefit", {kBlack, 0xD7FFE2, 0xD7FFE2, D}, RatingIcon::Ok},
    {BloodType::O, 4, 1, "*", "Benefit", {kBlack, 14155746, 14155746, D}, RatingIcon::Ok},
    {BloodType::O, 2, 15, "", "Neutral", {kBlack, 16766940, 16766940, D}, RatingIcon::Dish},
    {BloodType::A, 1, 15, "", "Avoid", {kBlack, 8388863, 8388863, D}, RatingIcon::Cancel},
    {BloodType::B, 0, 4, "", "", kPlain, RatingIcon::None},
    {BloodType::O, 3, 1, "", "", kPlain, RatingIcon::None},   // no such code: shown as not rated
    // Another blood type ticked: blank, uncoloured.
    {BloodType::A, 4, 1, "", "", kPlain, RatingIcon::None},
    {BloodType::O, 4, 14, "", "", kPlain, RatingIcon::None},
    {BloodType::B, 2, 8, "", "", kPlain, RatingIcon::None},
    {BloodType::AB, 1, 7, "", "", kPlain, RatingIcon::None},
    {BloodType::AB, 0, 1, "", "", kPlain, RatingIcon::None},
};

}  // namespace

TEST(FoodRows, RatingCellByCodeAndTickedBoxes) {
    for (const Case& c : kCases) {
        SCOPED_TRACE("type " + std::to_string(int(c.type)) + " rating " + std::to_string(c.rating) +
                     " mask " + std::to_string(c.tickedMask));
        const RatingCells cell = formatRating(c.type, c.rating, c.tickedMask);
        EXPECT_EQ(cell.tick.toStdString(), c.tick);
        EXPECT_EQ(cell.desc.toStdString(), c.desc);
        EXPECT_EQ(cell.descColours, c.colours);
        EXPECT_EQ(cell.icon, c.icon);
        EXPECT_EQ(cell.tickColours, (CellColours{D, D, D, D}));
        EXPECT_EQ(cell.style, 0);
        EXPECT_TRUE(cell.tip.isEmpty());
    }
}

TEST(FoodRows, ColourValuesAreBlueHighRedLow) {
    EXPECT_EQ(toQColor(kBenefitColour), QColor(226, 255, 215));
    EXPECT_EQ(toQColor(kNeutralColour), QColor(220, 215, 255));
    EXPECT_EQ(toQColor(kAvoidColour), QColor(255, 0, 128));
    EXPECT_EQ(toQColor(kSilver), QColor(192, 192, 192));
    EXPECT_EQ(toQColor(kBlack), QColor(0, 0, 0));
    EXPECT_FALSE(toQColor(kDefaultColour).isValid());
}

TEST(FoodRows, WholeRowInColumnOrderWithCutTexts) {
    FoodData food;
    food.name = QString(55, QLatin1Char('n'));
    food.ratings = {4, 2, 1, 4};   // A, B, AB, O
    food.groupType = QStringLiteral("Vegetables");
    const FoodRow row = formatFoodRow(food, 2 | 1);   // A and O ticked
    EXPECT_EQ(row.nameShown, QString(50, QLatin1Char('n')));
    EXPECT_EQ(row.food.name.size(), 55);
    EXPECT_EQ(row.groupShown, QStringLiteral("Vegetables"));
    EXPECT_EQ(row.cells[0].desc, QStringLiteral("Benefit"));
    EXPECT_EQ(row.cells[0].tick, QStringLiteral(" * "));
    EXPECT_EQ(row.cells[1].desc, QString());
    EXPECT_EQ(row.cells[2].desc, QString());
    EXPECT_EQ(row.cells[3].desc, QStringLiteral("Benefit"));
    EXPECT_EQ(row.cells[3].tick, QStringLiteral("*"));
    EXPECT_EQ(row.cells[3].icon, RatingIcon::Ok);

    const FoodRow all = formatFoodRow(food, 0);
    EXPECT_EQ(all.cells[1].desc, QStringLiteral("Neutral"));
    EXPECT_EQ(all.cells[2].desc, QStringLiteral("Avoid"));
    for (const auto& cell : all.cells)
        EXPECT_EQ(cell.icon, RatingIcon::None);
}
