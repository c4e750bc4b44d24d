// The ingredient form's food lookup: completion while typing, Backspace, leaving the field, and adding a
// food that does not exist yet through the food item form.

#include "recipetesting.h"

#include <QRadioButton>

using namespace nm;
using namespace nm::recipes;
using namespace nm::recipes::testing;
using platform::Request;

namespace {

class UpdIngedientsTest : public RecipeWindowTest {
protected:
    void SetUp() override {
        RecipeWindowTest::SetUp();
        // Codes O, A, B, AB.
        almond = storeFood(s("almond"), 4, 4, 0, 2, s("Nuts"));
        apple = storeFood(s("Apple"), 1, 2, 4, 0, s("Fruit"));
        storeFood(s("Banana"), 2, 2, 2, 2, s("Fruit"));
        recipe = storeRecipe(s("Salad"));
    }

    // The recipe list, the recipe form on "Salad" and the ingredient form for a new line.
    UpdIngedients* openNewIngredient() {
        list = openList();
        click(list->changeButton());
        form = recipeForm(*list);
        EXPECT_NE(form, nullptr);
        if (!form)
            return nullptr;
        click(form->insertButton());
        return ingredientForm(form);
    }

    static QString selectedTail(UpdIngedients* g) { return g->lookup()->lineEdit()->selectedText(); }
    qint32 ingredientFood() { return list->session().store().buffer(TableId::RecepieIng).integer(s("REI:KEYIDFOOD")); }

    qint32 almond = 0, apple = 0, recipe = 0;
    std::unique_ptr<BrRecepies> list;
    UpRecepies* form = nullptr;
};

TEST_F(UpdIngedientsTest, TypingCompletesToTheFirstFoodInNameOrderWhateverTheCase) {
    UpdIngedients* g = openNewIngredient();
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), g->lookup());

    typeFood(g, s("A"));
    EXPECT_EQ(g->lookup()->currentText(), s("almond"));
    EXPECT_EQ(selectedTail(g), s("lmond"));
    EXPECT_EQ(ingredientFood(), almond);
    EXPECT_EQ(g->benefitText()->text(), s("O, A"));
    EXPECT_EQ(g->neutralText()->text(), s("AB"));
    EXPECT_EQ(g->avoidText()->text(), QString());
    EXPECT_EQ(g->groupName()->text(), s("Nuts"));

    // The next key replaces the selected tail and narrows the choice.
    QTest::keyClicks(g->lookup(), s("p"));
    EXPECT_EQ(g->lookup()->currentText(), s("Apple"));
    EXPECT_EQ(selectedTail(g), s("ple"));
    EXPECT_EQ(ingredientFood(), apple);
    EXPECT_EQ(g->benefitText()->text(), s("B"));
    EXPECT_EQ(g->neutralText()->text(), s("A"));
    EXPECT_EQ(g->avoidText()->text(), s("O"));
    EXPECT_EQ(g->groupName()->text(), s("Fruit"));

    // Backspace drops the last typed character, not just the tail: "A" completes to "almond" again.
    QTest::keyClick(g->lookup(), Qt::Key_Backspace);
    EXPECT_EQ(g->lookup()->currentText(), s("almond"));
    EXPECT_EQ(selectedTail(g), s("lmond"));
    EXPECT_EQ(ingredientFood(), almond);

    // A text no food begins with stays as typed; the current food stays as it was.
    QTest::keyClick(g->lookup(), Qt::Key_Backspace);
    QTest::keyClicks(g->lookup(), s("x"));
    EXPECT_EQ(g->lookup()->currentText(), s("x"));
    EXPECT_EQ(ingredientFood(), almond);
    EXPECT_EQ(g->benefitText()->text(), s("O, A"));
}

TEST_F(UpdIngedientsTest, LeavingWithAMissingNameAddsTheFoodAndSelectsIt) {
    UpdIngedients* g = openNewIngredient();
    ASSERT_NE(g, nullptr);
    typeFood(g, s("Quince"));
    EXPECT_EQ(g->lookup()->currentText(), s("Quince"));
    QTest::keyClick(g->lookup(), Qt::Key_Tab);

    foods::MntFood* m = foodForm(g);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->request(), Request::Insert);
    EXPECT_EQ(m->actionMessage()->text(), s("Record will be Added"));
    EXPECT_EQ(child<QLineEdit>(m, "FOO:NAME")->text(), s("Quince"));
    EXPECT_TRUE(messages.entries().isEmpty());   // no confirmation first
    // While the food item form is open the ingredient form takes no input.
    EXPECT_FALSE(g->okButton()->isEnabled());

    click(child<QRadioButton>(m, "FOO:BLOODO:BENIFIT"));
    click(child<QRadioButton>(m, "FOO:BLOODAB:AVOID"));
    click(m->okButton());
    // The food item form adds in a batch: an untouched next food is cancelled without a question.
    ASSERT_FALSE(m->hasEnded());
    click(m->cancelButton());
    ASSERT_EQ(g->foodForm(), nullptr);
    EXPECT_TRUE(messages.entries().isEmpty());

    const qint32 quince = list->session().store().buffer(TableId::Food).integer(s("FOO:KEYIDFOOD"));
    EXPECT_GT(quince, apple);
    EXPECT_EQ(g->lookup()->currentText(), s("Quince"));
    EXPECT_EQ(g->lookup()->foodCount(), 4);
    EXPECT_EQ(ingredientFood(), quince);
    EXPECT_EQ(g->benefitText()->text(), s("O"));
    EXPECT_EQ(g->avoidText()->text(), s("AB"));
    EXPECT_TRUE(g->okButton()->isEnabled());
    EXPECT_TRUE(waitActive(g));
    EXPECT_EQ(QApplication::focusWidget(), g->lookup());

    typeInto(g->quantityEdit(), s("2"));
    click(g->okButton());
    click(g->cancelButton());
    ASSERT_TRUE(g->hasEnded());
    const QVector<StoredIngredient> lines = storedIngredients();
    ASSERT_EQ(lines.size(), 1);   // the number reserved for the next, untouched line was given back
    EXPECT_EQ(lines.first().food, quince);
    EXPECT_EQ(lines.first().recipe, recipe);
    EXPECT_EQ(lines.first().texts, (QStringList{s("O"), QString(), s("AB")}));
    EXPECT_EQ(lines.first().copies, (QList<int>{4, 0, 0, 1}));
    EXPECT_EQ(column(form->ingredients(), 0), (QStringList{s("Quince")}));
}

TEST_F(UpdIngedientsTest, ACancelledFoodItemFormEmptiesTheLookup) {
    UpdIngedients* g = openNewIngredient();
    ASSERT_NE(g, nullptr);
    typeFood(g, s("a"));
    EXPECT_EQ(ingredientFood(), almond);
    g->lookup()->lineEdit()->selectAll();
    QTest::keyClicks(g->lookup(), s("Zest"));
    // Clicking OK leaves the field first: the food item form opens and OK stores nothing meanwhile.
    click(g->okButton());
    foods::MntFood* m = foodForm(g);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(child<QLineEdit>(m, "FOO:NAME")->text(), s("Zest"));
    EXPECT_TRUE(linesOf(recipe).isEmpty());

    // The name came with the new food, so cancelling the untouched form asks nothing.
    click(m->cancelButton());
    ASSERT_EQ(g->foodForm(), nullptr);
    EXPECT_TRUE(messages.entries().isEmpty());
    EXPECT_EQ(g->lookup()->currentText(), QString());
    EXPECT_EQ(g->lookup()->current(), -1);
    EXPECT_EQ(ingredientFood(), 0);
    EXPECT_TRUE(waitActive(g));
    EXPECT_EQ(QApplication::focusWidget(), g->lookup());
    EXPECT_EQ(g->lookup()->foodCount(), 3);
    platform::Session reader(messages, dir.path());
    store::View foods(reader.store(), TableId::Food, s("FOO:KEYID"));
    QVector<store::ViewRow> rows;
    ASSERT_TRUE(foods.load(rows).ok());
    EXPECT_EQ(rows.size(), 3);
    click(g->cancelButton());
}

TEST_F(UpdIngedientsTest, EmptyingTheLookupLeavesTheIngredientWithoutAFoodButKeepsTheTexts) {
    const qint32 line = storeIngredient(recipe, apple, 1, 2, 4, 0);
    Q_UNUSED(line);
    list = openList();
    click(list->changeButton());
    form = recipeForm(*list);
    ASSERT_NE(form, nullptr);
    click(form->changeButton());
    UpdIngedients* g = ingredientForm(form);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->lookup()->currentText(), s("Apple"));
    EXPECT_EQ(g->groupName()->text(), s("Fruit"));
    g->lookup()->lineEdit()->selectAll();
    QTest::keyClick(g->lookup(), Qt::Key_Delete);
    QTest::keyClick(g->lookup(), Qt::Key_Tab);
    EXPECT_EQ(g->lookup()->currentText(), QString());
    EXPECT_EQ(ingredientFood(), 0);
    EXPECT_EQ(g->foodForm(), nullptr);
    click(g->okButton());
    ASSERT_TRUE(g->hasEnded());
    const QVector<StoredIngredient> lines = storedIngredients();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.first().food, 0);
    EXPECT_EQ(lines.first().copies, (QList<int>{1, 2, 4, 0}));
}

TEST_F(UpdIngedientsTest, AStoredIngredientKeepsItsTextsUntilAFoodIsChosenAgain) {
    // The food's ratings changed after the line was stored with other copies and texts.
    platform::Session writer(messages, dir.path());
    store::TableManager& table = writer.store().table(TableId::RecepieIng);
    ASSERT_TRUE(table.primeAutoInc().ok());
    store::Record& r = table.buffer();
    r.setInteger(s("REI:KEYIDRECEPIE"), recipe);
    r.setInteger(s("REI:KEYIDFOOD"), apple);
    r.setText(s("REI:BENEFIT"), s("O, A, B, AB"));
    for (const char* f : {"REI:BLOODO", "REI:BLOODA", "REI:BLOODB", "REI:BLOODAB"})
        r.setInteger(s(f), 4);
    ASSERT_TRUE(writer.store().relation(TableId::RecepieIng).insert().ok());

    list = openList();
    click(list->changeButton());
    form = recipeForm(*list);
    ASSERT_NE(form, nullptr);
    click(form->changeButton());
    UpdIngedients* g = ingredientForm(form);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->benefitText()->text(), s("O, A, B, AB"));
    // Passing through the lookup without choosing changes nothing, so Cancel asks nothing.
    QTest::keyClick(g->lookup(), Qt::Key_Tab);
    EXPECT_EQ(g->benefitText()->text(), s("O, A, B, AB"));
    click(g->cancelButton());
    EXPECT_TRUE(messages.entries().isEmpty());
    EXPECT_TRUE(g->hasEnded());
}

TEST_F(UpdIngedientsTest, CtrlHOffersThePreviousLinesQuantityAndNotesInABatch) {
    UpdIngedients* g = openNewIngredient();
    ASSERT_NE(g, nullptr);
    // Before any OK on this list's thread the ditto copy is blank.
    typeInto(g->quantityEdit(), s("5 g"));
    QTest::keyClick(g->quantityEdit(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(g->quantityEdit()->text(), QString());

    typeFood(g, s("b"));
    typeInto(g->quantityEdit(), s("2 cups"));
    typeInto(g->notesEdit(), s("ripe"));
    click(g->okButton());
    ASSERT_FALSE(g->hasEnded());
    EXPECT_EQ(g->quantityEdit()->text(), QString());
    g->quantityEdit()->setFocus();
    QTest::keyClick(g->quantityEdit(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(g->quantityEdit()->text(), s("2 cups"));
    g->notesEdit()->setFocus();
    QTest::keyClick(g->notesEdit(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(g->notesEdit()->text(), s("ripe"));
    // The lookup is no ditto field.
    g->lookup()->setFocus();
    QTest::keyClick(g->lookup(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(g->lookup()->currentText(), QString());
    EXPECT_EQ(ingredientFood(), 0);

    // Cancel now asks, since the next line was typed into; No ends the batch with the first line only.
    messages.script({Answer::No});
    click(g->cancelButton());
    EXPECT_EQ(messages.titles(), (QStringList{s("Save Record")}));
    ASSERT_TRUE(g->hasEnded());
    const QVector<StoredIngredient> lines = storedIngredients();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.first().quantity, s("2 cups"));
    EXPECT_EQ(form->ingredients().currentRow(), 0);
}

}  // namespace
