// The recipe form with its ingredient list: ratings derived from the ingredient lines as they are added,
// changed and deleted, stored only with OK, while the lines themselves are stored at once.

#include "recipetesting.h"

#include <QAbstractItemModelTester>

using namespace nm;
using namespace nm::recipes;
using namespace nm::recipes::testing;
using platform::Request;
using Kind = platform::ScriptedMessages::Kind;

namespace {

class UpRecepiesTest : public RecipeWindowTest {
protected:
    // Adds one ingredient through the ingredient form already open: food picked by typing, quantity, OK.
    static void addIngredient(UpdIngedients* g, const QString& typed, const QString& quantity) {
        typeFood(g, typed);
        typeInto(g->quantityEdit(), quantity);
        click(g->okButton());
    }
};

TEST_F(UpRecepiesTest, ARecipeBuiltFromThreeIngredientsShowsItsRatingsAndStoresThemOnOk) {
    // Codes O, A, B, AB.
    storeFood(s("Apple"), 4, 2, 1, 0);
    storeFood(s("Carrot"), 4, 4, 4, 0);
    storeFood(s("Walnut"), 2, 4, 4, 0, s("Nuts"));
    auto w = openList();
    click(w->insertButton());
    UpRecepies* f = recipeForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), s("Update Recipe"));
    EXPECT_EQ(f->actionMessage()->text(), s("Record will be Added"));
    EXPECT_EQ(ratingsShown(f), (QStringList{QString(), QString(), QString(), QString()}));
    EXPECT_EQ(f->ingredients().rowCount(), 0);
    typeInto(f->nameEdit(), s("Fruit salad"));

    click(f->insertButton());
    UpdIngedients* g = ingredientForm(f);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->windowTitle(), s("Update Ingredients...  (Select a food or add a new one)"));
    EXPECT_EQ(g->actionMessage()->text(), s("Record will be Added"));
    EXPECT_EQ(g->lookup()->currentText(), QString());

    typeFood(g, s("ap"));
    EXPECT_EQ(g->benefitText()->text(), s("O"));
    EXPECT_EQ(g->neutralText()->text(), s("A"));
    EXPECT_EQ(g->avoidText()->text(), s("B"));
    typeInto(g->quantityEdit(), s("2"));
    click(g->okButton());
    // Batch insert: the form stays open for the next ingredient, empty again.
    ASSERT_FALSE(g->hasEnded());
    EXPECT_EQ(g->lookup()->currentText(), QString());
    EXPECT_EQ(g->quantityEdit()->text(), QString());
    EXPECT_EQ(g->windowTitle(), s("Update Ingredients...  (Select a food or add a new one)"));
    addIngredient(g, s("c"), s("1 lb"));
    addIngredient(g, s("w"), s("a handful"));
    EXPECT_EQ(g->groupName()->text(), QString());   // the next, empty ingredient has no food
    click(g->cancelButton());
    EXPECT_TRUE(messages.entries().isEmpty());
    ASSERT_FALSE(f->ingredients().formOpen());

    // A: Neutral (Apple), B: Avoid (Apple), AB: all N/A, O: Neutral (Walnut).
    EXPECT_EQ(ratingsShown(f), (QStringList{s("Neutral"), s("Avoid"), QString(), s("Neutral")}));
    EXPECT_EQ(column(f->ingredients(), 0), (QStringList{s("Apple"), s("Carrot"), s("Walnut")}));
    EXPECT_EQ(column(f->ingredients(), 1), (QStringList{s("2"), s("1 lb"), s("a handful")}));
    EXPECT_EQ(column(f->ingredients(), 2), (QStringList{s("O"), s("O, A, B"), s("A, B")}));
    EXPECT_EQ(column(f->ingredients(), 3), (QStringList{s("A"), QString(), s("O")}));
    EXPECT_EQ(column(f->ingredients(), 4), (QStringList{s("B"), QString(), QString()}));
    // Benefit green, Avoid red, from the columns; the other columns have no colour of their own.
    const QModelIndex benefit = f->ingredients().model().index(0, 2);
    const QModelIndex avoid = f->ingredients().model().index(0, 4);
    EXPECT_EQ(benefit.data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0x80, 0));
    EXPECT_EQ(avoid.data(Qt::ForegroundRole).value<QColor>(), QColor(0xFF, 0, 0));
    EXPECT_FALSE(f->ingredients().model().index(0, 3).data(Qt::ForegroundRole).isValid());

    // Ingredients are stored already; the recipe's words only now, with OK.
    EXPECT_EQ(storedIngredients().size(), 3);
    click(f->okButton());
    const QVector<StoredRecipe> recipes = storedRecipes();
    ASSERT_EQ(recipes.size(), 1);
    EXPECT_EQ(recipes.first().name, s("Fruit salad"));
    EXPECT_EQ(recipes.first().rates, (QStringList{s("Neutral"), s("Avoid"), QString(), s("Neutral")}));
    for (const StoredIngredient& i : storedIngredients())
        EXPECT_EQ(i.recipe, recipes.first().id);
    EXPECT_EQ(column(w->list(), 0), (QStringList{s("Fruit salad")}));
    EXPECT_EQ(w->list().model().index(0, 3).data().toString(), s("Avoid"));
}

TEST_F(UpRecepiesTest, CancelOnAChangedRecipeKeepsTheStoredWordsWhileTheIngredientsStay) {
    const qint32 carrot = storeFood(s("Carrot"), 4, 4, 4, 4);
    storeFood(s("Pepper"), 1, 1, 4, 2);
    const qint32 recipe = storeRecipe(s("Stew"), {s("Benefit"), s("Benefit"), s("Benefit"), s("Benefit")});
    storeIngredient(recipe, carrot, 4, 4, 4, 4);
    auto w = openList();
    click(w->changeButton());
    UpRecepies* f = recipeForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ratingsShown(f), (QStringList{s("Benefit"), s("Benefit"), s("Benefit"), s("Benefit")}));

    click(f->insertButton());
    UpdIngedients* g = ingredientForm(f);
    ASSERT_NE(g, nullptr);
    addIngredient(g, s("pe"), s("1"));
    click(g->cancelButton());
    EXPECT_EQ(ratingsShown(f), (QStringList{s("Avoid"), s("Benefit"), s("Neutral"), s("Avoid")}));

    typeInto(f->nameEdit(), s("Hot stew"));
    messages.script({Answer::No});
    click(f->cancelButton());
    EXPECT_EQ(messages.titles(), (QStringList{s("Save Record")}));
    EXPECT_TRUE(f->hasEnded());
    const QVector<StoredRecipe> recipes = storedRecipes();
    ASSERT_EQ(recipes.size(), 1);
    EXPECT_EQ(recipes.first().name, s("Stew"));
    EXPECT_EQ(recipes.first().rates, (QStringList{s("Benefit"), s("Benefit"), s("Benefit"), s("Benefit")}));
    const QVector<StoredIngredient> lines = storedIngredients();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(1).recipe, recipe);
    EXPECT_EQ(lines.at(1).copies, (QList<int>{1, 1, 4, 2}));
    EXPECT_EQ(column(w->list(), 1).size(), 1);
    EXPECT_EQ(w->list().model().index(0, 2).data().toString(), s("Benefit"));
}

TEST_F(UpRecepiesTest, DeletingTheOnlyAvoidIngredientRaisesTheRatingOnReturn) {
    const qint32 carrot = storeFood(s("Carrot"), 4, 4, 4, 4);
    const qint32 pepper = storeFood(s("Pepper"), 1, 2, 4, 0);
    const qint32 recipe = storeRecipe(s("Stew"));
    storeIngredient(recipe, carrot, 4, 4, 4, 4);
    storeIngredient(recipe, pepper, 1, 2, 4, 0);
    auto w = openList();
    click(w->changeButton());
    UpRecepies* f = recipeForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ratingsShown(f), (QStringList{s("Neutral"), s("Benefit"), s("Benefit"), s("Avoid")}));

    f->ingredients().setCurrentRow(1);
    messages.script({Answer::Yes});
    click(f->deleteButton());
    EXPECT_EQ(messages.titles(), (QStringList{s("Confirm Delete")}));
    EXPECT_EQ(ratingsShown(f), (QStringList{s("Benefit"), s("Benefit"), s("Benefit"), s("Benefit")}));
    EXPECT_EQ(storedIngredients().size(), 1);

    click(f->okButton());
    ASSERT_TRUE(f->hasEnded());
    EXPECT_EQ(storedRecipes().first().rates, (QStringList{s("Benefit"), s("Benefit"), s("Benefit"), s("Benefit")}));
}

TEST_F(UpRecepiesTest, ChangingAnIngredientToABetterFoodRaisesTheRating) {
    const qint32 pepper = storeFood(s("Pepper"), 1, 1, 1, 1);
    storeFood(s("Carrot"), 4, 2, 4, 0);
    const qint32 recipe = storeRecipe(s("Stew"));
    storeIngredient(recipe, pepper, 1, 1, 1, 1);
    auto w = openList();
    click(w->changeButton());
    UpRecepies* f = recipeForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ratingsShown(f), (QStringList{s("Avoid"), s("Avoid"), s("Avoid"), s("Avoid")}));

    click(f->changeButton());
    UpdIngedients* g = ingredientForm(f);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->actionMessage()->text(), s("Record will be Changed"));
    EXPECT_EQ(g->lookup()->currentText(), s("Pepper"));
    g->lookup()->lineEdit()->selectAll();
    typeFood(g, s("car"));
    EXPECT_EQ(g->benefitText()->text(), s("O, B"));
    EXPECT_EQ(g->neutralText()->text(), s("A"));
    EXPECT_EQ(g->avoidText()->text(), QString());   // AB is N/A for carrots: named in no text
    click(g->okButton());
    ASSERT_TRUE(g->hasEnded());
    EXPECT_EQ(ratingsShown(f), (QStringList{s("Neutral"), s("Benefit"), QString(), s("Benefit")}));
    EXPECT_EQ(column(f->ingredients(), 0), (QStringList{s("Carrot")}));
    EXPECT_EQ(storedIngredients().first().copies, (QList<int>{4, 2, 4, 0}));
}

TEST_F(UpRecepiesTest, OpeningRecomputesStaleWordsAndCountsTheRecipeAsChanged) {
    const qint32 carrot = storeFood(s("Carrot"), 4, 4, 4, 4);
    const qint32 recipe = storeRecipe(s("Stew"), {s("Avoid"), s("Avoid"), s("Neutral"), QString()});
    storeIngredient(recipe, carrot, 4, 4, 4, 4);
    auto w = openList();
    click(w->changeButton());
    UpRecepies* f = recipeForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(ratingsShown(f), (QStringList{s("Benefit"), s("Benefit"), s("Benefit"), s("Benefit")}));
    messages.script({Answer::Yes});
    click(f->cancelButton());
    EXPECT_EQ(messages.titles(), (QStringList{s("Save Record")}));
    EXPECT_EQ(storedRecipes().first().rates, (QStringList{s("Benefit"), s("Benefit"), s("Benefit"), s("Benefit")}));
}

TEST_F(UpRecepiesTest, AnIngredientWhoseFoodWasDeletedIsStillListedWithoutAName) {
    const qint32 apple = storeFood(s("Apple"), 4, 4, 4, 4);
    const qint32 gone = storeFood(s("Quince"), 1, 1, 1, 1);
    const qint32 recipe = storeRecipe(s("Jam"));
    storeIngredient(recipe, apple, 4, 4, 4, 4, s("3"));
    storeIngredient(recipe, gone, 1, 1, 1, 1, s("1"));
    deleteFood(gone);
    auto w = openList();
    click(w->changeButton());
    UpRecepies* f = recipeForm(*w);
    ASSERT_NE(f, nullptr);
    QAbstractItemModelTester tester(&f->ingredients().model(),
                                    QAbstractItemModelTester::FailureReportingMode::Warning);
    EXPECT_EQ(column(f->ingredients(), 0), (QStringList{s("Apple"), QString()}));
    EXPECT_EQ(column(f->ingredients(), 1), (QStringList{s("3"), s("1")}));
    // Its copied codes still count.
    EXPECT_EQ(ratingsShown(f), (QStringList{s("Avoid"), s("Avoid"), s("Avoid"), s("Avoid")}));
}

TEST_F(UpRecepiesTest, ANewRecipeGivenUpTakesItsIngredientLinesWithIt) {
    storeFood(s("Apple"), 4, 4, 4, 4);
    const qint32 kept = storeRecipe(s("Pie"));
    storeIngredient(kept, 1, 4, 4, 4, 4);
    auto w = openList();
    click(w->insertButton());
    UpRecepies* f = recipeForm(*w);
    ASSERT_NE(f, nullptr);
    click(f->insertButton());
    UpdIngedients* g = ingredientForm(f);
    ASSERT_NE(g, nullptr);
    addIngredient(g, s("a"), s("1"));
    click(g->cancelButton());
    EXPECT_EQ(storedIngredients().size(), 2);

    messages.script({Answer::No});
    click(f->cancelButton());
    EXPECT_EQ(messages.titles(), (QStringList{s("Save Record")}));
    ASSERT_TRUE(f->hasEnded());
    const QVector<StoredRecipe> recipes = storedRecipes();
    ASSERT_EQ(recipes.size(), 1);
    EXPECT_EQ(recipes.first().id, kept);
    const QVector<StoredIngredient> lines = storedIngredients();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.first().recipe, kept);

    // The number given back goes to the next new recipe, which starts without lines.
    click(w->insertButton());
    f = recipeForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->ingredients().rowCount(), 0);
    click(f->cancelButton());
}

TEST_F(UpRecepiesTest, AViewRequestShowsRecomputedRatingsAndCallsNoIngredientForm) {
    const qint32 carrot = storeFood(s("Carrot"), 2, 2, 2, 2);
    const qint32 recipe = storeRecipe(s("Stew"), {s("Avoid")});
    storeIngredient(recipe, carrot, 2, 2, 2, 2);
    auto session = newSession();
    session->store().relation(TableId::Recepie).open();
    ASSERT_TRUE(session->store().table(TableId::Recepie).fetch(s("REC:KEYID"), {recipe}).ok());
    platform::Response answer = platform::Response::None;
    auto call = platform::UpdateCall::start(*session, Request::View, platform::UpdateForm::procedure<UpRecepies>(services),
                                            nullptr, [&answer](platform::Response r) { answer = r; });
    auto* f = qobject_cast<UpRecepies*>(call->form());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->actionMessage()->text(), s("View Record"));
    EXPECT_EQ(ratingsShown(f), (QStringList{s("Neutral"), s("Neutral"), s("Neutral"), s("Neutral")}));
    EXPECT_FALSE(f->insertButton()->isEnabled());
    QTest::mouseDClick(f->ingredientView()->viewport(), Qt::LeftButton, {},
                       f->ingredientView()->visualRect(f->ingredients().model().index(0, 0)).center());
    EXPECT_FALSE(f->ingredients().formOpen());
    click(f->okButton());
    EXPECT_EQ(answer, platform::Response::Cancelled);
    EXPECT_EQ(storedRecipes().first().rates.first(), s("Avoid"));
}

TEST_F(UpRecepiesTest, ResizingMovesTheListsDownAndWidensThemWhileTheNameFieldsStay) {
    storeRecipe(s("Stew"));
    auto w = openList();
    click(w->changeButton());
    UpRecepies* f = recipeForm(*w);
    ASSERT_NE(f, nullptr);
    const platform::DialogUnits du(f->font());
    EXPECT_EQ(f->minimumSize(), du.size(497, 286));
    const QRect name = f->nameEdit()->geometry();
    const QRect list = f->ingredientView()->geometry();
    const QRect method = f->methodEdit()->geometry();
    const QRect ok = f->okButton()->geometry();
    f->resize(f->width() + 100, f->height() + 60);
    QTRY_COMPARE(f->ingredientView()->width(), list.width() + 100);
    EXPECT_EQ(f->nameEdit()->geometry(), name);
    EXPECT_EQ(f->ingredientView()->geometry().topLeft(), list.topLeft() + QPoint(0, 60));
    EXPECT_EQ(f->ingredientView()->height(), list.height());
    EXPECT_EQ(f->methodEdit()->geometry(), method.translated(0, 60).adjusted(0, 0, 100, 0));
    EXPECT_EQ(f->okButton()->geometry(), ok.translated(0, 60));
    EXPECT_EQ(f->insertButton()->x(), du.x(24));
    click(f->cancelButton());
}

}  // namespace
