#pragma once
// The three texts an ingredient keeps for its food: the blood types for which the food is a Benefit,
// Neutral or to Avoid, names in the order O, A, B, AB joined by ", "; a type rated N/A is in none.
// Also the colours the ingredient form and the ingredient list give them.

#include "bloodtype.h"

#include <QString>
#include <cstdint>

namespace nm::recipes {

inline constexpr int kIngredientTextWidth = 20;   // REI:BENEFIT, REI:NEUTRAL, REI:AVOID

struct IngredientTexts {
    QString benefit;
    QString neutral;
    QString avoid;
    bool operator==(const IngredientTexts&) const = default;
};

// Built from blank texts, as on every new choice of food.
IngredientTexts ingredientTexts(const BloodCodes& codes);

// Colour values: blue byte highest, red lowest; -1 means the control's or list's own colour.
inline constexpr std::int32_t kNoColour = -1;
inline constexpr std::int32_t kBenefitColour = 0x008000;   // green
inline constexpr std::int32_t kAvoidColour = 0x0000FF;     // red
// Neutral texts have no colour of their own.

}  // namespace nm::recipes
