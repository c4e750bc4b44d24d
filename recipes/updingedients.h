#pragma once
// UpdIngedients: the ingredient form. The user picks the ingredient's food in a lookup that completes
// names while typing and adds a missing food through MntFood; each new choice copies the food's four
// rating codes into the ingredient and lists the blood types per rating. New ingredients are added in
// a batch.

#include "platform/updateform.h"

#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

namespace nm::recipes {

class FoodLookup;

class UpdIngedients : public platform::UpdateForm {
    Q_OBJECT
public:
    UpdIngedients(platform::Services& services, platform::Session& session, QWidget* caller);
    ~UpdIngedients() override;

    static QString procedure() { return QStringLiteral("UpdIngedients"); }
    static QString caption() { return QStringLiteral("Update Ingredients..."); }

    FoodLookup* lookup() const { return m_lookup; }
    QLabel* benefitText() const { return m_benefit; }
    QLabel* neutralText() const { return m_neutral; }
    QLabel* avoidText() const { return m_avoid; }
    QLabel* groupName() const { return m_groupName; }
    QLineEdit* quantityEdit() const { return m_quantity; }
    QLineEdit* notesEdit() const { return m_notes; }
    // The food item form while it adds a missing food; nullptr otherwise.
    platform::UpdateForm* foodForm() const;

protected:
    void presetNewRecord(store::Record& record) override;
    void recordPrepared() override;
    void displayRecord(const store::Record& record) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void onChosen(int index);
    void takeFood(const store::Record& food);
    void clearFood();
    bool acceptLookup();
    void addMissingFood(const QString& name);
    void foodFormEnded(platform::Response response);
    void blockInput(bool blocked);
    void showTexts();

    FoodLookup* m_lookup = nullptr;
    QLabel* m_benefit = nullptr;
    QLabel* m_neutral = nullptr;
    QLabel* m_avoid = nullptr;
    QLabel* m_groupName = nullptr;
    QLineEdit* m_quantity = nullptr;
    QLineEdit* m_notes = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_actionMessage = nullptr;

    qint32 m_recipeId = 0;      // the recipe the first new ingredient was primed for
    bool m_addingFood = false;
    std::shared_ptr<platform::UpdateCall> m_foodCall;
    QVector<QPointer<QWidget>> m_blocked;
};

}  // namespace nm::recipes
