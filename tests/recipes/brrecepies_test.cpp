// The recipe list as a user sees it: rows in name order with the stored ratings, the method of the
// highlighted recipe, the step locator, and deleting a recipe.

#include "recipetesting.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>

using namespace nm;
using namespace nm::recipes;
using namespace nm::recipes::testing;
using Kind = platform::ScriptedMessages::Kind;

namespace {

class BrRecepiesTest : public RecipeWindowTest {};

TEST_F(BrRecepiesTest, ShowsRecipesInNameOrderWithTheirRatingsAndTheHighlightedMethod) {
    storeRecipe(s("soup"), {s("Benefit"), s("Avoid"), QString(), s("Neutral")}, s("Boil it."), s("Hot"));
    storeRecipe(s("Apple cake"), {s("Neutral"), s("Neutral"), s("Neutral"), s("Neutral")}, s("Bake it."));
    storeRecipe(s("bread"), {}, QString());
    auto w = openList();
    QAbstractItemModelTester tester(&w->list().model(), QAbstractItemModelTester::FailureReportingMode::Warning);

    EXPECT_EQ(w->windowTitle(), s("Browse Recipes..."));
    const QStringList headers{s("Name"), s("Summary"), s("A"), s("B"), s("AB"), s("O")};
    for (int c = 0; c < headers.size(); ++c) {
        EXPECT_EQ(w->list().model().headerData(c, Qt::Horizontal).toString(), headers.at(c));
        const auto align = w->list().model().headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>();
        EXPECT_EQ(bool(align & Qt::AlignHCenter), c >= 2) << c;
    }
    EXPECT_EQ(column(w->list(), 0), (QStringList{s("Apple cake"), s("bread"), s("soup")}));
    EXPECT_EQ(column(w->list(), 1), (QStringList{QString(), QString(), s("Hot")}));
    // A, B, AB, O of "soup"; "bread" has no ratings yet and shows blank cells.
    QStringList soup, bread;
    for (int c = 2; c < 6; ++c) {
        soup << w->list().model().index(2, c).data().toString();
        bread << w->list().model().index(1, c).data().toString();
    }
    EXPECT_EQ(soup, (QStringList{s("Benefit"), s("Avoid"), QString(), s("Neutral")}));
    EXPECT_EQ(bread, (QStringList{QString(), QString(), QString(), QString()}));

    // The method box follows the highlight, from the first row on.
    EXPECT_EQ(w->methodBox()->toPlainText(), s("Bake it."));
    w->list().setCurrentRow(2);
    EXPECT_EQ(w->methodBox()->toPlainText(), s("Boil it."));
    w->list().setCurrentRow(1);
    EXPECT_EQ(w->methodBox()->toPlainText(), QString());

    EXPECT_TRUE(w->selectButton()->isHidden());
    EXPECT_EQ(w->insertButton()->text(), s("&Add"));
    EXPECT_EQ(w->closeButton()->text(), s("C&lose"));
    EXPECT_EQ(w->listView()->statusTip(), s("Browsing Records"));
    const platform::DialogUnits du(w->font());
    EXPECT_EQ(w->minimumSize(), du.size(507, 302));
}

TEST_F(BrRecepiesTest, TypingAnInitialInEitherCaseMovesToTheFirstRecipeWithIt) {
    storeRecipe(s("Apple cake"));
    storeRecipe(s("bean stew"));
    storeRecipe(s("Borscht"));
    storeRecipe(s("soup"));
    auto w = openList();
    w->listView()->setFocus();
    QTest::keyClick(w->listView(), 'B');
    EXPECT_EQ(w->list().currentRow(), 1);
    QTest::keyClick(w->listView(), 's');
    EXPECT_EQ(w->list().currentRow(), 3);
    QTest::keyClick(w->listView(), 'b');
    EXPECT_EQ(w->list().currentRow(), 1);
    EXPECT_EQ(w->methodBox()->toPlainText(), QString());
}

TEST_F(BrRecepiesTest, AnEmptyTableShowsNothingToChangeOrDelete) {
    auto w = openList();
    EXPECT_EQ(w->list().rowCount(), 0);
    EXPECT_FALSE(w->changeButton()->isEnabled());
    EXPECT_FALSE(w->deleteButton()->isEnabled());
    EXPECT_TRUE(w->insertButton()->isEnabled());
    EXPECT_EQ(w->methodBox()->toPlainText(), QString());
}

TEST_F(BrRecepiesTest, DeletingARecipeThatStillHasIngredientsIsRefused) {
    const qint32 food = storeFood(s("Apple"), 4, 4, 4, 4);
    const qint32 kept = storeRecipe(s("Apple pie"));
    storeIngredient(kept, food, 4, 4, 4, 4);
    const qint32 bare = storeRecipe(s("Water"));
    auto w = openList();

    messages.script({Answer::Yes});
    click(w->deleteButton());
    ASSERT_EQ(messages.entries().size(), 2);
    EXPECT_EQ(messages.entries().at(0).title, s("Confirm Delete"));
    EXPECT_EQ(messages.entries().at(0).text, s("Are you sure you want to delete the highlighted record?"));
    EXPECT_EQ(messages.entries().at(1).kind, Kind::Notice);
    EXPECT_EQ(messages.entries().at(1).title, s("Referential Integrity Delete Error"));
    EXPECT_EQ(messages.entries().at(1).text,
              s("This record is referenced from the file RecepieIng. This record cannot be deleted while these "
                "references exist."));
    EXPECT_EQ(messages.entries().at(1).procedure, s("UpRecepies"));
    EXPECT_EQ(column(w->list(), 0), (QStringList{s("Apple pie"), s("Water")}));
    EXPECT_EQ(storedIngredients().size(), 1);

    // A recipe without ingredients goes.
    messages.clearEntries();
    w->list().setCurrentRow(1);
    messages.script({Answer::Yes});
    click(w->deleteButton());
    EXPECT_EQ(messages.titles(), (QStringList{s("Confirm Delete")}));
    const QVector<StoredRecipe> left = storedRecipes();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left.first().id, kept);
    EXPECT_NE(left.first().id, bare);
    EXPECT_EQ(column(w->list(), 0), (QStringList{s("Apple pie")}));
}

TEST_F(BrRecepiesTest, OpenedForViewingCallsNoForm) {
    storeRecipe(s("soup"));
    auto w = openList(platform::Request::View);
    EXPECT_FALSE(w->insertButton()->isEnabled());
    EXPECT_FALSE(w->changeButton()->isEnabled());
    EXPECT_FALSE(w->deleteButton()->isEnabled());
    QTest::mouseDClick(w->listView()->viewport(), Qt::LeftButton, {},
                       w->listView()->visualRect(w->list().model().index(0, 0)).center());
    EXPECT_FALSE(w->list().formOpen());
}

}  // namespace
