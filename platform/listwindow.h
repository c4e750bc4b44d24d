#pragma once
// List windows. ListControl is the behaviour of one list: it owns the table view's model, loads the rows
// whole from a store view, keeps the Insert, Change, Delete and Select controls in step, answers the
// list's keys, mouse and context menu, runs the keyboard locators and the sort orders, and runs the
// update call to the list's form, re-reading and highlighting afterwards. It is not a window, so a form
// can hold one (the recipe form's ingredient list).
//
// ListWindow is the top-level list window on top of it: its own session, the procedure name with the
// message service, the window position, help, focus highlight, resizing, Select and Close.
//
// Usage:
//     auto* w = new MyList(services, std::move(session));   // derives from ListWindow
//     // in MyList's constructor, after building the controls:
//     ListControl& l = setUpList(store::TableId::Group, table, {insert, change, remove, select, close});
//     l.setColumns({{u"Group"_s, u"GRP:TYPE"_s, 80, 20}, {u"Description"_s, u"GRP:DESCRIPTION"_s, 200, 50}});
//     l.addSortOrder({u"GRP:KEYNAME"_s, u"GRP:TYPE"_s, LocatorKind::Incremental});
//     l.setUpdateProcedure(UpdateForm::procedure<MnTJobs>(services));
//     l.refresh();

#include "listmodel.h"
#include "locator.h"
#include "services.h"
#include "session.h"
#include "updateformcall.h"

#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

class QPushButton;
class QTableView;

namespace nm::platform {

class FocusHighlight;
class HelpLink;
class ResizeRules;
class UpdateForm;

struct SortOrder {
    QString key;            // "GRP:KEYNAME"
    QString locatorField;   // "GRP:TYPE": the field the locator compares with
    LocatorKind locator = LocatorKind::Incremental;
};

struct ListButtons {
    QPushButton* insert = nullptr;
    QPushButton* change = nullptr;
    QPushButton* remove = nullptr;
    QPushButton* select = nullptr;
    QPushButton* close = nullptr;   // not used by the list itself; ListWindow connects it
};

// Where the highlight goes after the rows were read again.
enum class Highlight { KeepRecord, SamePosition, BufferRecord, First };

class ListControl : public QObject {
    Q_OBJECT
public:
    // `host` is the window the list lives in (the form's caller); while the list's form is open, the
    // host's controls take no input.
    ListControl(Session& session, store::TableId table, QTableView* view, QWidget* host);
    ~ListControl() override;

    // --- configuration -------------------------------------------------------------------------------
    void setColumns(QVector<ListColumn> columns);
    void setRowFormatter(RowFormatter formatter);
    void addSortOrder(const SortOrder& order);                  // the first one added is current
    void setJoin(store::TableId other, const QString& thisField, const QString& otherField);
    // Rows whose field equals the value; new records are primed with it. An empty field clears.
    void setRange(const QString& field, const QVariant& value);
    store::Result setFilter(const QString& expression);         // takes effect at the next refresh
    void setButtons(const ListButtons& buttons);
    // Plain (None), picking (Select) or view-only (View); fixed while the list is open.
    void setMode(Request mode);
    void setUpdateProcedure(UpdateProcedure procedure) { m_procedure = std::move(procedure); }
    // The button Enter presses (Select takes its place while picking); nullptr lets Enter go on to the
    // window, as in a form whose default button is OK.
    void setDefaultButton(QPushButton* button) { m_defaultButton = button; }
    void setLocatorDisplay(QLabel* label);                     // shows the search text, if wanted
    void setHighlightColours(const QColor& foreground, const QColor& background);
    void setRowHeightDu(int du);

    // --- operation -----------------------------------------------------------------------------------
    void refresh(Highlight how = Highlight::KeepRecord);        // re-reads the rows
    void setSortOrder(int index);                               // re-sorts, keeping the highlighted record
    int sortOrder() const { return m_order; }
    int sortOrderCount() const { return int(m_orders.size()); }

    // The list's update step for insert, change and delete (buttons, keys and menu call it).
    void update(Request request);
    void select();                                               // Select: emits selectRequested

    bool formOpen() const;
    UpdateForm* openForm() const;
    bool closeForm();     // Cancel and closing on the open form; true when none is open afterwards
    void abandonForm();

    int currentRow() const;
    void setCurrentRow(int row);
    int rowCount() const;
    Request mode() const { return m_mode; }
    QPushButton* defaultButton() const;

    ListModel& model() { return *m_model; }
    ListDelegate& delegate() { return *m_delegate; }
    QTableView* view() const { return m_view; }
    store::View& storeView() { return *m_storeView; }
    QMenu* contextMenu() const { return m_menu; }                // the last one opened
    const Locator& locator() const;
    QString searchText() const;

    void refreshButtons();

signals:
    // The highlight moved to `row` and the buffer holds its record (-1: no rows).
    void highlightChanged(int row);
    // The form has ended, before the rows are read again (the recipe form resets its ratings here).
    void formReturned(nm::platform::Request request, nm::platform::Response response);
    // The rows were read again, the highlight placed and the buttons refreshed.
    void updated(nm::platform::Request request, nm::platform::Response response);
    void selectRequested();
    void rowsLoaded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    qint64 identityOf(const store::Record& record) const;
    int findRow(qint64 identity) const;
    void load();
    void placeHighlight(Highlight how, qint64 identity, int position);
    void onCurrentChanged();
    void loadBuffer(int row);
    bool primeInsert();
    void formEnded(Request request, Response response, qint64 identity, int position);
    bool handleKey(QKeyEvent* key);
    void locate(QChar c);
    void showContextMenu(const QPoint& globalPos);
    bool actionAvailable(QPushButton* button) const;
    void pressIfAvailable(QPushButton* button, Request request);
    void activateRow();

    Session& m_session;
    store::TableId m_table;
    QTableView* m_view;
    QWidget* m_viewport;   // kept apart: events still arrive while the view is being destroyed
    QPointer<QWidget> m_host;
    ListModel* m_model;
    ListDelegate* m_delegate;
    std::unique_ptr<store::View> m_storeView;
    std::optional<store::TableId> m_join;
    QString m_rangeField;
    QVariant m_rangeValue;

    QVector<SortOrder> m_orders;
    QVector<Locator> m_locators;
    int m_order = 0;
    QPointer<QLabel> m_locatorDisplay;

    ListButtons m_buttons;
    QPushButton* m_defaultButton = nullptr;
    Request m_mode = Request::None;
    UpdateProcedure m_procedure;
    std::shared_ptr<UpdateCall> m_call;
    QPointer<QMenu> m_menu;
    bool m_loading = false;
    int m_lastRow = -1;
};

class ListWindow : public QWidget {
    Q_OBJECT
public:
    ListWindow(Services& services, std::unique_ptr<Session> session, QString procedure, QWidget* parent = nullptr);
    ~ListWindow() override;

    Services& services() { return m_services; }
    Session& session() { return *m_session; }
    QString procedureName() const { return m_procedure; }
    Request request() const { return m_request; }        // the mode it was opened in
    Response response() const { return m_response; }
    ListControl& list() { return *m_list; }
    bool wasOpened() const { return m_opened; }

    // Select and Close: end the window with their responses.
    void closeWithResponse(Response response);

signals:
    void finished(nm::platform::Response response);

protected:
    // For the window's constructor, once the controls stand at their design places.
    ListControl& setUpList(store::TableId table, QTableView* view, const ListButtons& buttons);
    void setHelpTopic(const QString& topic) { m_helpTopic = topic; }
    ResizeRules& resizeRules();

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    Services& m_services;
    std::unique_ptr<Session> m_session;
    QString m_procedure;
    Request m_request = Request::None;
    Response m_response = Response::None;
    std::unique_ptr<ListControl> m_list;   // goes before the session it works on
    QString m_helpTopic;
    ResizeRules* m_resize = nullptr;
    FocusHighlight* m_highlight = nullptr;
    HelpLink* m_help = nullptr;
    bool m_registered = false;
    bool m_opened = false;
    bool m_closed = false;
};

}  // namespace nm::platform
