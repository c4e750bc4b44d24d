#pragma once
// Blood types and rating codes as the food and ingredient records keep them: per-type fields in the
// order O, A, B, AB; one code per type, 4 Benefit, 2 Neutral, 1 Avoid, 0 not applicable.

#include <QString>
#include <array>
#include <cstdint>

namespace nm::recipes {

enum class BloodType { O, A, B, AB };
inline constexpr std::array<BloodType, 4> kBloodTypes = {BloodType::O, BloodType::A, BloodType::B,
                                                         BloodType::AB};

namespace rating {
inline constexpr std::uint8_t NotApplicable = 0;
inline constexpr std::uint8_t Avoid = 1;
inline constexpr std::uint8_t Neutral = 2;
inline constexpr std::uint8_t Benefit = 4;
}  // namespace rating

// Rating codes of one food or ingredient, indexed by BloodType (O, A, B, AB).
using BloodCodes = std::array<std::uint8_t, 4>;

inline constexpr int index(BloodType t) { return static_cast<int>(t); }

inline QString bloodTypeName(BloodType t) {
    switch (t) {
    case BloodType::O: return QStringLiteral("O");
    case BloodType::A: return QStringLiteral("A");
    case BloodType::B: return QStringLiteral("B");
    case BloodType::AB: return QStringLiteral("AB");
    }
    return {};
}

// "Benefit", "Neutral", "Avoid", or blank for N/A and any code that is not a rating.
inline QString ratingWord(std::uint8_t code) {
    switch (code) {
    case rating::Benefit: return QStringLiteral("Benefit");
    case rating::Neutral: return QStringLiteral("Neutral");
    case rating::Avoid: return QStringLiteral("Avoid");
    default: return {};
    }
}

}  // namespace nm::recipes
