#pragma once
// The food lookup of the ingredient form: a combo whose entry completes food names while typing (case
// ignored, first match in name order, the completed tail selected) and whose drop-down lists every
// named food. It reports each new choice and asks its form what to do when the field is left.

#include "store/view.h"

#include <QComboBox>
#include <QVector>
#include <functional>

namespace nm::recipes {

class FoodLookup : public QComboBox {
    Q_OBJECT
public:
    explicit FoodLookup(QWidget* parent = nullptr);

    // Reads every named food in FOO:KEYNAME order. The entry and the current food are left empty.
    void load(store::DataStore& store);

    int foodCount() const { return int(m_foods.size()); }
    QStringList names() const { return m_names; }
    const store::Record& food(int index) const { return m_foods.at(index); }
    int indexOfFood(qint32 foodId) const;

    // The food now current; -1 when none.
    int current() const { return m_current; }
    QString typedPart() const { return m_typed; }

    // Without a choice notice: shows the food and makes it current, or empties the lookup when the food
    // is not in the list.
    void showFood(qint32 foodId);
    // Without a choice notice: nothing current, the entry empty.
    void clearChoice();
    // A choice made for the user (a food just added): shown, made current and reported.
    void choose(int index);

    // Called when the field is left (and before Enter goes on to OK); returns true when it started
    // something that must finish first, such as adding the typed food.
    void setAcceptHandler(std::function<bool()> handler) { m_acceptHandler = std::move(handler); }
    // Leaving the field; true when the handler asked to stop there.
    bool acceptEntry();

signals:
    // A new selection: a keystroke that found a food, or a move of the drop-down's highlight.
    void chosen(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void onEdited(const QString& text);
    void applyCompletion(int match, const QString& typed, const QString& text, int selStart, int selLength);

    QVector<store::Record> m_foods;
    QStringList m_names;
    QString m_typed;
    int m_current = -1;
    std::function<bool()> m_acceptHandler;
};

}  // namespace nm::recipes
