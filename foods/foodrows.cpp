#include "foodrows.h"

namespace nm::foods {

int bloodBit(BloodType t) {
    switch (t) {
    case BloodType::O: return 1;
    case BloodType::A: return 2;
    case BloodType::B: return 4;
    case BloodType::AB: return 8;
    }
    return 0;
}

QColor toQColor(ColourValue v) {
    if (v < 0)
        return {};
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

QString ratingWord(int rating) {
    switch (rating) {
    case kBenefit: return QStringLiteral("Benefit");
    case kNeutral: return QStringLiteral("Neutral");
    case kAvoid: return QStringLiteral("Avoid");
    }
    return {};
}

RatingCells formatRating(BloodType type, int rating, int tickedMask) {
    RatingCells c;
    const bool ticked = (tickedMask & bloodBit(type)) != 0;
    if (tickedMask == 0 || ticked) {
        c.desc = ratingWord(rating);
        if (rating == kBenefit)
            c.tick = type == BloodType::O ? QStringLiteral("*") : QStringLiteral(" * ");
    }
    // Colour and icon follow the box alone: with no box ticked nothing is coloured.
    ColourValue mark = kDefaultColour;
    if (ticked) {
        switch (rating) {
        case kBenefit:
            mark = kBenefitColour;
            c.icon = RatingIcon::Ok;
            break;
        case kNeutral:
            mark = kNeutralColour;
            c.icon = RatingIcon::Dish;
            break;
        case kAvoid:
            mark = kAvoidColour;
            c.icon = RatingIcon::Cancel;
            break;
        default: break;
        }
    }
    if (mark != kDefaultColour)
        c.descColours = {kBlack, mark, mark, kDefaultColour};
    else
        c.descColours = {kDefaultColour, kDefaultColour, kBlack, kSilver};
    return c;
}

FoodRow formatFoodRow(FoodData food, int tickedMask) {
    FoodRow row;
    row.nameShown = food.name.left(kNameShown);
    row.groupShown = food.groupType.left(kGroupShown);
    for (std::size_t i = 0; i < kColumnBloodTypes.size(); ++i)
        row.cells[i] = formatRating(kColumnBloodTypes[i], food.ratings[i], tickedMask);
    row.food = std::move(food);
    return row;
}

}  // namespace nm::foods
