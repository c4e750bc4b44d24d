// The shared list and form behaviour on small test windows: batch insert, picking and view-only lists,
// store refusals with their messages, a list inside a form, column auto-size and window positions.

#include "testwindows.h"

#include "platform/dialogunits.h"

#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>

using namespace nm;
using namespace nm::platform;
using namespace nm::testing;

namespace {

using Kind = ScriptedMessages::Kind;

class ListFormTest : public WindowTest {
protected:
    std::unique_ptr<TestGroupList> openList(UpdateProcedure procedure, Request request = Request::None) {
        auto session = newSession();
        session->request = request;
        auto w = std::make_unique<TestGroupList>(services, std::move(session), std::move(procedure));
        w->show();
        EXPECT_TRUE(waitActive(w.get()));
        return w;
    }
    std::unique_ptr<TestGroupList> openList(GroupFormOptions options = {}, Request request = Request::None) {
        return openList(TestGroupForm::procedure(services, std::move(options)), request);
    }
    static TestGroupForm* form(TestGroupList& w) { return qobject_cast<TestGroupForm*>(w.list().openForm()); }
    static QString highlighted(TestGroupList& w) { return highlightedText(w.list()); }
};

TEST_F(ListFormTest, BatchInsertStaysOpenAndCancelOnTheUntouchedNextRecordHighlightsTheLastAdded) {
    addGroup(QStringLiteral("Zucchini"), QString());
    auto w = openList(GroupFormOptions{InsertMode::Batch, {}});
    QTest::keyClick(w->view, Qt::Key_Insert);
    TestGroupForm* f = form(*w);
    ASSERT_NE(f, nullptr);
    for (const char* name : {"Beans", "Apples", "Carrots"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(f->action->text(), QStringLiteral("Record will be Added"));
        EXPECT_TRUE(f->type->text().isEmpty());
        QTest::keyClicks(f->type, QString::fromLatin1(name));
        // Ctrl+H in the description offers the previous record's value.
        QTest::keyClick(f->description, Qt::Key_H, Qt::ControlModifier);
        f->description->setText(f->description->text() + QLatin1Char('+'));
        QTest::mouseClick(f->ok, Qt::LeftButton);
        ASSERT_EQ(form(*w), f);
    }
    // The list is still waiting for its form.
    EXPECT_EQ(w->list().rowCount(), 1);
    QTest::mouseClick(f->cancel, Qt::LeftButton);
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_TRUE(messages.entries().isEmpty());
    EXPECT_EQ(highlighted(*w), QStringLiteral("Carrots"));
    EXPECT_EQ(columnTexts(w->list(), 0), (QStringList{QStringLiteral("Apples"), QStringLiteral("Beans"),
                                                      QStringLiteral("Carrots"), QStringLiteral("Zucchini")}));
    // The fourth, primed record was released: the table holds exactly the four groups.
    EXPECT_EQ(storedGroups(), (QVector<GroupRow>{{1, QStringLiteral("Zucchini"), QString()},
                                                 {2, QStringLiteral("Beans"), QStringLiteral("+")},
                                                 {3, QStringLiteral("Apples"), QStringLiteral("++")},
                                                 {4, QStringLiteral("Carrots"), QStringLiteral("+++")}}));
}

TEST_F(ListFormTest, AViewOnlyListCallsNoFormAndReservesNothing) {
    addGroup(QStringLiteral("Dairy"), QString());
    int formsStarted = 0;
    auto w = openList(
        [&](Session& s, QWidget* c, UpdateDone d) {
            ++formsStarted;
            return TestGroupForm::procedure(services)(s, c, std::move(d));
        },
        Request::View);
    EXPECT_TRUE(w->select->isHidden());
    QList<Response> answers;
    QObject::connect(&w->list(), &ListControl::updated, [&](Request, Response r) { answers << r; });
    QTest::keyClick(w->view, Qt::Key_Insert);
    QTest::keyClick(w->view, Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClick(w->view, Qt::Key_Delete);
    QTest::mouseClick(w->insert, Qt::LeftButton);
    EXPECT_EQ(formsStarted, 0);
    EXPECT_EQ(answers, (QList<Response>{Response::Cancelled, Response::Cancelled, Response::Cancelled,
                                        Response::Cancelled}));
    EXPECT_TRUE(messages.entries().isEmpty());
    EXPECT_EQ(storedGroups(), (QVector<GroupRow>{{1, QStringLiteral("Dairy"), QString()}}));
    EXPECT_EQ(highlighted(*w), QStringLiteral("Dairy"));
}

TEST_F(ListFormTest, APickingListSelectsWithEnterOrDoubleClickAndCloseCancels) {
    addGroup(QStringLiteral("Dairy"), QString());
    addGroup(QStringLiteral("Meat"), QString());
    {
        auto w = openList(GroupFormOptions{}, Request::Select);
        EXPECT_FALSE(w->select->isHidden());
        EXPECT_TRUE(w->select->isEnabled());
        EXPECT_EQ(w->list().defaultButton(), w->select);
        QTest::mouseClick(w->view->viewport(), Qt::RightButton, {}, QPoint(5, 5));
        ASSERT_NE(w->list().contextMenu(), nullptr);
        EXPECT_EQ(w->list().contextMenu()->actions().size(), 4);
        w->list().contextMenu()->close();
        w->list().setCurrentRow(1);
        QTest::keyClick(w->view, Qt::Key_Return);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->response(), Response::Completed);
        EXPECT_EQ(w->session().response, Response::Completed);
        EXPECT_EQ(w->session().store().buffer(store::TableId::Group).text(QStringLiteral("GRP:TYPE")),
                  QStringLiteral("Meat"));
        EXPECT_EQ(form(*w), nullptr);
    }
    {
        auto w = openList(GroupFormOptions{}, Request::Select);
        doubleClickRow(w->view, 0);
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->response(), Response::Completed);
        EXPECT_EQ(form(*w), nullptr);
    }
    {
        auto w = openList(GroupFormOptions{}, Request::Select);
        QTest::mouseClick(w->close, Qt::LeftButton);
        EXPECT_EQ(w->response(), Response::Cancelled);
    }
    {
        // A plain list's Close answers completed.
        auto w = openList();
        QTest::mouseClick(w->close, Qt::LeftButton);
        EXPECT_EQ(w->response(), Response::Completed);
    }
}

TEST_F(ListFormTest, APickingListWithoutRowsDisablesSelect) {
    auto w = openList(GroupFormOptions{}, Request::Select);
    EXPECT_FALSE(w->select->isHidden());
    EXPECT_FALSE(w->select->isEnabled());
    QTest::keyClick(w->view, Qt::Key_Return);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(ListFormTest, ADuplicateKeyKeepsTheFormOpenWithTheEntries) {
    addGroup(QStringLiteral("Dairy"), QString());
    // A form whose presets give the new record an ID that is taken.
    GroupFormOptions options;
    options.preset = [](store::Record& r) { r.setInteger(QStringLiteral("GRP:KEYIDGROUP"), 1); };
    auto w = openList(options);
    QTest::keyClick(w->view, Qt::Key_Insert);
    TestGroupForm* f = form(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClicks(f->type, QStringLiteral("Fish"));
    QTest::mouseClick(f->ok, Qt::LeftButton);
    ASSERT_EQ(messages.entries().size(), 1);
    EXPECT_EQ(messages.entries().at(0).kind, Kind::Notice);
    EXPECT_EQ(messages.entries().at(0).title, QStringLiteral("Duplicate Key Error"));
    EXPECT_EQ(messages.entries().at(0).text,
              QStringLiteral("Adding this record creates a duplicate entry for the key: By Group"));
    EXPECT_EQ(messages.entries().at(0).procedure, QStringLiteral("TestGroupForm"));
    ASSERT_EQ(form(*w), f);
    EXPECT_EQ(f->type->text(), QStringLiteral("Fish"));

    messages.script({Answer::No});
    QTest::mouseClick(f->cancel, Qt::LeftButton);
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(storedGroups(), (QVector<GroupRow>{{1, QStringLiteral("Dairy"), QString()}}));
}

// Another copy of the program holds the write lock on the files until `release` is called.
class LockHolder {
public:
    LockHolder(ScriptedMessages& messages, const QString& dir) : m_session(messages, dir) {
        store::DataStore& ds = m_session.store();
        EXPECT_TRUE(ds.relation(store::TableId::Group).open().ok());
        EXPECT_TRUE(ds.begin().ok());
        store::TableManager& t = ds.table(store::TableId::Group);
        EXPECT_TRUE(t.primeAutoInc().ok());   // writes inside the open transaction
    }
    ~LockHolder() { release(); }
    void release() {
        if (m_session.store().inTransaction())
            m_session.store().rollback();
    }

private:
    Session m_session;
};

TEST_F(ListFormTest, UpdateAndDeleteFailuresAskToTryAgain) {
    addGroup(QStringLiteral("Dairy"), QStringLiteral("Milk"));
    auto w = openList();
    w->session().store().setBusyTimeout(20);
    w->session().store().setLockRecoveryTime(20);
    QTest::keyClick(w->view, Qt::Key_Return);
    TestGroupForm* f = form(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClicks(f->description, QStringLiteral(" shake"));

    // Every file exists before another copy takes the lock.
    for (store::TableId id : store::allTables())
        ASSERT_TRUE(w->session().store().table(id).open().ok());
    auto lock = std::make_unique<LockHolder>(messages, dir.path());
    // Yes tries again; Cancel stays in the form.
    messages.script({Answer::Yes, Answer::Cancel});
    QTest::mouseClick(f->ok, Qt::LeftButton);
    EXPECT_EQ(messages.titles(), (QStringList{QStringLiteral("Record Update Error"), QStringLiteral("Record Update Error")}));
    EXPECT_EQ(messages.entries().at(0).kind, Kind::YesNoCancel);
    EXPECT_EQ(messages.entries().at(0).text,
              QStringLiteral("An error was experienced changing this record. Do you want to try to save again?"));
    ASSERT_EQ(form(*w), f);
    EXPECT_EQ(f->description->text(), QStringLiteral("Milk shake"));

    // No gives up through Cancel and closing: the unsaved change is offered once more.
    messages.clearEntries();
    messages.script({Answer::No, Answer::No});
    QTest::mouseClick(f->ok, Qt::LeftButton);
    EXPECT_EQ(messages.titles(), (QStringList{QStringLiteral("Record Update Error"), QStringLiteral("Save Record")}));
    EXPECT_EQ(form(*w), nullptr);

    // A delete that fails asks to try again; No leaves the record and its row.
    messages.clearEntries();
    messages.script({Answer::Yes, Answer::Yes, Answer::No});
    QTest::keyClick(w->view, Qt::Key_Delete);
    EXPECT_EQ(messages.titles(), (QStringList{QStringLiteral("Confirm Delete"), QStringLiteral("Record Delete Error"),
                                              QStringLiteral("Record Delete Error")}));
    EXPECT_EQ(messages.entries().at(1).kind, Kind::YesNo);
    EXPECT_EQ(messages.entries().at(1).text,
              QStringLiteral("An error was experienced deleting this record. Do you want to try to delete it again?"));
    EXPECT_EQ(highlighted(*w), QStringLiteral("Dairy"));

    lock->release();
    EXPECT_EQ(storedGroups(), (QVector<GroupRow>{{1, QStringLiteral("Dairy"), QStringLiteral("Milk")}}));
}

TEST_F(ListFormTest, AFailedPrimingCallsNoForm) {
    addGroup(QStringLiteral("Dairy"), QString());
    int formsStarted = 0;
    auto w = openList([&](Session& s, QWidget* c, UpdateDone d) {
        ++formsStarted;
        return TestGroupForm::procedure(services)(s, c, std::move(d));
    });
    w->session().store().setBusyTimeout(20);
    w->session().store().setLockRecoveryTime(20);
    for (store::TableId id : store::allTables())
        ASSERT_TRUE(w->session().store().table(id).open().ok());
    LockHolder lock(messages, dir.path());
    QTest::keyClick(w->view, Qt::Key_Insert);   // the store asks "Auto Increment Error"; No gives up
    EXPECT_EQ(formsStarted, 0);
    EXPECT_TRUE(messages.titles().contains(QStringLiteral("Auto Increment Error")));
    EXPECT_EQ(highlighted(*w), QStringLiteral("Dairy"));
    EXPECT_TRUE(w->view->isEnabled());
}

TEST_F(ListFormTest, AnInsertThatTheStoreRefusesKeepsTheFormOpen) {
    auto w = openList();
    w->session().store().setBusyTimeout(20);
    for (store::TableId id : store::allTables())
        ASSERT_TRUE(w->session().store().table(id).open().ok());
    QTest::keyClick(w->view, Qt::Key_Insert);
    TestGroupForm* f = form(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClicks(f->type, QStringLiteral("Fish"));
    {
        LockHolder lock(messages, dir.path());
        QTest::mouseClick(f->ok, Qt::LeftButton);
    }
    ASSERT_EQ(messages.entries().size(), 1);
    EXPECT_EQ(messages.entries().at(0).kind, Kind::Notice);
    EXPECT_EQ(messages.entries().at(0).title, QStringLiteral("Record Insert Error"));
    EXPECT_TRUE(messages.entries().at(0).text.startsWith(
        QStringLiteral("An error was experienced during the creation of a record.\nFile: Group\nError: ")));
    EXPECT_TRUE(messages.entries().at(0).text.endsWith(QLatin1Char('.')));
    ASSERT_EQ(form(*w), f);
    EXPECT_EQ(f->type->text(), QStringLiteral("Fish"));

    QTest::mouseClick(f->ok, Qt::LeftButton);
    EXPECT_EQ(form(*w), nullptr);
    EXPECT_EQ(w->session().response, Response::Completed);
    EXPECT_EQ(storedGroups(), (QVector<GroupRow>{{1, QStringLiteral("Fish"), QString()}}));
}

TEST_F(ListFormTest, AViewRequestShowsTheRecordAndStoresNothing) {
    addGroup(QStringLiteral("Dairy"), QStringLiteral("Milk"));
    auto session = newSession();
    ASSERT_TRUE(session->store().table(store::TableId::Group).fetch(QStringLiteral("GRP:KEYID"), {1}).ok());
    QWidget caller;
    caller.show();
    for (bool viaOk : {false, true}) {
        SCOPED_TRACE(viaOk ? "OK" : "Cancel");
        Response answer = Response::None;
        auto call = UpdateCall::start(*session, Request::View, TestGroupForm::procedure(services), &caller,
                                      [&](Response r) { answer = r; });
        auto* f = qobject_cast<TestGroupForm*>(call->form());
        ASSERT_NE(f, nullptr);
        // The form took the request: the session's values are back at 0 while it runs.
        EXPECT_EQ(session->request, Request::None);
        EXPECT_EQ(f->action->text(), QStringLiteral("View Record"));
        EXPECT_EQ(f->type->text(), QStringLiteral("Dairy"));
        QTest::keyClicks(f->type, QStringLiteral(" products"));
        QTest::mouseClick(viaOk ? f->ok : f->cancel, Qt::LeftButton);
        EXPECT_TRUE(call->finished());
        EXPECT_EQ(answer, Response::Cancelled);
        EXPECT_EQ(session->response, Response::Cancelled);
    }
    EXPECT_TRUE(messages.entries().isEmpty());
    EXPECT_EQ(storedGroups(), (QVector<GroupRow>{{1, QStringLiteral("Dairy"), QStringLiteral("Milk")}}));
}

TEST_F(ListFormTest, AnotherSortOrderKeepsTheHighlightedRecordAndItsOwnSearchText) {
    addGroup(QStringLiteral("Beans"), QString());
    addGroup(QStringLiteral("Apples"), QString());
    addGroup(QStringLiteral("Carrots"), QString());
    auto w = openList();
    ListControl& list = w->list();
    list.addSortOrder({QStringLiteral("GRP:KEYID"), QStringLiteral("GRP:TYPE"), LocatorKind::Step});
    QTest::keyClicks(w->view, QStringLiteral("b"));
    ASSERT_EQ(highlighted(*w), QStringLiteral("Beans"));
    EXPECT_EQ(list.currentRow(), 1);

    list.setSortOrder(1);
    EXPECT_EQ(columnTexts(list, 0), (QStringList{QStringLiteral("Beans"), QStringLiteral("Apples"), QStringLiteral("Carrots")}));
    EXPECT_EQ(list.currentRow(), 0);
    EXPECT_EQ(list.searchText(), QString());
    QTest::keyClicks(w->view, QStringLiteral("c"));
    EXPECT_EQ(highlighted(*w), QStringLiteral("Carrots"));

    list.setSortOrder(0);
    EXPECT_EQ(list.currentRow(), 2);
    EXPECT_EQ(list.searchText(), QStringLiteral("b"));
}

TEST_F(ListFormTest, AfterEveryReadTheBufferHoldsTheHighlightedRecord) {
    addGroup(QStringLiteral("Dairy"), QString());
    addGroup(QStringLiteral("Meat"), QString());
    auto w = openList();
    QList<int> moves;
    QObject::connect(&w->list(), &ListControl::highlightChanged, [&](int row) { moves << row; });
    {
        Session other(messages, dir.path());
        store::TableManager& t = other.store().table(store::TableId::Group);
        ASSERT_TRUE(t.fetch(QStringLiteral("GRP:KEYID"), {1}).ok());
        t.buffer().setText(QStringLiteral("GRP:TYPE"), QStringLiteral("Cheese"));
        ASSERT_TRUE(other.store().relation(store::TableId::Group).update().ok());
    }
    w->list().refresh();
    EXPECT_EQ(moves, QList<int>{0});
    EXPECT_EQ(w->session().store().buffer(store::TableId::Group).text(QStringLiteral("GRP:TYPE")),
              QStringLiteral("Cheese"));
    QTest::keyClick(w->view, Qt::Key_Down);
    EXPECT_EQ(moves, (QList<int>{0, 1}));
    EXPECT_EQ(w->session().store().buffer(store::TableId::Group).text(QStringLiteral("GRP:TYPE")),
              QStringLiteral("Meat"));
}

// A form with a list of its own, as the recipe form holds its ingredients.
class HostForm : public UpdateForm {
public:
    HostForm(Services& services, Session& session, QWidget* caller)
        : UpdateForm(services, session, QStringLiteral("HostForm"), store::TableId::Recepie, caller) {
        name = new QLineEdit(this);
        name->setGeometry(10, 10, 200, 20);
        view = new QTableView(this);
        view->setGeometry(10, 40, 300, 120);
        insert = new QPushButton(QStringLiteral("&Add"), this);
        insert->setGeometry(10, 170, 60, 24);
        change = new QPushButton(QStringLiteral("&Change"), this);
        change->setGeometry(80, 170, 60, 24);
        remove = new QPushButton(QStringLiteral("&Delete"), this);
        remove->setGeometry(150, 170, 60, 24);
        ok = new QPushButton(QStringLiteral("OK"), this);
        ok->setGeometry(10, 210, 60, 24);
        cancel = new QPushButton(QStringLiteral("Cancel"), this);
        cancel->setGeometry(80, 210, 60, 24);
        resize(330, 250);
        setControls(ok, cancel, nullptr, name);
        bindText(name, QStringLiteral("REC:NAME"), true);
        list = new ListControl(session, store::TableId::Group, view, this);
        list->setButtons({insert, change, remove, nullptr, nullptr});
        list->setColumns({{QStringLiteral("Group"), QStringLiteral("GRP:TYPE"), 80, 20}});
        list->addSortOrder({QStringLiteral("GRP:KEYNAME"), QStringLiteral("GRP:TYPE"), LocatorKind::Step});
        list->setUpdateProcedure(TestGroupForm::procedure(services));
        addEmbeddedList(list);
    }

    QLineEdit* name;
    QTableView* view;
    QPushButton *insert, *change, *remove, *ok, *cancel;
    ListControl* list;

protected:
    void recordPrepared() override { list->refresh(Highlight::First); }
};

TEST_F(ListFormTest, AListInsideAFormBlocksTheFormWhileItsOwnFormIsOpen) {
    addGroup(QStringLiteral("Dairy"), QString());
    addGroup(QStringLiteral("Vegetables"), QString());
    auto session = newSession();
    QWidget caller;
    caller.show();
    ASSERT_TRUE(session->store().table(store::TableId::Recepie).primeAutoInc().ok());
    Response answer = Response::None;
    auto call = UpdateCall::start(*session, Request::Insert, UpdateForm::procedure<HostForm>(services), &caller,
                                  [&](Response r) { answer = r; });
    auto* host = dynamic_cast<HostForm*>(call->form());
    ASSERT_NE(host, nullptr);
    EXPECT_EQ(host->list->rowCount(), 2);

    // The step locator jumps on one character.
    QTest::keyClicks(host->view, QStringLiteral("v"));
    EXPECT_EQ(highlightedText(*host->list), QStringLiteral("Vegetables"));

    QTest::keyClick(host->view, Qt::Key_Insert);
    auto* inner = qobject_cast<TestGroupForm*>(host->list->openForm());
    ASSERT_NE(inner, nullptr);
    EXPECT_FALSE(host->ok->isEnabled());
    EXPECT_FALSE(host->name->isEnabled());
    EXPECT_FALSE(host->view->isEnabled());
    EXPECT_TRUE(inner->isEnabled());
    QTest::keyClicks(inner->type, QStringLiteral("Fish"));

    // Closing the outer form first closes the inner one, which asks about its own record.
    messages.script({Answer::Cancel});
    EXPECT_FALSE(host->requestClose());
    EXPECT_EQ(messages.entries().size(), 1);
    EXPECT_EQ(messages.entries().at(0).procedure, QStringLiteral("TestGroupForm"));
    ASSERT_EQ(host->list->openForm(), inner);

    QTest::mouseClick(inner->ok, Qt::LeftButton);
    EXPECT_EQ(host->list->openForm(), nullptr);
    EXPECT_TRUE(host->ok->isEnabled());
    EXPECT_TRUE(host->name->isEnabled());
    EXPECT_EQ(highlightedText(*host->list), QStringLiteral("Fish"));
    EXPECT_EQ(answer, Response::None);

    // The list has no default button of its own: Enter goes on to the form's OK.
    QTest::keyClicks(host->name, QStringLiteral("Stew"));
    QTest::keyClick(host->view, Qt::Key_Return);
    EXPECT_EQ(answer, Response::Completed);
    EXPECT_TRUE(call->finished());
    EXPECT_EQ(session->store().buffer(store::TableId::Recepie).text(QStringLiteral("REC:NAME")), QStringLiteral("Stew"));
}

TEST_F(ListFormTest, DoubleClickOnAHeaderBorderFitsTheColumnToItsContents) {
    addGroup(QStringLiteral("Dairy"), QStringLiteral("A description far wider than the sixty units of its column"));
    auto w = openList();
    QHeaderView* header = w->view->horizontalHeader();
    const int before = header->sectionSize(1);
    const int border = header->sectionViewportPosition(1) + before - 1;
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, QPoint(border, header->height() / 2));
    EXPECT_GT(header->sectionSize(1), before);
    const QString text = w->list().model().index(0, 1).data().toString();
    EXPECT_GE(header->sectionSize(1), w->view->fontMetrics().horizontalAdvance(text));
    EXPECT_LT(header->sectionSize(1), w->view->fontMetrics().horizontalAdvance(text) + 40);
}

TEST_F(ListFormTest, AMaximizedListOpensMaximizedAgain) {
    {
        auto w = openList();
        w->showMaximized();
        QTest::mouseClick(w->close, Qt::LeftButton);
    }
    EXPECT_EQ(settings->value(QStringLiteral("TestGroupList"), QStringLiteral("Maximize")).toString(), QStringLiteral("Yes"));
    auto w = openList();
    EXPECT_TRUE(w->isMaximized());
}

TEST_F(ListFormTest, InsideAMultipleDocumentAreaTheSubWindowKeepsThePositionAndClosesTheFormFirst) {
    addGroup(QStringLiteral("Dairy"), QString());
    QMdiArea area;
    area.resize(900, 700);
    area.show();
    auto* w = new TestGroupList(services, newSession(), TestGroupForm::procedure(services));
    QMdiSubWindow* sub = area.addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->show();
    sub->move(30, 40);
    QPointer<TestGroupList> alive(w);

    QTest::keyClick(w->view, Qt::Key_Return);
    TestGroupForm* f = form(*w);
    ASSERT_NE(f, nullptr);
    QTest::keyClicks(f->type, QStringLiteral("x"));
    messages.script({Answer::Cancel});
    EXPECT_FALSE(sub->close());
    ASSERT_TRUE(alive);
    EXPECT_EQ(form(*w), f);
    EXPECT_FALSE(w->close->isEnabled());   // the list takes no input meanwhile
    messages.script({Answer::No});
    EXPECT_TRUE(sub->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
    const DialogUnits du(windowFont());
    EXPECT_EQ(settings->value(QStringLiteral("TestGroupList"), QStringLiteral("XPos")).toInt(), du.toX(30));
    EXPECT_EQ(settings->value(QStringLiteral("TestGroupList"), QStringLiteral("YPos")).toInt(), du.toY(40));
}

}  // namespace
