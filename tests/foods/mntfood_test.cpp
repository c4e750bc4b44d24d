// The food item form, opened from the food list as a user does: a batch of new foods with the remembered
// group, the text-insert buttons, a food without a group and a food whose group was renamed; checking
// what the form shows, the questions asked and what FOOD.TPS then holds.

#include "foodtesting.h"

#include <QButtonGroup>

using namespace nm;
using namespace nm::platform;
using foods::BrowseFood;
using foods::MntFood;
using nm::testing::StoredFood;

namespace {

class MntFoodTest : public nm::testing::FoodWindowTest {
protected:
    void SetUp() override {
        FoodWindowTest::SetUp();
        fruit = addGroup(QStringLiteral("Fruit"), QString());
        nuts = addGroup(QStringLiteral("Nuts"), QString());
    }

    static QLineEdit* name(MntFood* f) { return child<QLineEdit>(f, "FOO:NAME"); }
    static QComboBox* group(MntFood* f) { return child<QComboBox>(f, "GRP:TYPE"); }
    static QPlainTextEdit* notes(MntFood* f) { return child<QPlainTextEdit>(f, "FOO:NOTES"); }
    static QRadioButton* radio(MntFood* f, const char* name) { return child<QRadioButton>(f, name); }
    // The checked radio button of each rating group, A, B, AB, O.
    static QStringList ratings(MntFood* f) {
        QStringList out;
        for (const char* g : {"FOO:BLOODA", "FOO:BLOODB", "FOO:BLOODAB", "FOO:BLOODO"}) {
            QString checked = QStringLiteral("<none>");
            for (QRadioButton* r : child<QGroupBox>(f, g)->findChildren<QRadioButton*>()) {
                if (r->isChecked())
                    checked = r->text();
            }
            out << checked;
        }
        return out;
    }
    static QString action(MntFood* f) { return f->actionMessage()->text(); }

    // Chooses a group with the keyboard, as a user does on a closed drop-down list.
    static void chooseGroup(MntFood* f, int downs) {
        QComboBox* combo = group(f);
        combo->setFocus();
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
    }

    static const StoredFood* find(const QVector<StoredFood>& foods, const QString& n) {
        for (const StoredFood& f : foods) {
            if (f.name == n)
                return &f;
        }
        return nullptr;
    }

    qint32 fruit = 0, nuts = 0;
};

const QStringList kAllNa{QStringLiteral("N/A"), QStringLiteral("N/A"), QStringLiteral("N/A"), QStringLiteral("N/A")};

TEST_F(MntFoodTest, NewFoodOpensEmptyWithNoGroupAndEveryRatingNotApplicable) {
    storeFood({QStringLiteral("Banana"), 4, 2, 1, 0, fruit, QStringLiteral("Fruit"), QString()});
    auto w = openList();   // Banana highlighted: its group is in the buffer until Add clears it
    click(w.get(), "INSERT");
    MntFood* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("Update Food Item..."));
    EXPECT_EQ(action(f), QStringLiteral("Record will be Added"));
    EXPECT_EQ(name(f)->text(), QString());
    EXPECT_EQ(f->focusWidget(), name(f));   // the focus starts in the food name
    EXPECT_EQ(name(f)->toolTip(), QStringLiteral("Food Name"));
    EXPECT_EQ(group(f)->currentIndex(), -1);
    EXPECT_EQ(group(f)->count(), 2);
    EXPECT_EQ(group(f)->itemText(0), QStringLiteral("Fruit"));
    EXPECT_EQ(ratings(f), kAllNa);
    for (const char* picture : {"IMAGE1", "IMAGE2", "IMAGE3"})
        EXPECT_FALSE(child<QLabel>(f, picture)->pixmap().isNull()) << picture;
    EXPECT_EQ(child<QGroupBox>(f, "FOO:BLOODAB")->title(), QStringLiteral("Group AB"));
    QTest::keyClick(name(f), Qt::Key_F1);
    EXPECT_EQ(help.topics, QStringList{QStringLiteral("Nutrimap.chm::/adding_or_changing_items.htm")});

    // Untouched: Cancel closes without a question and stores nothing.
    QTest::mouseClick(f->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_TRUE(messages.entries().isEmpty());
    EXPECT_EQ(storedFoods().size(), 1);
}

TEST_F(MntFoodTest, TwoFoodsInABatchShareTheGroupChosenOnce) {
    auto w = openList();
    click(w.get(), "INSERT");
    MntFood* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClicks(name(f), QStringLiteral("Kiwi"));
    chooseGroup(f, 1);
    EXPECT_EQ(group(f)->currentText(), QStringLiteral("Fruit"));
    click(f, "FOO:BLOODA:BENIFIT");
    click(f, "FOO:BLOODO:AVOID");
    click(f, "OK");

    // Still open on a fresh food, preset with the remembered group, which the list keeps showing.
    ASSERT_EQ(form(*w), f);
    EXPECT_EQ(action(f), QStringLiteral("Record will be Added"));
    EXPECT_EQ(name(f)->text(), QString());
    EXPECT_EQ(group(f)->currentText(), QStringLiteral("Fruit"));
    EXPECT_EQ(ratings(f), kAllNa);
    EXPECT_EQ(f->rememberedGroupId(), fruit);
    EXPECT_EQ(f->rememberedGroupName(), QStringLiteral("Fruit"));

    // Ctrl+H brings back the previous food's values, also on a rating's radio button.
    QTest::keyClick(name(f), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(name(f)->text(), QStringLiteral("Kiwi"));
    radio(f, "FOO:BLOODO:NA")->setFocus();
    QTest::keyClick(radio(f, "FOO:BLOODO:NA"), Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(radio(f, "FOO:BLOODO:AVOID")->isChecked());
    name(f)->selectAll();
    QTest::keyClicks(name(f), QStringLiteral("Lime"));
    click(f, "OK");

    // The third, untouched food: Cancel asks nothing, the list highlights the last food added.
    ASSERT_EQ(form(*w), f);
    click(f, "CANCEL");
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_TRUE(messages.entries().isEmpty()) << messages.titles().join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(nm::testing::highlightedText(w->list()), QStringLiteral("Lime"));

    const QVector<StoredFood> stored = storedFoods();
    ASSERT_EQ(stored.size(), 2);
    const StoredFood* kiwi = find(stored, QStringLiteral("Kiwi"));
    const StoredFood* lime = find(stored, QStringLiteral("Lime"));
    ASSERT_TRUE(kiwi && lime);
    EXPECT_EQ(kiwi->groupId, fruit);
    EXPECT_EQ(kiwi->groupName, QStringLiteral("Fruit"));
    EXPECT_EQ(kiwi->a, 4);
    EXPECT_EQ(kiwi->o, 1);
    EXPECT_EQ(kiwi->b, 0);
    EXPECT_EQ(lime->groupId, fruit);
    EXPECT_EQ(lime->groupName, QStringLiteral("Fruit"));
    EXPECT_EQ(lime->o, 1);
    EXPECT_EQ(nm::testing::columnTexts(w->list(), 9), (QStringList{QStringLiteral("Fruit"), QStringLiteral("Fruit")}));
}

TEST_F(MntFoodTest, TextInsertButtonsWriteLabelsAndLeaveTheCaretAfterTheText) {
    auto w = openList();
    click(w.get(), "INSERT");
    MntFood* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClicks(name(f), QStringLiteral("Walnut"));

    click(f, "BUTTONA");
    EXPECT_EQ(f->focusWidget(), notes(f));
    EXPECT_EQ(notes(f)->toPlainText(), QStringLiteral("Type A:"));
    EXPECT_EQ(notes(f)->textCursor().position(), 7);
    EXPECT_FALSE(notes(f)->textCursor().hasSelection());
    QTest::keyClicks(notes(f), QStringLiteral("nuts"));
    EXPECT_EQ(notes(f)->toPlainText(), QStringLiteral("Type A:nuts"));
    click(f, "BUTTONBEN");
    EXPECT_EQ(notes(f)->toPlainText(), QStringLiteral("Type A:nutsBENEFICIAL:"));
    click(f, "BUTTONB");
    EXPECT_EQ(notes(f)->toPlainText(), QStringLiteral("Type A:nutsBENEFICIAL:\nType B:"));
    EXPECT_EQ(notes(f)->textCursor().position(), notes(f)->toPlainText().size());
    click(f, "BUTTONNON");
    click(f, "BUTTONNEUT");
    EXPECT_EQ(notes(f)->toPlainText(),
              QStringLiteral("Type A:nutsBENEFICIAL:\nType B:Non-secretor variant:NEUTRAL:"));

    // The name typed before the button was taken along and stays.
    EXPECT_EQ(name(f)->text(), QStringLiteral("Walnut"));
    click(f, "OK");
    click(f, "CANCEL");
    const QVector<StoredFood> stored = storedFoods();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored[0].notes, QStringLiteral("Type A:nutsBENEFICIAL:\r\nType B:Non-secretor variant:NEUTRAL:"));

    // Notes at their full length take no more.
    w->list().setCurrentRow(0);
    click(w.get(), "CHANGE");
    f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    notes(f)->setPlainText(QString(1000, QLatin1Char('x')));
    click(f, "BUTTONAVOID");
    EXPECT_EQ(notes(f)->toPlainText(), QString(1000, QLatin1Char('x')));
    click(f, "CANCEL");   // changed: "Save Record", answered by its default, Cancel
    EXPECT_EQ(messages.titles(), QStringList{QStringLiteral("Save Record")});
    messages.script({Answer::No});
    click(f, "CANCEL");
    EXPECT_EQ(form(*w), nullptr);
}

TEST_F(MntFoodTest, FoodWithoutGroupShowsNoGroupEvenAfterAFoodWithOne) {
    storeFood({QStringLiteral("Apple"), 4, 4, 4, 4, fruit, QStringLiteral("Fruit"), QString()});
    storeFood({QStringLiteral("Water"), 0, 2, 0, 0, 0, QString(), QString()});
    auto w = openList();
    EXPECT_EQ(nm::testing::columnTexts(w->list(), 9), (QStringList{QStringLiteral("Fruit"), QString()}));
    auto* view = child<QTableView>(w.get(), "LIST");
    QTest::keyClick(view, Qt::Key_Down);   // from Apple (Fruit) to Water
    ASSERT_EQ(nm::testing::highlightedText(w->list()), QStringLiteral("Water"));
    QTest::keyClick(view, Qt::Key_Return);   // Enter presses Change
    MntFood* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(action(f), QStringLiteral("Record will be Changed"));
    EXPECT_EQ(name(f)->text(), QStringLiteral("Water"));
    EXPECT_EQ(group(f)->currentIndex(), -1);
    EXPECT_EQ(ratings(f), (QStringList{QStringLiteral("N/A"), QStringLiteral("Neutral"), QStringLiteral("N/A"),
                                       QStringLiteral("N/A")}));
    click(f, "OK");   // nothing changed: nothing written, no question
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_TRUE(messages.entries().isEmpty());
    const QVector<StoredFood> stored = storedFoods();
    const StoredFood* water = find(stored, QStringLiteral("Water"));
    ASSERT_TRUE(water);
    EXPECT_EQ(water->groupId, 0);
    EXPECT_EQ(water->groupName, QString());
}

TEST_F(MntFoodTest, RenamedGroupIsSelectedByItsNewNameWhichTheFoodTakesOnOk) {
    storeFood({QStringLiteral("Banana"), 4, 2, 1, 0, fruit, QStringLiteral("Fruit"), QString()});
    renameGroup(fruit, QStringLiteral("Soft fruit"));
    auto w = openList();
    EXPECT_EQ(nm::testing::columnTexts(w->list(), 9), QStringList{QStringLiteral("Soft fruit")});

    click(w.get(), "CHANGE");
    MntFood* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(group(f)->currentText(), QStringLiteral("Soft fruit"));
    // The food now differs from its saved copy although nothing was typed.
    messages.script({Answer::No});
    click(f, "CANCEL");
    EXPECT_EQ(messages.titles(), QStringList{QStringLiteral("Save Record")});
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(storedFoods()[0].groupName, QStringLiteral("Fruit"));

    click(w.get(), "CHANGE");
    f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    click(f, "OK");
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(storedFoods()[0].groupName, QStringLiteral("Soft fruit"));
    EXPECT_EQ(storedFoods()[0].groupId, fruit);
}

TEST_F(MntFoodTest, GroupSharingItsNameLinksTheFoodToTheFirstOfThatName) {
    const qint32 second = addGroup(QStringLiteral("Fruit"), QStringLiteral("the other one"));
    storeFood({QStringLiteral("Fig"), 4, 4, 4, 4, second, QStringLiteral("Fruit"), QString()});
    auto w = openList();
    click(w.get(), "CHANGE");
    MntFood* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(group(f)->currentIndex(), 0);
    click(f, "OK");
    EXPECT_EQ(storedFoods()[0].groupId, fruit);

    // Choosing the other group by hand links the food to it.
    click(w.get(), "CHANGE");
    f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    chooseGroup(f, 2);   // Fruit, Fruit, Nuts: two down from the first
    EXPECT_EQ(group(f)->currentText(), QStringLiteral("Nuts"));
    click(f, "OK");
    EXPECT_EQ(storedFoods()[0].groupId, nuts);
    EXPECT_EQ(storedFoods()[0].groupName, QStringLiteral("Nuts"));
}

}  // namespace
