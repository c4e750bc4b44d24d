#pragma once
// The recipe's rating per blood type: the worst rating any ingredient has for it (Avoid worse than
// Neutral worse than Benefit, N/A not counted). The recipe form resets the fold and then feeds it every
// ingredient row as the ingredient list fills, so the result always covers the whole recipe.

#include "bloodtype.h"

#include <QString>
#include <array>
#include <cstdint>

namespace nm::recipes {

class RecipeRatingFold {
public:
    // Above every rating code, so the first rated ingredient always lowers it.
    static constexpr std::uint8_t kStart = 99;

    RecipeRatingFold() { reset(); }

    // Running lowest codes back to 99 and every rating word blank.
    void reset();
    // Takes one ingredient's copied codes (O, A, B, AB). A code above 0 and below the running lowest
    // becomes the new lowest; its word replaces the rating when it is a rating code.
    void fold(const BloodCodes& codes);

    std::uint8_t lowest(BloodType t) const { return m_min[index(t)]; }
    QString word(BloodType t) const { return m_word[index(t)]; }

private:
    std::array<std::uint8_t, 4> m_min{};
    std::array<QString, 4> m_word;
};

}  // namespace nm::recipes
