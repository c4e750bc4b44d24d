#pragma once
// Row formatting of the food list: rating words, the tick stars, and the colours and icon of each
// rating cell, computed from a food's four ratings and the ticked blood-type filter boxes.
// No widgets here; the list model turns the colour values into what the view paints.

#include <QColor>
#include <QString>
#include <array>
#include <cstdint>

namespace nm::foods {

// Blood types in the order of the list's columns.
enum class BloodType { A, B, AB, O };
inline constexpr std::array<BloodType, 4> kColumnBloodTypes = {BloodType::A, BloodType::B, BloodType::AB,
                                                               BloodType::O};

// The blood type's bit in the filter's blood-type mask (O 1, A 2, B 4, AB 8).
int bloodBit(BloodType t);

// Rating codes as stored in FOO:BLOODx.
inline constexpr int kBenefit = 4, kNeutral = 2, kAvoid = 1;

// Colour values: 32-bit, blue in the high byte and red in the low one; -1 takes the list's default.
using ColourValue = std::int32_t;
inline constexpr ColourValue kDefaultColour = -1;
inline constexpr ColourValue kBlack = 0x000000;
inline constexpr ColourValue kSilver = 0xC0C0C0;
inline constexpr ColourValue kBenefitColour = 0xD7FFE2;  // #E2FFD7
inline constexpr ColourValue kNeutralColour = 0xFFD7DC;  // #DCD7FF
inline constexpr ColourValue kAvoidColour = 0x8000FF;    // #FF0080
// An invalid QColor for -1.
QColor toQColor(ColourValue v);

// Icons of the list by number; 0 is none.
enum class RatingIcon { None = 0, Cancel = 1, Ok = 2, Dish = 3 };

struct CellColours {
    ColourValue normalFg = kDefaultColour;
    ColourValue normalBg = kDefaultColour;
    ColourValue selectedFg = kDefaultColour;
    ColourValue selectedBg = kDefaultColour;
    bool operator==(const CellColours&) const = default;
};

struct RatingCells {
    QString tick;           // LOC:xTICK, 3 characters
    CellColours tickColours;  // always the defaults
    QString desc;           // LOC:xDESC, 10 characters
    CellColours descColours;
    RatingIcon icon = RatingIcon::None;
    int style = 0;          // never a style
    QString tip;            // never a tip
};

// `tickedMask`: the ticked blood-type boxes as the filter's blood-type mask.
RatingCells formatRating(BloodType type, int rating, int tickedMask);

QString ratingWord(int rating);   // "Benefit", "Neutral", "Avoid" or empty

// One food as the list reads it through its view.
struct FoodData {
    qint64 rowId = 0;
    qint32 foodId = 0;
    QString name;
    std::array<int, 4> ratings{};   // by kColumnBloodTypes: A, B, AB, O
    QString groupType;              // GRP:TYPE of the joined group, empty when none
    QString notes;
    QString groupName;              // FOO:GROUPNAME
    qint32 groupId = 0;             // GRP:KEYIDGROUP of the joined group, 0 when none
};

struct FoodRow {
    FoodData food;
    QString nameShown;              // first 50 characters
    QString groupShown;             // first 20 characters
    std::array<RatingCells, 4> cells;   // A, B, AB, O
};

FoodRow formatFoodRow(FoodData food, int tickedMask);

inline constexpr int kNameShown = 50;
inline constexpr int kGroupShown = 20;

}  // namespace nm::foods
