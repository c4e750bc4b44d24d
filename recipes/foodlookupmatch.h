#pragma once
// The food lookup's entry completion, apart from the combo that shows it. The lookup keeps the part
// the user typed; after each keystroke it looks for the first name, in the list's order, that begins
// with that part, upper and lower case treated alike, and shows the whole name with the completed tail
// selected, so the next keystroke replaces the tail.

#include <QString>
#include <QStringList>

namespace nm::recipes {

// Index of the first name that begins with `typed`, case ignored; -1 when none does. An empty text
// matches nothing, so the lookup can be emptied.
int firstFoodMatch(const QStringList& namesInOrder, const QString& typed);

struct Completion {
    QString typed;        // the part the user typed
    int match = -1;       // the food now highlighted; -1: none found, the current food stays
    QString text;         // what the entry shows
    int selectionStart = 0;
    int selectionLength = 0;   // the completed tail, selected
};

// After a keystroke that left `typed` in the entry (a typed character replaces the selected tail).
Completion completeTyped(const QStringList& namesInOrder, const QString& typed);
// After Backspace: the earlier typed part less its last character, completed again.
Completion completeBackspace(const QStringList& namesInOrder, const QString& typedBefore);

}  // namespace nm::recipes
