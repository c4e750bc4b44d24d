// The food list window driven as a user would: clicking the filter boxes and "Clear filter", typing on
// the list on both tabs, and checking the rows, cell texts, colours and icons it shows.

#include "foodtesting.h"

#include "platform/dialogunits.h"
#include "platform/listmodel.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>

using namespace nm;
using namespace nm::platform;
using foods::BrowseFood;

namespace {

enum Column { Name, ATick, ADesc, BTick, BDesc, ABTick, ABDesc, OTick, ODesc, Group };

const QColor kBenefitBg(226, 255, 215);
const QColor kNeutralBg(220, 215, 255);
const QColor kAvoidBg(255, 0, 128);
const QColor kSilver(192, 192, 192);

class BrowseFoodTest : public nm::testing::FoodWindowTest {
protected:
    void SetUp() override {
        FoodWindowTest::SetUp();
        fruit = addGroup(QStringLiteral("Fruit"), QString());
        nuts = addGroup(QStringLiteral("Nuts"), QString());
        alliums = addGroup(QStringLiteral("Alliums"), QString());
        storeFood({QStringLiteral("Banana"), 4, 2, 1, 0, fruit, QStringLiteral("Fruit"), QStringLiteral("Soft")});
        storeFood({QStringLiteral("almond"), 2, 4, 4, 4, nuts, QStringLiteral("Nuts"), QString()});
        storeFood({QStringLiteral("Cherry"), 4, 4, 4, 4, fruit, QStringLiteral("Fruit"), QString()});
        storeFood({QStringLiteral("Water"), 0, 0, 0, 0, 0, QString(), QString()});
        storeFood({QStringLiteral("Apple"), 1, 1, 2, 2, fruit, QStringLiteral("Fruit"),
                   QStringLiteral("Line one\r\nLine two")});
        storeFood({QStringLiteral("Garlic"), 0, 2, 0, 4, alliums, QStringLiteral("Alliums"), QString()});
    }

    static QStringList column(BrowseFood& w, int c) { return nm::testing::columnTexts(w.list(), c); }
    static QModelIndex cell(BrowseFood& w, int row, int c) { return w.list().model().index(row, c); }
    static QColor background(BrowseFood& w, int row, int c) {
        return cell(w, row, c).data(Qt::BackgroundRole).value<QColor>();
    }
    static bool hasIcon(BrowseFood& w, int row, int c) {
        return !cell(w, row, c).data(Qt::DecorationRole).value<QIcon>().isNull();
    }
    static QString description(BrowseFood& w) { return child<QLabel>(&w, "LOC:FILTEREDBY")->text(); }
    static QString search(BrowseFood& w) { return child<QLabel>(&w, "LOC:SEARCH")->text(); }
    static QList<bool> ticked(BrowseFood& w) {
        QList<bool> out;
        for (const char* name : {"LOC:FBENEFIT", "LOC:FNEUTRAL", "LOC:FAVOID", "LOC:FA", "LOC:FB", "LOC:FAB",
                                 "LOC:FO", "LOC:OR"})
            out << child<QCheckBox>(&w, name)->isChecked();
        return out;
    }
    static QString notes(BrowseFood& w) { return child<QPlainTextEdit>(&w, "FOO:NOTES")->toPlainText(); }

    qint32 fruit = 0, nuts = 0, alliums = 0;
};

QStringList words(std::initializer_list<const char*> list) {
    QStringList out;
    for (const char* s : list)
        out << QString::fromUtf8(s);
    return out;
}

TEST_F(BrowseFoodTest, OpensWithEveryBoxTickedAllFoodsColouredAndItsLayout) {
    auto w = openList();
    QAbstractItemModelTester tester(&w->list().model(), QAbstractItemModelTester::FailureReportingMode::Warning);

    EXPECT_EQ(w->windowTitle(), QStringLiteral("Browse Foods... "));
    const DialogUnits du(w->font());
    EXPECT_EQ(w->minimumSize(), du.size(507, 300));
    EXPECT_EQ(description(*w), QStringLiteral("All"));
    EXPECT_TRUE(w->filterExpression().isEmpty());
    EXPECT_EQ(ticked(*w), (QList<bool>{true, true, true, true, true, true, true, false}));

    // Ten columns with their headers and widths.
    const QStringList headers = words({"Name", "", "A", "", "B", "", "AB", "", "O", "Food Group"});
    const int widths[] = {160, 12, 40, 12, 40, 12, 40, 12, 40, 80};
    auto* view = child<QTableView>(w.get(), "LIST");
    ASSERT_EQ(w->list().model().columnCount(), 10);
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(w->list().model().headerData(c, Qt::Horizontal).toString(), headers[c]) << c;
        EXPECT_EQ(view->horizontalHeader()->sectionSize(c), du.x(widths[c])) << c;
    }
    EXPECT_EQ(view->verticalHeader()->defaultSectionSize(), du.y(9));
    EXPECT_EQ(view->geometry(), du.rect(16, 68, 477, 120));

    // All foods in name order, every word and star.
    EXPECT_EQ(column(*w, Name), words({"almond", "Apple", "Banana", "Cherry", "Garlic", "Water"}));
    EXPECT_EQ(column(*w, ADesc), words({"Neutral", "Avoid", "Benefit", "Benefit", "", ""}));
    EXPECT_EQ(column(*w, ATick), words({"", "", " * ", " * ", "", ""}));
    EXPECT_EQ(column(*w, BDesc), words({"Benefit", "Avoid", "Neutral", "Benefit", "Neutral", ""}));
    EXPECT_EQ(column(*w, ABDesc), words({"Benefit", "Neutral", "Avoid", "Benefit", "", ""}));
    EXPECT_EQ(column(*w, ODesc), words({"Benefit", "Neutral", "", "Benefit", "Benefit", ""}));
    EXPECT_EQ(column(*w, OTick), words({"*", "", "", "*", "*", ""}));
    EXPECT_EQ(column(*w, Group), words({"Nuts", "Fruit", "Fruit", "Fruit", "Alliums", ""}));

    // Every blood type is ticked, so every rated cell has its colour and icon.
    EXPECT_EQ(background(*w, 0, ADesc), kNeutralBg);
    EXPECT_EQ(background(*w, 1, BDesc), kAvoidBg);
    EXPECT_EQ(background(*w, 2, ATick), QColor());
    EXPECT_EQ(background(*w, 3, ODesc), kBenefitBg);
    EXPECT_TRUE(hasIcon(*w, 0, ADesc));
    EXPECT_FALSE(hasIcon(*w, 0, ATick));
    EXPECT_EQ(background(*w, 5, ADesc), QColor());   // Water: not rated
    EXPECT_FALSE(hasIcon(*w, 5, ADesc));

    // The first row is highlighted and its notes shown; moving shows the next food's notes.
    EXPECT_EQ(nm::testing::highlightedText(w->list()), QStringLiteral("almond"));
    EXPECT_EQ(notes(*w), QString());
    QTest::keyClick(view, Qt::Key_Down);
    EXPECT_EQ(notes(*w), QStringLiteral("Line one\nLine two"));

    // Tabs, the OR box's texts, the export button, help.
    auto* sheet = child<QTabWidget>(w.get(), "SHEET1");
    EXPECT_EQ(sheet->tabText(0), QStringLiteral("By Food Name"));
    EXPECT_EQ(sheet->tabText(1), QStringLiteral("By Food Group"));
    EXPECT_EQ(sheet->currentIndex(), 0);
    auto* orBox = child<QCheckBox>(w.get(), "LOC:OR");
    EXPECT_EQ(orBox->text(), QStringLiteral("OR (not AND)"));
    EXPECT_EQ(orBox->statusTip(), QStringLiteral("Do not select OR if you only want to see foods that have "
                                                 "selected effect in both lists"));
    EXPECT_EQ(orBox->toolTip(), QStringLiteral("Do not select OR if you only want to see foods\nthat have "
                                               "selected effect in both lists"));
    EXPECT_EQ(view->statusTip(), QStringLiteral("Browsing Records"));
    EXPECT_EQ(child<QPushButton>(w.get(), "EXPORT")->text(), QStringLiteral("Print or Export List"));
    EXPECT_TRUE(child<QPushButton>(w.get(), "SELECT")->isHidden());
    QTest::keyClick(view, Qt::Key_F1);
    EXPECT_EQ(help.topics, QStringList{QStringLiteral("Nutrimap.chm::/searching_the_list.htm")});
}

TEST_F(BrowseFoodTest, ClearFilterThenBenefitAndOShowsOnlyTheOColumnColoured) {
    auto w = openList();
    click(w.get(), "BUTTONCLEARFILTER");
    EXPECT_EQ(description(*w), QStringLiteral("No Filter"));
    EXPECT_EQ(ticked(*w), (QList<bool>(8, false)));
    EXPECT_EQ(w->list().rowCount(), 6);
    // Nothing ticked: every word shown, nothing coloured, no icons.
    EXPECT_EQ(column(*w, ADesc), words({"Neutral", "Avoid", "Benefit", "Benefit", "", ""}));
    EXPECT_EQ(column(*w, OTick), words({"*", "", "", "*", "*", ""}));
    for (int row = 0; row < 6; ++row) {
        for (int c : {ADesc, BDesc, ABDesc, ODesc}) {
            EXPECT_EQ(background(*w, row, c), QColor()) << row << ' ' << c;
            EXPECT_FALSE(hasIcon(*w, row, c)) << row << ' ' << c;
        }
    }

    clickBox(w.get(), "LOC:FBENEFIT");
    clickBox(w.get(), "LOC:FO");
    EXPECT_EQ(description(*w), QStringLiteral("Benefit, O"));
    EXPECT_EQ(w->filterExpression(), QStringLiteral("(FOO:BloodO = 4)"));
    EXPECT_EQ(column(*w, Name), words({"almond", "Cherry", "Garlic"}));
    EXPECT_EQ(column(*w, ODesc), words({"Benefit", "Benefit", "Benefit"}));
    EXPECT_EQ(column(*w, OTick), words({"*", "*", "*"}));
    for (int c : {ATick, ADesc, BTick, BDesc, ABTick, ABDesc})
        EXPECT_EQ(column(*w, c), words({"", "", ""})) << c;
    EXPECT_EQ(background(*w, 0, ODesc), kBenefitBg);
    EXPECT_TRUE(hasIcon(*w, 0, ODesc));
    EXPECT_EQ(background(*w, 0, BDesc), QColor());
    EXPECT_FALSE(hasIcon(*w, 0, BDesc));

    // The highlighted Benefit cell of a ticked blood type: light green on silver; the others black on silver.
    ListDelegate& delegate = w->list().delegate();
    EXPECT_EQ(delegate.coloursFor(cell(*w, 0, ODesc), true).foreground, kBenefitBg);
    EXPECT_EQ(delegate.coloursFor(cell(*w, 0, ODesc), true).background, kSilver);
    EXPECT_EQ(delegate.coloursFor(cell(*w, 0, Name), true).foreground, QColor(Qt::black));
    EXPECT_EQ(delegate.coloursFor(cell(*w, 0, Name), true).background, kSilver);
    EXPECT_EQ(delegate.coloursFor(cell(*w, 0, ODesc), false).foreground, QColor(Qt::black));

    // A as well, AND: only Cherry is beneficial for both; with OR, every food beneficial for either.
    clickBox(w.get(), "LOC:FA");
    EXPECT_EQ(description(*w), QStringLiteral("Benefit, O AND A"));
    EXPECT_EQ(column(*w, Name), words({"Cherry"}));
    clickBox(w.get(), "LOC:OR");
    EXPECT_EQ(description(*w), QStringLiteral("Benefit, O OR A"));
    EXPECT_EQ(column(*w, Name), words({"almond", "Banana", "Cherry", "Garlic"}));
    EXPECT_EQ(column(*w, ADesc), words({"Neutral", "Benefit", "Benefit", ""}));
    EXPECT_EQ(background(*w, 0, ADesc), kNeutralBg);   // A is ticked: its rating is coloured

    // Neutral too: two ratings, the field-order rule, the rated foods of both types.
    clickBox(w.get(), "LOC:FNEUTRAL");
    EXPECT_EQ(description(*w), QStringLiteral("Benefit + Neutral, O OR A"));
    EXPECT_EQ(w->filterExpression(),
              QStringLiteral("(FOO:BloodO = 4 OR FOO:BloodO = 2) OR (FOO:BloodA = 4 OR FOO:BloodA = 2)"));
    EXPECT_EQ(column(*w, Name), words({"almond", "Apple", "Banana", "Cherry", "Garlic"}));

    // Unticking every box one by one: "No Filter," and every food.
    for (const char* name : {"LOC:FBENEFIT", "LOC:FNEUTRAL", "LOC:FO", "LOC:FA", "LOC:OR"})
        clickBox(w.get(), name);
    EXPECT_EQ(ticked(*w), (QList<bool>(8, false)));
    EXPECT_EQ(description(*w), QStringLiteral("No Filter,"));
    EXPECT_EQ(w->list().rowCount(), 6);
}

TEST_F(BrowseFoodTest, BloodTypesWithoutRatingFilterNothingButBlankTheOtherColumns) {
    auto w = openList();
    click(w.get(), "BUTTONCLEARFILTER");
    clickBox(w.get(), "LOC:FB");
    clickBox(w.get(), "LOC:FAB");
    EXPECT_EQ(description(*w), QStringLiteral(", B AND AB"));
    EXPECT_EQ(w->list().rowCount(), 6);
    EXPECT_EQ(column(*w, ADesc), words({"", "", "", "", "", ""}));
    EXPECT_EQ(column(*w, ODesc), words({"", "", "", "", "", ""}));
    EXPECT_EQ(column(*w, BDesc), words({"Benefit", "Avoid", "Neutral", "Benefit", "Neutral", ""}));
    EXPECT_EQ(column(*w, ABTick), words({" * ", "", "", " * ", "", ""}));
    EXPECT_EQ(background(*w, 2, ABDesc), kAvoidBg);

    // Ratings but no blood type: all four must match; Benefit alone leaves only Cherry.
    click(w.get(), "BUTTONCLEARFILTER");
    clickBox(w.get(), "LOC:FBENEFIT");
    EXPECT_EQ(description(*w), QStringLiteral("Benefit,"));
    EXPECT_EQ(column(*w, Name), words({"Cherry"}));
    EXPECT_FALSE(hasIcon(*w, 0, ADesc));   // no blood type ticked: no colours
}

TEST_F(BrowseFoodTest, TypingOnEachTabFindsByItsOwnFieldAndKeepsItsOwnSearchText) {
    auto w = openList();
    auto* view = child<QTableView>(w.get(), "LIST");
    auto* sheet = child<QTabWidget>(w.get(), "SHEET1");

    QTest::keyClicks(view, QStringLiteral("b"));
    EXPECT_EQ(search(*w), QStringLiteral("b"));
    EXPECT_EQ(nm::testing::highlightedText(w->list()), QStringLiteral("Banana"));
    QTest::keyClicks(view, QStringLiteral("z"));   // "bz": the first name at or after it
    EXPECT_EQ(nm::testing::highlightedText(w->list()), QStringLiteral("Cherry"));

    // By group name, then name; the food without a group comes first. The filter stays as it was.
    click(w.get(), "BUTTONCLEARFILTER");
    clickBox(w.get(), "LOC:FA");
    EXPECT_EQ(description(*w), QStringLiteral(", A"));
    sheet->setCurrentIndex(1);
    EXPECT_EQ(description(*w), QStringLiteral(", A"));
    EXPECT_EQ(column(*w, BDesc), words({"", "", "", "", "", ""}));
    EXPECT_EQ(column(*w, Name), words({"Water", "Garlic", "Apple", "Banana", "Cherry", "almond"}));
    EXPECT_EQ(column(*w, Group), words({"", "Alliums", "Fruit", "Fruit", "Fruit", "Nuts"}));
    EXPECT_EQ(search(*w), QString());
    view->setFocus();
    QTest::keyClicks(view, QStringLiteral("a"));
    EXPECT_EQ(nm::testing::highlightedText(w->list()), QStringLiteral("Garlic"));
    QTest::keyClicks(view, QStringLiteral("p"));
    EXPECT_EQ(search(*w), QStringLiteral("ap"));
    EXPECT_EQ(nm::testing::highlightedText(w->list()), QStringLiteral("Apple"));   // first group at or after AP
    QTest::keyClick(view, Qt::Key_Backspace);
    EXPECT_EQ(search(*w), QStringLiteral("a"));
    EXPECT_EQ(nm::testing::highlightedText(w->list()), QStringLiteral("Garlic"));

    // Back on the first tab its own search text returns.
    sheet->setCurrentIndex(0);
    EXPECT_EQ(search(*w), QStringLiteral("bz"));
    EXPECT_EQ(column(*w, Name), words({"almond", "Apple", "Banana", "Cherry", "Garlic", "Water"}));
}

TEST_F(BrowseFoodTest, NotesTypedIntoTheListsBoxAreNeverStored) {
    auto w = openList();
    auto* view = child<QTableView>(w.get(), "LIST");
    QTest::keyClick(view, Qt::Key_Down);   // Apple
    auto* box = child<QPlainTextEdit>(w.get(), "FOO:NOTES");
    QTest::keyClicks(box, QStringLiteral(" more"));
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Up);
    EXPECT_EQ(notes(*w), QStringLiteral("Line one\nLine two"));
    for (const auto& f : storedFoods()) {
        if (f.name == QStringLiteral("Apple")) {
            EXPECT_EQ(f.notes, QStringLiteral("Line one\r\nLine two"));
        }
    }
}

TEST_F(BrowseFoodTest, ChangedRatingReloadsUnderTheSameFilterAndDropsTheFood) {
    auto w = openList();
    click(w.get(), "BUTTONCLEARFILTER");
    clickBox(w.get(), "LOC:FBENEFIT");
    clickBox(w.get(), "LOC:FO");
    ASSERT_EQ(column(*w, Name), words({"almond", "Cherry", "Garlic"}));
    w->list().setCurrentRow(1);
    click(w.get(), "CHANGE");
    foods::MntFood* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    click(f, "FOO:BLOODO:NEUTRAL");
    click(f, "OK");
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(description(*w), QStringLiteral("Benefit, O"));
    EXPECT_EQ(column(*w, Name), words({"almond", "Garlic"}));

    // Back without a filter the food is listed with its new rating.
    click(w.get(), "BUTTONCLEARFILTER");
    const int cherry = int(column(*w, Name).indexOf(QStringLiteral("Cherry")));
    ASSERT_GE(cherry, 0);
    EXPECT_EQ(cell(*w, cherry, ODesc).data().toString(), QStringLiteral("Neutral"));
    EXPECT_EQ(cell(*w, cherry, ADesc).data().toString(), QStringLiteral("Benefit"));
}

TEST_F(BrowseFoodTest, ResizingMovesTheNotesAndButtonsWithTheBottomEdge) {
    auto w = openList();
    auto* view = child<QTableView>(w.get(), "LIST");
    auto* notesBox = child<QPlainTextEdit>(w.get(), "FOO:NOTES");
    auto* add = child<QPushButton>(w.get(), "INSERT");
    auto* filteredBy = child<QLabel>(w.get(), "LOC:FILTEREDBY");
    const QRect list0 = view->geometry(), notes0 = notesBox->geometry(), add0 = add->geometry(),
                label0 = filteredBy->geometry();
    w->resize(w->width() + 100, w->height() + 80);
    QApplication::processEvents();
    EXPECT_EQ(view->geometry(), list0.adjusted(0, 0, 0, 80));
    EXPECT_EQ(notesBox->geometry(), notes0.translated(0, 80));
    EXPECT_EQ(add->geometry(), add0.translated(0, 80));
    EXPECT_EQ(filteredBy->geometry(), label0);
}

TEST_F(BrowseFoodTest, OpenedToViewCallsNoFormAndCutsLongNames) {
    storeFood({QString(55, QLatin1Char('z')), 0, 0, 0, 0, 0, QString(), QString()});
    auto session = newSession();
    session->request = Request::View;
    auto w = std::make_unique<BrowseFood>(services, std::move(session));
    w->show();
    EXPECT_TRUE(child<QPushButton>(w.get(), "SELECT")->isHidden());
    EXPECT_EQ(column(*w, Name).last(), QString(50, QLatin1Char('z')));
    auto* view = child<QTableView>(w.get(), "LIST");
    QTest::keyClick(view, Qt::Key_Insert);
    click(w.get(), "CHANGE");
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_TRUE(messages.entries().isEmpty());
    EXPECT_EQ(storedFoods().size(), 7);
}

}  // namespace
