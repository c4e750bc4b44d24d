// The food group list and form, driven as a user would: keys, clicks, typed text and answers to the
// questions, checking what the windows show and what GROUP.TPS then holds.

#include "foods/browsejobs.h"
#include "foods/mntjobs.h"
#include "platform/dialogunits.h"
#include "platform/focushighlight.h"
#include "platform/list_form/listtesting.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

using namespace nm;
using namespace nm::platform;
using nm::foods::BrowseJobs;
using nm::foods::MnTJobs;
using nm::testing::GroupRow;

namespace {

using Answer = platform::Answer;
using Kind = ScriptedMessages::Kind;

class BrowseJobsTest : public nm::testing::WindowTest {
protected:
    std::unique_ptr<BrowseJobs> openList() {
        auto window = std::make_unique<BrowseJobs>(services, newSession());
        window->show();
        EXPECT_TRUE(nm::testing::waitActive(window.get()));
        return window;
    }

    static MnTJobs* form(BrowseJobs& w) { return qobject_cast<MnTJobs*>(w.list().openForm()); }

    // Waits for the form to be shown and active, as a user would before typing.
    static MnTJobs* waitForm(BrowseJobs& w) {
        MnTJobs* f = form(w);
        if (f) {
            EXPECT_TRUE(nm::testing::waitActive(f));
        }
        return f;
    }

    static void clickOk(MnTJobs* f) { QTest::mouseClick(f->okButton(), Qt::LeftButton); }
    static void clickCancel(MnTJobs* f) { QTest::mouseClick(f->cancelButton(), Qt::LeftButton); }
    static QString actionText(MnTJobs* f) { return f->actionMessage()->text(); }
    static QStringList groupNames(BrowseJobs& w) { return nm::testing::columnTexts(w.list(), 0); }
    static QString highlighted(BrowseJobs& w) { return nm::testing::highlightedText(w.list()); }

    static void typeInto(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
};

TEST_F(BrowseJobsTest, OpensWithItsCaptionColumnsAndButtons) {
    addGroup(QStringLiteral("Meat"), QStringLiteral("Red and white"));
    addGroup(QStringLiteral("dairy"), QStringLiteral("Milk"));
    auto w = openList();
    QAbstractItemModelTester tester(&w->list().model(), QAbstractItemModelTester::FailureReportingMode::Warning);

    EXPECT_EQ(w->windowTitle(), QStringLiteral("Browse Food Groups"));
    EXPECT_EQ(w->list().model().headerData(0, Qt::Horizontal).toString(), QStringLiteral("Group"));
    EXPECT_EQ(w->list().model().headerData(1, Qt::Horizontal).toString(), QStringLiteral("Description"));
    EXPECT_EQ(groupNames(*w), (QStringList{QStringLiteral("dairy"), QStringLiteral("Meat")}));
    EXPECT_EQ(nm::testing::columnTexts(w->list(), 1), (QStringList{QStringLiteral("Milk"), QStringLiteral("Red and white")}));
    EXPECT_EQ(highlighted(*w), QStringLiteral("dairy"));
    EXPECT_TRUE(w->insertButton()->isEnabled());
    EXPECT_TRUE(w->changeButton()->isEnabled());
    EXPECT_TRUE(w->deleteButton()->isEnabled());
    EXPECT_TRUE(w->selectButton()->isHidden());
    EXPECT_EQ(w->insertButton()->text(), QStringLiteral("&Insert"));
    EXPECT_EQ(w->closeButton()->text(), QStringLiteral("Close"));
    EXPECT_EQ(w->listView()->statusTip(), QStringLiteral("Browsing Records"));

    const DialogUnits du(w->font());
    EXPECT_EQ(w->minimumSize(), du.size(388, 329));
    EXPECT_EQ(w->listView()->verticalHeader()->defaultSectionSize(), du.y(9));
    EXPECT_EQ(w->listView()->horizontalHeader()->sectionSize(0), du.x(80));
    EXPECT_EQ(w->listView()->horizontalHeader()->sectionSize(1), du.x(200));
    EXPECT_EQ(w->listView()->geometry().topLeft(), du.rect(16, 18, 1, 1).topLeft());

    // Tab order: list, Insert, Change, Delete, (hidden Select), Close.
    EXPECT_TRUE(w->listView()->hasFocus());
    QStringList chain;
    for (int i = 0; i < 5; ++i) {
        chain << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(chain, (QStringList{QStringLiteral("LIST"), QStringLiteral("INSERT"), QStringLiteral("CHANGE"),
                                  QStringLiteral("DELETE"), QStringLiteral("CLOSE")}));
}

TEST_F(BrowseJobsTest, EmptyListDisablesChangeAndDeleteAndEveryInsertWayAddsAGroup) {
    auto w = openList();
    EXPECT_EQ(w->list().rowCount(), 0);
    EXPECT_FALSE(w->changeButton()->isEnabled());
    EXPECT_FALSE(w->deleteButton()->isEnabled());
    EXPECT_TRUE(w->insertButton()->isEnabled());

    // Change and Delete keys do nothing on an empty list.
    QTest::keyClick(w->listView(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(w->listView(), Qt::Key_Delete);
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_TRUE(messages.entries().isEmpty());

    const QList<std::pair<QString, std::function<void()>>> ways = {
        {QStringLiteral("Insert key"), [&] { QTest::keyClick(w->listView(), Qt::Key_Insert); }},
        {QStringLiteral("Insert button"), [&] { QTest::mouseClick(w->insertButton(), Qt::LeftButton); }},
        {QStringLiteral("context menu"),
         [&] {
             QTest::mouseClick(w->listView()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
             QMenu* menu = w->list().contextMenu();
             ASSERT_NE(menu, nullptr);
             ASSERT_EQ(menu->actions().size(), 3);
             EXPECT_EQ(menu->actions().at(0)->text(), QStringLiteral("&Insert"));
             EXPECT_TRUE(menu->actions().at(0)->isEnabled());
             // Change and Delete are enabled exactly when their buttons are.
             EXPECT_EQ(menu->actions().at(1)->isEnabled(), w->changeButton()->isEnabled());
             EXPECT_EQ(menu->actions().at(2)->isEnabled(), w->deleteButton()->isEnabled());
             menu->actions().at(0)->trigger();
         }},
    };
    int added = 0;
    for (const auto& [way, act] : ways) {
        SCOPED_TRACE(way.toStdString());
        act();
        MnTJobs* f = waitForm(*w);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Update Food Groups"));
        EXPECT_EQ(actionText(f), QStringLiteral("Record will be Added"));
        EXPECT_TRUE(f->typeEdit()->text().isEmpty());
        EXPECT_TRUE(f->typeEdit()->hasFocus());
        // While the form is open the list takes no input.
        EXPECT_FALSE(w->listView()->isEnabled());
        EXPECT_FALSE(w->insertButton()->isEnabled());
        QTest::keyClicks(f->typeEdit(), QStringLiteral("Group %1").arg(++added));
        QTest::keyClicks(f->descriptionEdit(), way);
        clickOk(f);
        EXPECT_EQ(form(*w), nullptr);
        EXPECT_TRUE(w->listView()->isEnabled());
        EXPECT_EQ(highlighted(*w), QStringLiteral("Group %1").arg(added));
        EXPECT_TRUE(w->changeButton()->isEnabled());
        EXPECT_TRUE(w->deleteButton()->isEnabled());
    }
    EXPECT_TRUE(messages.entries().isEmpty());
    EXPECT_EQ(storedGroups(), (QVector<GroupRow>{{1, QStringLiteral("Group 1"), QStringLiteral("Insert key")},
                                                 {2, QStringLiteral("Group 2"), QStringLiteral("Insert button")},
                                                 {3, QStringLiteral("Group 3"), QStringLiteral("context menu")}}));
}

TEST_F(BrowseJobsTest, AddedAndChangedGroupsAreHighlightedWhereTheyNowSort) {
    addGroup(QStringLiteral("Dairy"), QString());
    addGroup(QStringLiteral("Meat"), QString());
    addGroup(QStringLiteral("Vegetables"), QString());
    auto w = openList();

    QTest::keyClick(w->listView(), Qt::Key_Insert);
    MnTJobs* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClicks(f->typeEdit(), QStringLiteral("Grains"));
    QTest::keyClick(f->typeEdit(), Qt::Key_Return);   // Enter presses OK
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(groupNames(*w), (QStringList{QStringLiteral("Dairy"), QStringLiteral("Grains"), QStringLiteral("Meat"),
                                           QStringLiteral("Vegetables")}));
    EXPECT_EQ(w->list().currentRow(), 1);
    // The list gets the keyboard back by itself.
    EXPECT_TRUE(nm::testing::waitActive(w.get(), false));
    EXPECT_TRUE(w->listView()->hasFocus());

    // Change "Dairy" (row 0) into "Zest": it moves to the end and stays highlighted; its ID stays.
    w->list().setCurrentRow(0);
    QTest::keyClick(w->listView(), Qt::Key_Return, Qt::ControlModifier);
    f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(actionText(f), QStringLiteral("Record will be Changed"));
    EXPECT_EQ(f->typeEdit()->text(), QStringLiteral("Dairy"));
    typeInto(f->typeEdit(), QStringLiteral("Zest"));
    typeInto(f->descriptionEdit(), QStringLiteral("Peel"));
    clickOk(f);
    EXPECT_EQ(w->list().currentRow(), 3);
    EXPECT_EQ(highlighted(*w), QStringLiteral("Zest"));
    EXPECT_EQ(storedGroups().at(0), (GroupRow{1, QStringLiteral("Zest"), QStringLiteral("Peel")}));

    // Enter on the list presses the default button Change; so does a double-click on a row.
    w->list().setCurrentRow(0);
    QTest::keyClick(w->listView(), Qt::Key_Return);
    f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->typeEdit()->text(), QStringLiteral("Grains"));
    clickCancel(f);
    nm::testing::doubleClickRow(w->listView(), 1);
    f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->typeEdit()->text(), QStringLiteral("Meat"));
    clickCancel(f);
    EXPECT_TRUE(messages.entries().isEmpty());
}

TEST_F(BrowseJobsTest, OkWithoutAChangeWritesNothingAndKeepsTheHighlight) {
    addGroup(QStringLiteral("Dairy"), QStringLiteral("Milk"));
    addGroup(QStringLiteral("Meat"), QStringLiteral("Beef"));
    auto w = openList();
    w->list().setCurrentRow(1);
    QTest::mouseClick(w->changeButton(), Qt::LeftButton);
    MnTJobs* f = waitForm(*w);
    ASSERT_NE(f, nullptr);

    // Another copy of the program changes the record meanwhile: had the form written anything, it
    // would have met that change.
    {
        Session other(messages, dir.path());
        store::TableManager& t = other.store().table(store::TableId::Group);
        ASSERT_TRUE(t.fetch(QStringLiteral("GRP:KEYID"), {2}).ok());
        t.buffer().setText(QStringLiteral("GRP:DESCRIPTION"), QStringLiteral("Pork"));
        ASSERT_TRUE(other.store().relation(store::TableId::Group).update().ok());
    }
    Response answered = Response::None;
    QObject::connect(&w->list(), &ListControl::updated, [&](Request, Response r) { answered = r; });
    clickOk(f);
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(answered, Response::Cancelled);
    EXPECT_TRUE(messages.entries().isEmpty());
    EXPECT_EQ(storedGroups().at(1), (GroupRow{2, QStringLiteral("Meat"), QStringLiteral("Pork")}));
    EXPECT_EQ(highlighted(*w), QStringLiteral("Meat"));
    EXPECT_EQ(nm::testing::columnTexts(w->list(), 1).at(1), QStringLiteral("Pork"));   // re-read
}

TEST_F(BrowseJobsTest, CancellingANewGroupAsksOnlyAfterTypingAndReleasesItsNumber) {
    addGroup(QStringLiteral("Dairy"), QString());
    auto w = openList();
    const QVector<GroupRow> before = storedGroups();

    // Untouched: no question, nothing left in the table.
    QTest::keyClick(w->listView(), Qt::Key_Insert);
    MnTJobs* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    clickCancel(f);
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_TRUE(messages.entries().isEmpty());
    EXPECT_EQ(storedGroups(), before);
    EXPECT_EQ(highlighted(*w), QStringLiteral("Dairy"));

    // Typed into: "Save Record"; Cancel goes back to the form with the text in place.
    QTest::keyClick(w->listView(), Qt::Key_Insert);
    f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClicks(f->typeEdit(), QStringLiteral("Fish"));
    QTest::keyClicks(f->descriptionEdit(), QStringLiteral("Sea"));
    messages.script({Answer::Cancel});
    clickCancel(f);
    ASSERT_EQ(messages.entries().size(), 1);
    EXPECT_EQ(messages.entries().at(0).kind, Kind::YesNoCancel);
    EXPECT_EQ(messages.entries().at(0).title, QStringLiteral("Save Record"));
    EXPECT_EQ(messages.entries().at(0).text, QStringLiteral("Do you want to save the changes to this record?"));
    EXPECT_EQ(messages.entries().at(0).procedure, QStringLiteral("MnTJobs"));
    ASSERT_EQ(form(*w), f);
    EXPECT_EQ(f->typeEdit()->text(), QStringLiteral("Fish"));
    EXPECT_EQ(f->descriptionEdit()->text(), QStringLiteral("Sea"));
    EXPECT_TRUE(f->typeEdit()->hasFocus());

    // The close box asks the same; No closes without saving and releases the number.
    messages.script({Answer::No});
    f->close();
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(messages.titles(), (QStringList{QStringLiteral("Save Record"), QStringLiteral("Save Record")}));
    EXPECT_EQ(storedGroups(), before);

    // Yes saves as OK would.
    QTest::keyClick(w->listView(), Qt::Key_Insert);
    f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClicks(f->typeEdit(), QStringLiteral("Fish"));
    messages.script({Answer::Yes});
    clickCancel(f);
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(highlighted(*w), QStringLiteral("Fish"));
    // The released numbers were handed out again: the new group is the second one.
    EXPECT_EQ(storedGroups(), (QVector<GroupRow>{before.at(0), {2, QStringLiteral("Fish"), QString()}}));
}

TEST_F(BrowseJobsTest, CancellingAChangeAsksOnlyWhenSomethingChanged) {
    addGroup(QStringLiteral("Dairy"), QStringLiteral("Milk"));
    auto w = openList();
    QTest::keyClick(w->listView(), Qt::Key_Return);
    MnTJobs* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    clickCancel(f);
    EXPECT_TRUE(messages.entries().isEmpty());

    QTest::keyClick(w->listView(), Qt::Key_Return);
    f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClicks(f->descriptionEdit(), QStringLiteral(" and cheese"));
    messages.script({Answer::No});
    clickCancel(f);
    EXPECT_EQ(messages.titles(), QStringList{QStringLiteral("Save Record")});
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(storedGroups(), (QVector<GroupRow>{{1, QStringLiteral("Dairy"), QStringLiteral("Milk")}}));
}

TEST_F(BrowseJobsTest, DeleteAsksWithoutShowingTheFormAndKeepsTheHighlightInPlace) {
    addGroup(QStringLiteral("Dairy"), QString());
    addGroup(QStringLiteral("Fish"), QString());
    addGroup(QStringLiteral("Meat"), QString());
    auto w = openList();
    w->list().setCurrentRow(1);

    messages.script({Answer::No});
    QTest::keyClick(w->listView(), Qt::Key_Delete);
    ASSERT_EQ(messages.entries().size(), 1);
    EXPECT_EQ(messages.entries().at(0).kind, Kind::YesNo);
    EXPECT_EQ(messages.entries().at(0).title, QStringLiteral("Confirm Delete"));
    EXPECT_EQ(messages.entries().at(0).text, QStringLiteral("Are you sure you want to delete the highlighted record?"));
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(groupNames(*w).size(), 3);
    EXPECT_EQ(highlighted(*w), QStringLiteral("Fish"));

    messages.script({Answer::Yes});
    QTest::mouseClick(w->deleteButton(), Qt::LeftButton);
    EXPECT_EQ(groupNames(*w), (QStringList{QStringLiteral("Dairy"), QStringLiteral("Meat")}));
    EXPECT_EQ(w->list().currentRow(), 1);
    EXPECT_EQ(highlighted(*w), QStringLiteral("Meat"));

    // Deleting the last row moves the highlight to the new last one; deleting the only row empties it.
    messages.script({Answer::Yes, Answer::Yes});
    QTest::keyClick(w->listView(), Qt::Key_Delete);
    EXPECT_EQ(highlighted(*w), QStringLiteral("Dairy"));
    QTest::keyClick(w->listView(), Qt::Key_Delete);
    EXPECT_EQ(w->list().rowCount(), 0);
    EXPECT_FALSE(w->changeButton()->isEnabled());
    EXPECT_FALSE(w->deleteButton()->isEnabled());
    EXPECT_TRUE(storedGroups().isEmpty());

    // A form ended by a delete request never opened its window, so it stored no position.
    EXPECT_FALSE(settings->value(QStringLiteral("MnTJobs"), QStringLiteral("Maximize")).isValid());
}

TEST_F(BrowseJobsTest, DeletingAGroupThatFoodsStillUseIsRefused) {
    const qint32 fruit = addGroup(QStringLiteral("Fruit"), QString());
    addGroup(QStringLiteral("Nuts"), QString());
    addFood(QStringLiteral("Apple"), fruit);
    auto w = openList();
    ASSERT_EQ(highlighted(*w), QStringLiteral("Fruit"));

    messages.script({Answer::Yes});
    QTest::keyClick(w->listView(), Qt::Key_Delete);
    EXPECT_EQ(messages.titles(),
              (QStringList{QStringLiteral("Confirm Delete"), QStringLiteral("Referential Integrity Delete Error")}));
    EXPECT_EQ(messages.entries().at(1).kind, Kind::Notice);
    EXPECT_EQ(messages.entries().at(1).text,
              QStringLiteral("This record is referenced from the file Food. This record cannot be deleted while "
                             "these references exist."));
    EXPECT_EQ(groupNames(*w), (QStringList{QStringLiteral("Fruit"), QStringLiteral("Nuts")}));
    EXPECT_EQ(highlighted(*w), QStringLiteral("Fruit"));
    EXPECT_EQ(storedGroups().size(), 2);
}

TEST_F(BrowseJobsTest, DittoKeyOffersTheLastSavedGroupOfThisListOnly) {
    addGroup(QStringLiteral("Dairy"), QStringLiteral("Milk"));
    auto w = openList();

    // Before any OK in this list: Ctrl+H blanks the field.
    QTest::keyClick(w->listView(), Qt::Key_Return);
    MnTJobs* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClick(f->typeEdit(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(f->typeEdit()->text(), QString());
    EXPECT_EQ(f->descriptionEdit()->text(), QStringLiteral("Milk"));
    messages.script({Answer::No});
    clickCancel(f);

    QTest::keyClick(w->listView(), Qt::Key_Insert);
    f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClicks(f->typeEdit(), QStringLiteral("Fruit"));
    QTest::keyClicks(f->descriptionEdit(), QStringLiteral("Sweet"));
    clickOk(f);

    // The next form of this list offers the saved group field by field; Ctrl+H on a button does nothing.
    QTest::keyClick(w->listView(), Qt::Key_Insert);
    f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClick(f->okButton(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(f->typeEdit()->text(), QString());
    QTest::keyClick(f->descriptionEdit(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(f->typeEdit()->text(), QString());
    EXPECT_EQ(f->descriptionEdit()->text(), QStringLiteral("Sweet"));
    QTest::keyClick(f->typeEdit(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(f->typeEdit()->text(), QStringLiteral("Fruit"));
    messages.script({Answer::No});
    clickCancel(f);

    // A second list window has a session, and so a ditto copy, of its own.
    auto other = openList();
    QTest::keyClick(other->listView(), Qt::Key_Insert);
    f = waitForm(*other);
    ASSERT_NE(f, nullptr);
    QTest::keyClick(f->typeEdit(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(f->typeEdit()->text(), QString());
    clickCancel(f);
}

TEST_F(BrowseJobsTest, AChangeThatMeetsAnotherCopysChangeShowsItAndKeepsTheUsersEntriesForDitto) {
    addGroup(QStringLiteral("Dairy"), QStringLiteral("Milk"));
    auto w = openList();
    QTest::keyClick(w->listView(), Qt::Key_Return);
    MnTJobs* f = waitForm(*w);
    ASSERT_NE(f, nullptr);

    {
        Session other(messages, dir.path());
        store::TableManager& t = other.store().table(store::TableId::Group);
        ASSERT_TRUE(t.fetch(QStringLiteral("GRP:KEYID"), {1}).ok());
        t.buffer().setText(QStringLiteral("GRP:TYPE"), QStringLiteral("Milk products"));
        ASSERT_TRUE(other.store().relation(store::TableId::Group).update().ok());
    }
    typeInto(f->typeEdit(), QStringLiteral("Cheese"));
    typeInto(f->descriptionEdit(), QStringLiteral("Hard"));
    clickOk(f);
    ASSERT_EQ(messages.entries().size(), 1);
    EXPECT_EQ(messages.entries().at(0).kind, Kind::Notice);
    EXPECT_EQ(messages.entries().at(0).title, QStringLiteral("Record Was Not Updated"));
    EXPECT_EQ(messages.entries().at(0).text,
              QStringLiteral("This record was changed by another station. Those changes will now be displayed. Use "
                             "the Ditto Button or Ctrl+H to recall your changes."));
    ASSERT_EQ(form(*w), f);
    EXPECT_EQ(f->typeEdit()->text(), QStringLiteral("Milk products"));
    EXPECT_EQ(f->descriptionEdit()->text(), QStringLiteral("Milk"));
    EXPECT_EQ(storedGroups(), (QVector<GroupRow>{{1, QStringLiteral("Milk products"), QStringLiteral("Milk")}}));

    QTest::keyClick(f->typeEdit(), Qt::Key_H, Qt::ControlModifier);
    EXPECT_EQ(f->typeEdit()->text(), QStringLiteral("Cheese"));
    EXPECT_EQ(f->descriptionEdit()->text(), QStringLiteral("Milk"));
    clickOk(f);
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(messages.entries().size(), 1);
    EXPECT_EQ(storedGroups(), (QVector<GroupRow>{{1, QStringLiteral("Cheese"), QStringLiteral("Milk")}}));
    EXPECT_EQ(highlighted(*w), QStringLiteral("Cheese"));
}

TEST_F(BrowseJobsTest, IncrementalLocatorFindsTheFirstNameAtOrAfterTheTypedText) {
    for (const char* name : {"Beans", "Vanilla", "Vegetables", "Wheat"})
        addGroup(QString::fromLatin1(name), QString());
    auto w = openList();
    QTableView* view = w->listView();
    QTest::keyClick(view, Qt::Key_V);
    EXPECT_EQ(highlighted(*w), QStringLiteral("Vanilla"));
    QTest::keyClicks(view, QStringLiteral("E"));   // case ignored
    EXPECT_EQ(highlighted(*w), QStringLiteral("Vegetables"));
    EXPECT_EQ(w->list().searchText(), QStringLiteral("vE"));
    QTest::keyClick(view, Qt::Key_Backspace);
    EXPECT_EQ(highlighted(*w), QStringLiteral("Vanilla"));
    QTest::keyClicks(view, QStringLiteral("x"));
    EXPECT_EQ(highlighted(*w), QStringLiteral("Wheat"));   // nothing at or after "vx" but the last row
    QTest::keyClick(view, Qt::Key_Backspace);
    QTest::keyClick(view, Qt::Key_Backspace);
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(w->list().searchText(), QStringLiteral(" "));
    EXPECT_EQ(highlighted(*w), QStringLiteral("Beans"));
    // Typing never opened a form or asked anything.
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_TRUE(messages.entries().isEmpty());
}

TEST_F(BrowseJobsTest, BlankNamesAreNotListedAndEqualNamesBothAre) {
    addGroup(QString(), QStringLiteral("no name"));
    addGroup(QStringLiteral("Nuts"), QStringLiteral("first"));
    addGroup(QStringLiteral("NUTS"), QStringLiteral("second"));
    auto w = openList();
    EXPECT_EQ(nm::testing::columnTexts(w->list(), 1), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    EXPECT_EQ(storedGroups().size(), 3);

    // The form stores a blank name as it is; the group then drops out of the list.
    QTest::keyClick(w->listView(), Qt::Key_Return);
    MnTJobs* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    f->typeEdit()->clear();
    clickOk(f);
    EXPECT_EQ(nm::testing::columnTexts(w->list(), 1), QStringList{QStringLiteral("second")});
    EXPECT_EQ(w->list().currentRow(), 0);
    EXPECT_EQ(storedGroups().at(1), (GroupRow{2, QString(), QStringLiteral("first")}));
}

TEST_F(BrowseJobsTest, TwoListsWithFormsOpenGetTheirAnswersInTheOrderTheFormsClose) {
    addGroup(QStringLiteral("Dairy"), QString());
    auto first = openList();
    auto second = openList();

    QTest::keyClick(first->listView(), Qt::Key_Insert);
    MnTJobs* f1 = waitForm(*first);
    ASSERT_NE(f1, nullptr);
    QTest::keyClicks(f1->typeEdit(), QStringLiteral("Fish"));

    // The other list stays usable while the first one's form is open.
    EXPECT_TRUE(second->listView()->isEnabled());
    ASSERT_TRUE(nm::testing::waitActive(second.get()));
    QTest::keyClick(second->listView(), Qt::Key_Return);
    MnTJobs* f2 = waitForm(*second);
    ASSERT_NE(f2, nullptr);
    typeInto(f2->typeEdit(), QStringLiteral("Cheese"));

    // The form opened last closes first: only its list goes on.
    clickOk(f2);
    EXPECT_EQ(form(*second), nullptr);
    EXPECT_EQ(groupNames(*second), QStringList{QStringLiteral("Cheese")});
    ASSERT_EQ(form(*first), f1);
    EXPECT_FALSE(first->listView()->isEnabled());
    EXPECT_EQ(f1->typeEdit()->text(), QStringLiteral("Fish"));

    clickOk(f1);
    EXPECT_EQ(form(*first), nullptr);
    EXPECT_EQ(groupNames(*first), (QStringList{QStringLiteral("Cheese"), QStringLiteral("Fish")}));
    EXPECT_EQ(highlighted(*first), QStringLiteral("Fish"));
    EXPECT_EQ(storedGroups(), (QVector<GroupRow>{{1, QStringLiteral("Cheese"), QString()},
                                                 {2, QStringLiteral("Fish"), QString()}}));
}

TEST_F(BrowseJobsTest, ClosingTheListClosesItsFormFirstAndMayBeRefused) {
    auto w = openList();
    QTest::keyClick(w->listView(), Qt::Key_Insert);
    MnTJobs* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClicks(f->typeEdit(), QStringLiteral("Fish"));

    messages.script({Answer::Cancel});
    EXPECT_FALSE(w->close());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(form(*w), f);

    messages.script({Answer::No});
    EXPECT_TRUE(w->close());
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(messages.titles(), (QStringList{QStringLiteral("Save Record"), QStringLiteral("Save Record")}));
    EXPECT_TRUE(storedGroups().isEmpty());
}

TEST_F(BrowseJobsTest, PositionsAreKeptUnderTheProcedureNamesAndHelpOpensTheContents) {
    addGroup(QStringLiteral("Dairy"), QString());
    {
        auto w = openList();
        QTest::keyClick(w->listView(), Qt::Key_F1);
        EXPECT_EQ(help.topics, QStringList{QString()});
        QTest::keyClick(w->listView(), Qt::Key_Return);
        MnTJobs* f = waitForm(*w);
        ASSERT_NE(f, nullptr);
        QTest::keyClick(f->typeEdit(), Qt::Key_F12);
        EXPECT_EQ(help.topics, (QStringList{QString(), QString()}));
        f->move(40, 50);
        clickCancel(f);
        EXPECT_EQ(settings->value(QStringLiteral("MnTJobs"), QStringLiteral("Maximize")).toString(), QStringLiteral("No"));
        EXPECT_FALSE(settings->value(QStringLiteral("BrowseJobs"), QStringLiteral("Maximize")).isValid());

        const DialogUnits du(w->font());
        w->resize(du.size(500, 400));
        QTest::mouseClick(w->closeButton(), Qt::LeftButton);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->response(), Response::Completed);
    }
    EXPECT_EQ(settings->value(QStringLiteral("BrowseJobs"), QStringLiteral("Maximize")).toString(), QStringLiteral("No"));
    EXPECT_EQ(settings->value(QStringLiteral("BrowseJobs"), QStringLiteral("Width")).toInt(), 500);

    auto again = openList();
    const DialogUnits du(again->font());
    EXPECT_EQ(again->size(), du.size(500, 400));
}

TEST_F(BrowseJobsTest, ResizingKeepsTheListInItsFrameAndTheButtonsAtTheBottom) {
    auto w = openList();
    const DialogUnits du(w->font());
    QWidget* group = w->findChild<QWidget*>(QStringLiteral("GROUPMAIN"));
    ASSERT_NE(group, nullptr);
    const QRect list0 = w->listView()->geometry();
    const QRect group0 = group->geometry();
    const QRect insert0 = w->insertButton()->geometry();
    const QRect close0 = w->closeButton()->geometry();
    const QSize size0 = w->size();

    w->resize(size0 + QSize(200, 100));
    const QRect group1 = group->geometry();
    EXPECT_EQ(group1.size(), group0.size() + QSize(200, 100));
    const QRect list1 = w->listView()->geometry();
    EXPECT_EQ(list1.topLeft(), list0.topLeft());
    EXPECT_EQ(group1.bottom() - list1.bottom(), group0.bottom() - list0.bottom());
    EXPECT_NEAR(double(list1.width()) / group1.width(), double(list0.width()) / group0.width(), 0.01);
    EXPECT_EQ(w->insertButton()->size(), insert0.size());
    EXPECT_EQ(w->insertButton()->x(), insert0.x());
    EXPECT_EQ(group1.bottom() - w->insertButton()->geometry().bottom(), group0.bottom() - insert0.bottom());
    EXPECT_EQ(w->closeButton()->x(), close0.x());
    EXPECT_EQ(w->height() - w->closeButton()->y(), size0.height() - close0.y());

    w->resize(du.size(100, 100));
    EXPECT_EQ(w->size(), du.size(388, 329));
}

TEST_F(BrowseJobsTest, FocusedInputControlsAreHighlightedYellow) {
    addGroup(QStringLiteral("Dairy"), QString());
    auto w = openList();
    ASSERT_TRUE(w->listView()->hasFocus());
    EXPECT_EQ(w->listView()->palette().color(QPalette::Base), FocusHighlight::colour());
    EXPECT_NE(w->listView()->horizontalHeader()->palette().color(QPalette::Button), FocusHighlight::colour());
    QTest::keyClick(w->listView(), Qt::Key_Return);
    MnTJobs* f = waitForm(*w);
    ASSERT_NE(f, nullptr);
    const QColor normal = f->descriptionEdit()->palette().color(QPalette::Base);
    EXPECT_NE(normal, FocusHighlight::colour());
    EXPECT_EQ(f->typeEdit()->palette().color(QPalette::Base), FocusHighlight::colour());
    f->descriptionEdit()->setFocus();
    EXPECT_EQ(f->descriptionEdit()->palette().color(QPalette::Base), FocusHighlight::colour());
    EXPECT_EQ(f->typeEdit()->palette().color(QPalette::Base), normal);
    f->okButton()->setFocus();
    EXPECT_EQ(f->descriptionEdit()->palette().color(QPalette::Base), normal);
    EXPECT_EQ(f->okButton()->palette().color(QPalette::Button), QApplication::palette().color(QPalette::Button));
    clickCancel(f);
}

}  // namespace
