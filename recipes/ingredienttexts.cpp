#include "ingredienttexts.h"

namespace nm::recipes {

namespace {

QString withoutTrailingBlanks(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace())
        --n;
    return s.left(n);
}

void append(QString& text, BloodType t) {
    const QString kept = withoutTrailingBlanks(text);
    text = kept.isEmpty() ? bloodTypeName(t) : kept + QStringLiteral(", ") + bloodTypeName(t);
    text.truncate(kIngredientTextWidth);   // names are ASCII: no character is split
}

}  // namespace

IngredientTexts ingredientTexts(const BloodCodes& codes) {
    IngredientTexts texts;
    for (BloodType t : kBloodTypes) {
        switch (codes[index(t)]) {
        case rating::Benefit: append(texts.benefit, t); break;
        case rating::Neutral: append(texts.neutral, t); break;
        case rating::Avoid: append(texts.avoid, t); break;
        default: break;   // N/A, or a code that is no rating, names the type nowhere
        }
    }
    return texts;
}

}  // namespace nm::recipes
