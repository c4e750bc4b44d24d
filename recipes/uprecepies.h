#pragma once
// UpRecepies: the recipe form. Besides the recipe's own fields it holds the recipe's ingredient list,
// whose lines are stored at once through UpdIngedients, and derives the recipe's rating per blood type
// from them; the ratings reach the table only when the recipe is saved with OK.

#include "recipefold.h"

#include "platform/updateform.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace nm::recipes {

class UpRecepies : public platform::UpdateForm {
    Q_OBJECT
public:
    UpRecepies(platform::Services& services, platform::Session& session, QWidget* caller);
    ~UpRecepies() override;

    static QString procedure() { return QStringLiteral("UpRecepies"); }

    platform::ListControl& ingredients() { return *m_ingredients; }
    QTableView* ingredientView() const { return m_listing; }
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* summaryEdit() const { return m_summary; }
    QPlainTextEdit* methodEdit() const { return m_method; }
    // The rating shown for a blood type.
    QLabel* ratingLabel(BloodType t) const { return m_rating[index(t)]; }
    QPushButton* insertButton() const { return m_insert; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* deleteButton() const { return m_delete; }
    const RecipeRatingFold& fold() const { return m_fold; }

    // Ratings back to blank, the ingredient list read again and every line folded in, as on opening.
    void recomputeRatings();

protected:
    void recordPrepared() override;

private:
    void buildControls();
    void setUpIngredients();
    void resetRatings();
    void showRatings();
    void onEnded(platform::Response response);

    QGroupBox* m_groupMain = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_summary = nullptr;
    std::array<QLabel*, 4> m_rating{};   // O, A, B, AB
    QGroupBox* m_groupNamed = nullptr;
    QTableView* m_listing = nullptr;
    QPushButton* m_insert = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_delete = nullptr;
    QGroupBox* m_groupMethod = nullptr;
    QPlainTextEdit* m_method = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_actionMessage = nullptr;

    platform::ListControl* m_ingredients = nullptr;
    RecipeRatingFold m_fold;   // LOC:MinO .. LOC:MinAB and the words they chose
    qint32 m_recipeId = 0;
};

}  // namespace nm::recipes
