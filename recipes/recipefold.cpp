#include "recipefold.h"

namespace nm::recipes {

void RecipeRatingFold::reset() {
    for (BloodType t : kBloodTypes) {
        m_min[index(t)] = kStart;
        m_word[index(t)].clear();
    }
}

void RecipeRatingFold::fold(const BloodCodes& codes) {
    for (BloodType t : kBloodTypes) {
        const std::uint8_t c = codes[index(t)];
        std::uint8_t& m = m_min[index(t)];
        if (c > 0 && c < m) {
            m = c;
            // A code that is not a rating still lowers the running code but names no word.
            if (c == rating::Avoid || c == rating::Neutral || c == rating::Benefit)
                m_word[index(t)] = ratingWord(c);
        }
    }
}

}  // namespace nm::recipes
