#include "foodlookupmatch.h"

namespace nm::recipes {

int firstFoodMatch(const QStringList& namesInOrder, const QString& typed) {
    if (typed.isEmpty())
        return -1;
    for (qsizetype i = 0; i < namesInOrder.size(); ++i) {
        if (namesInOrder.at(i).startsWith(typed, Qt::CaseInsensitive))
            return int(i);
    }
    return -1;
}

Completion completeTyped(const QStringList& namesInOrder, const QString& typed) {
    Completion c;
    c.typed = typed;
    c.match = firstFoodMatch(namesInOrder, typed);
    if (c.match < 0) {
        c.text = typed;
        c.selectionStart = int(typed.size());
        return c;
    }
    const QString& name = namesInOrder.at(c.match);
    c.text = name;
    c.selectionStart = int(qMin(typed.size(), name.size()));
    c.selectionLength = int(name.size()) - c.selectionStart;
    return c;
}

Completion completeBackspace(const QStringList& namesInOrder, const QString& typedBefore) {
    return completeTyped(namesInOrder, typedBefore.left(qMax<qsizetype>(0, typedBefore.size() - 1)));
}

}  // namespace nm::recipes
