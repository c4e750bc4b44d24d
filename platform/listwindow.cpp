#include "listwindow.h"

#include "dialogunits.h"
#include "focushighlight.h"
#include "helpviewer.h"
#include "messages.h"
#include "resize.h"
#include "settings.h"
#include "store/relationmanager.h"
#include "store/tablemanager.h"
#include "updateform.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>

namespace nm::platform {

using store::Record;
using store::TableId;

// --- ListControl ------------------------------------------------------------------------------------

ListControl::ListControl(Session& session, TableId table, QTableView* view, QWidget* host)
    : QObject(host),
      m_session(session),
      m_table(table),
      m_view(view),
      m_viewport(view->viewport()),
      m_host(host),
      m_model(new ListModel(this)),
      m_delegate(new ListDelegate(this)),
      m_storeView(std::make_unique<store::View>(session.store(), table, QString())) {
    m_view->setModel(m_model);
    m_view->setItemDelegate(m_delegate);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setTabKeyNavigation(false);
    m_view->setWordWrap(false);
    m_view->setContextMenuPolicy(Qt::PreventContextMenu);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->horizontalHeader()->setStretchLastSection(false);
    m_view->horizontalHeader()->setSectionsClickable(false);
    setRowHeightDu(9);
    m_view->installEventFilter(this);
    m_viewport->installEventFilter(this);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { onCurrentChanged(); });
    connect(m_view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            activateRow();
    });
}

ListControl::~ListControl() {
    abandonForm();
    delete m_menu;
}

void ListControl::setColumns(QVector<ListColumn> columns) {
    const DialogUnits du(m_view->font());
    QVector<int> indents;
    for (const ListColumn& c : columns)
        indents.append(du.x(c.indentDu));
    m_model->setIndentPixels(indents);
    m_model->setColumns(columns);
    QHeaderView* header = m_view->horizontalHeader();
    header->setMinimumSectionSize(1);
    for (int i = 0; i < columns.size(); ++i) {
        header->setSectionResizeMode(i, columns.at(i).resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
        header->resizeSection(i, du.x(columns.at(i).widthDu));
    }
}

void ListControl::setRowFormatter(RowFormatter formatter) {
    m_model->setRowFormatter(std::move(formatter));
}

void ListControl::addSortOrder(const SortOrder& order) {
    m_orders.append(order);
    m_locators.append(Locator(order.locator));
    if (m_orders.size() == 1) {
        m_order = 0;
        m_storeView->setKey(order.key);
    }
}

void ListControl::setJoin(TableId other, const QString& thisField, const QString& otherField) {
    m_join = other;
    m_storeView->setJoin(other, thisField, otherField);
}

void ListControl::setRange(const QString& field, const QVariant& value) {
    m_rangeField = field;
    m_rangeValue = value;
    m_storeView->setRange(field, value);
}

store::Result ListControl::setFilter(const QString& expression) {
    return m_storeView->setFilter(expression);
}

void ListControl::setButtons(const ListButtons& buttons) {
    m_buttons = buttons;
    // Enter on a button that has the focus presses that button.
    for (QPushButton* b : {buttons.insert, buttons.change, buttons.remove, buttons.select, buttons.close}) {
        if (b)
            b->setAutoDefault(true);
    }
    if (buttons.insert)
        connect(buttons.insert, &QPushButton::clicked, this, [this] { update(Request::Insert); });
    if (buttons.change)
        connect(buttons.change, &QPushButton::clicked, this, [this] { update(Request::Change); });
    if (buttons.remove)
        connect(buttons.remove, &QPushButton::clicked, this, [this] { update(Request::Delete); });
    if (buttons.select)
        connect(buttons.select, &QPushButton::clicked, this, [this] { select(); });
    refreshButtons();
}

void ListControl::setMode(Request mode) {
    m_mode = (mode == Request::Select || mode == Request::View) ? mode : Request::None;
    refreshButtons();
}

void ListControl::setLocatorDisplay(QLabel* label) {
    m_locatorDisplay = label;
    if (label)
        label->setText(searchText());
}

void ListControl::setHighlightColours(const QColor& foreground, const QColor& background) {
    m_delegate->setHighlightColours(foreground, background);
    m_view->viewport()->update();
}

void ListControl::setRowHeightDu(int du) {
    // A fixed row height: the list never measures its rows, which keeps long lists fast.
    QHeaderView* rows = m_view->verticalHeader();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(DialogUnits(m_view->font()).y(du));
}

const Locator& ListControl::locator() const {
    static const Locator none;
    return m_locators.isEmpty() ? none : m_locators.at(m_order);
}

QString ListControl::searchText() const {
    return locator().searchText();
}

int ListControl::rowCount() const {
    return m_model->rowCount();
}

int ListControl::currentRow() const {
    const QModelIndex current = m_view->selectionModel()->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void ListControl::setCurrentRow(int row) {
    if (row < 0 || row >= rowCount())
        return;
    const QModelIndex index = m_model->index(row, 0);
    if (currentRow() == row) {
        m_view->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        loadBuffer(row);
        emit highlightChanged(row);
    } else {
        m_view->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
    m_view->scrollTo(index);
}

qint64 ListControl::identityOf(const Record& record) const {
    const store::KeyDef* key = record.def().autoNumberKey();
    if (key && key->components.size() == 1)
        return record.integer(key->components.first());
    return record.rowId();
}

int ListControl::findRow(qint64 identity) const {
    if (identity <= 0)
        return -1;
    const QVector<ListRow>& rows = m_model->rows();
    for (int i = 0; i < rows.size(); ++i) {
        if (identityOf(rows.at(i).record.primary) == identity)
            return i;
    }
    return -1;
}

void ListControl::load() {
    QVector<store::ViewRow> rows;
    m_loading = true;
    // A view that cannot be read shows no rows; the store has reported why.
    if (!m_storeView->load(rows).ok())
        rows.clear();
    m_model->setRows(rows);
    m_loading = false;
    m_lastRow = -1;
    emit rowsLoaded();
}

void ListControl::refresh(Highlight how) {
    const int position = currentRow();
    qint64 identity = -1;
    if (how == Highlight::KeepRecord && position >= 0)
        identity = identityOf(m_model->row(position).record.primary);
    else if (how == Highlight::BufferRecord)
        identity = identityOf(m_session.store().buffer(m_table));
    load();
    placeHighlight(how, identity, position);
    refreshButtons();
}

void ListControl::placeHighlight(Highlight how, qint64 identity, int position) {
    const int count = rowCount();
    if (count == 0) {
        m_lastRow = -1;
        emit highlightChanged(-1);
        return;
    }
    int row = (how == Highlight::KeepRecord || how == Highlight::BufferRecord) ? findRow(identity) : -1;
    if (row < 0)
        row = how == Highlight::First ? 0 : qBound(0, position, count - 1);
    setCurrentRow(row);
}

void ListControl::setSortOrder(int index) {
    if (index < 0 || index >= m_orders.size())
        return;
    m_order = index;
    m_storeView->setKey(m_orders.at(index).key);
    refresh(Highlight::KeepRecord);
    if (m_locatorDisplay)
        m_locatorDisplay->setText(searchText());
}

void ListControl::onCurrentChanged() {
    if (m_loading)
        return;
    const int row = currentRow();
    if (row < 0 || row == m_lastRow)
        return;
    loadBuffer(row);
    emit highlightChanged(row);
}

void ListControl::loadBuffer(int row) {
    m_lastRow = row;
    if (row < 0 || row >= rowCount())
        return;
    const store::ViewRow& viewRow = m_model->row(row).record;
    store::TableManager& table = m_session.store().table(m_table);
    // Read the record afresh, so a later update compares against what is stored now.
    bool fetched = viewRow.primary.rowId() != 0 && table.fetchRow(viewRow.primary.rowId()).ok();
    if (!fetched) {
        const store::KeyDef* key = viewRow.primary.def().autoNumberKey();
        if (key && key->components.size() == 1)
            fetched = table.fetch(key->name, {QVariant(viewRow.primary.integer(key->components.first()))}).ok();
    }
    if (!fetched)
        table.buffer() = viewRow.primary;
    // A row without a joined record must not leave the previous row's joined record in the buffer.
    if (m_join) {
        if (viewRow.joined)
            m_session.store().buffer(*m_join) = *viewRow.joined;
        else
            m_session.store().buffer(*m_join).clear();
    }
}

void ListControl::refreshButtons() {
    const bool hasRows = rowCount() > 0;
    if (m_buttons.insert)
        m_buttons.insert->setEnabled(true);
    if (m_buttons.change)
        m_buttons.change->setEnabled(hasRows);
    if (m_buttons.remove)
        m_buttons.remove->setEnabled(hasRows);
    if (m_buttons.select) {
        if (m_mode == Request::Select) {
            m_buttons.select->show();
            m_buttons.select->setEnabled(hasRows);
        } else {
            m_buttons.select->hide();
            m_buttons.select->setEnabled(false);
        }
    }
}

QPushButton* ListControl::defaultButton() const {
    if (m_mode == Request::Select && m_buttons.select && rowCount() > 0)
        return m_buttons.select;
    return m_defaultButton;
}

// --- the update step --------------------------------------------------------------------------------

bool ListControl::formOpen() const {
    return m_call && !m_call->finished();
}

UpdateForm* ListControl::openForm() const {
    return formOpen() ? m_call->form() : nullptr;
}

bool ListControl::closeForm() {
    if (!formOpen())
        return true;
    return m_call->requestClose();
}

void ListControl::abandonForm() {
    if (m_call && !m_call->finished()) {
        m_call->abandon();
    }
    m_call.reset();
}

bool ListControl::primeInsert() {
    store::DataStore& data = m_session.store();
    if (m_join)
        data.buffer(*m_join).clear();
    Record& buffer = data.buffer(m_table);
    buffer.clear();
    if (buffer.def().autoNumberKey() && !data.table(m_table).primeAutoInc().ok())
        return false;
    if (!m_rangeField.isEmpty()) {
        const int index = buffer.def().fieldIndex(m_rangeField);
        if (index >= 0)
            buffer.setValue(index, m_rangeValue);
    }
    return true;
}

void ListControl::update(Request request) {
    if (formOpen())
        return;
    if (request != Request::Insert && request != Request::Change && request != Request::Delete)
        return;
    const int position = currentRow();
    if (request != Request::Insert && position < 0)
        return;
    const qint64 identity = position >= 0 ? identityOf(m_model->row(position).record.primary) : -1;
    if (m_mode == Request::View || !m_procedure) {
        formEnded(request, Response::Cancelled, identity, position);
        return;
    }
    m_session.navigationRequest = 0;
    if (request == Request::Insert) {
        if (!primeInsert()) {
            formEnded(request, Response::Cancelled, identity, position);
            return;
        }
    } else {
        loadBuffer(position);
    }
    QPointer<ListControl> self(this);
    m_call = UpdateCall::start(m_session, request, m_procedure, m_host.data(),
                               [self, request, identity, position](Response response) {
                                   if (self)
                                       self->formEnded(request, response, identity, position);
                               });
}

void ListControl::formEnded(Request request, Response response, qint64 identity, int position) {
    emit formReturned(request, response);
    Highlight how = Highlight::KeepRecord;
    if (response == Response::Completed) {
        if (request == Request::Delete) {
            how = Highlight::SamePosition;
        } else {
            how = Highlight::BufferRecord;
            identity = identityOf(m_session.store().buffer(m_table));
        }
    }
    load();
    placeHighlight(how, identity, position);
    refreshButtons();
    if (m_view->isVisible()) {
        m_view->window()->activateWindow();
        m_view->setFocus(Qt::OtherFocusReason);
    }
    emit updated(request, response);
}

void ListControl::select() {
    if (m_mode == Request::Select && actionAvailable(m_buttons.select))
        emit selectRequested();
}

// --- keys, mouse and menu ---------------------------------------------------------------------------

bool ListControl::actionAvailable(QPushButton* button) const {
    return button && button->isEnabled() && !button->isHidden() && !formOpen();
}

void ListControl::pressIfAvailable(QPushButton* button, Request) {
    if (actionAvailable(button))
        button->click();
}

void ListControl::activateRow() {
    if (m_mode == Request::Select)
        pressIfAvailable(m_buttons.select, Request::Select);
    else
        pressIfAvailable(m_buttons.change, Request::Change);
}

void ListControl::locate(QChar c) {
    if (m_locators.isEmpty())
        return;
    Locator& locator = m_locators[m_order];
    if (!locator.key(c))
        return;
    const QString field = m_orders.at(m_order).locatorField;
    const int row = locator.locate(rowCount(), [this, &field](int i) {
        return rowFieldText(m_model->row(i).record, field);
    });
    if (row >= 0)
        setCurrentRow(row);
    if (m_locatorDisplay)
        m_locatorDisplay->setText(locator.searchText());
}

bool ListControl::handleKey(QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    switch (key->key()) {
    case Qt::Key_Insert:
        if (mods != Qt::NoModifier)
            return false;
        pressIfAvailable(m_buttons.insert, Request::Insert);
        return true;
    case Qt::Key_Delete:
        if (mods != Qt::NoModifier)
            return false;
        pressIfAvailable(m_buttons.remove, Request::Delete);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods == Qt::ControlModifier) {
            pressIfAvailable(m_buttons.change, Request::Change);
            return true;
        }
        if (mods == Qt::NoModifier) {
            QPushButton* button = defaultButton();
            if (!button)
                return false;   // on to the window's own default button
            pressIfAvailable(button, Request::None);
            return true;
        }
        return false;
    case Qt::Key_Backspace:
        if (mods != Qt::NoModifier)
            return false;
        locate(QChar(u'\b'));
        return true;
    default:
        break;
    }
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    if (text.size() == 1 && text.at(0).isPrint()) {
        locate(text.at(0));
        return true;
    }
    return false;
}

void ListControl::showContextMenu(const QPoint& globalPos) {
    delete m_menu;
    m_menu = new QMenu(m_view);
    m_menu->setObjectName(QStringLiteral("ListContextMenu"));
    auto add = [this](QPushButton* button) {
        if (!button)
            return;
        QAction* action = m_menu->addAction(button->text());
        action->setObjectName(button->objectName());
        action->setEnabled(actionAvailable(button));
        QPointer<QPushButton> target(button);
        connect(action, &QAction::triggered, this, [this, target] {
            if (actionAvailable(target))
                target->click();
        });
    };
    add(m_buttons.insert);
    add(m_buttons.change);
    add(m_buttons.remove);
    if (m_mode == Request::Select)
        add(m_buttons.select);
    m_menu->popup(globalPos);
}

bool ListControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view && event->type() == QEvent::KeyPress) {
        if (handleKey(static_cast<QKeyEvent*>(event)))
            return true;
    } else if (watched == m_view && event->type() == QEvent::ShortcutOverride) {
        // The list's own keys win over shortcuts of the frame while the list has the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Insert || key->key() == Qt::Key_Delete) && mods == Qt::NoModifier)
            event->accept();
    } else if (watched == m_viewport && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            showContextMenu(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// --- ListWindow -------------------------------------------------------------------------------------

ListWindow::ListWindow(Services& services, std::unique_ptr<Session> session, QString procedure, QWidget* parent)
    : QWidget(parent), m_services(services), m_session(std::move(session)), m_procedure(std::move(procedure)) {
    setObjectName(m_procedure);
    setFont(windowFont());
    if (m_services.messages) {
        m_services.messages->registerProcedure(m_procedure);
        m_registered = true;
    }
    m_request = m_session->request;
    if (m_request != Request::Select && m_request != Request::View)
        m_request = Request::None;
    m_session->request = Request::None;
    m_session->response = Response::None;
}

ListWindow::~ListWindow() {
    if (m_list)
        m_list->abandonForm();
    m_list.reset();
    if (m_registered && m_services.messages)
        m_services.messages->unregisterProcedure(m_procedure);
}

ListControl& ListWindow::setUpList(TableId table, QTableView* view, const ListButtons& buttons) {
    m_session->store().relation(table).open();
    m_list = std::make_unique<ListControl>(*m_session, table, view, this);
    m_list->setMode(m_request);
    m_list->setButtons(buttons);
    m_list->setDefaultButton(buttons.change);
    connect(m_list.get(), &ListControl::selectRequested, this, [this] { closeWithResponse(Response::Completed); });
    if (buttons.close) {
        connect(buttons.close, &QPushButton::clicked, this, [this] {
            closeWithResponse(m_request == Request::Select ? Response::Cancelled : Response::Completed);
        });
    }
    return *m_list;
}

ResizeRules& ListWindow::resizeRules() {
    if (!m_resize)
        m_resize = new ResizeRules(*this);
    return *m_resize;
}

void ListWindow::closeWithResponse(Response response) {
    m_response = response;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void ListWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_opened)
        return;
    m_opened = true;
    if (m_services.settings)
        m_services.settings->restoreWindow(*this, m_procedure, true);
    m_highlight = new FocusHighlight(*this);
    m_help = new HelpLink(*this, m_services.help, m_helpTopic);
    if (m_list)
        m_list->view()->setFocus(Qt::OtherFocusReason);
}

void ListWindow::closeEvent(QCloseEvent* event) {
    if (m_closed) {
        event->accept();
        return;
    }
    // An open form closes first, and may keep the list open ("Save Record", Cancel).
    if (m_list && !m_list->closeForm()) {
        m_response = Response::None;
        event->ignore();
        return;
    }
    m_closed = true;
    if (m_opened && m_services.settings)
        m_services.settings->saveWindow(*this, m_procedure, true);
    delete m_highlight;
    m_highlight = nullptr;
    delete m_help;
    m_help = nullptr;
    if (m_registered && m_services.messages) {
        m_services.messages->unregisterProcedure(m_procedure);
        m_registered = false;
    }
    if (m_response == Response::None)
        m_response = m_request == Request::Select ? Response::Cancelled : Response::Completed;
    m_session->response = m_response;
    event->accept();
    emit finished(m_response);
}

void ListWindow::keyPressEvent(QKeyEvent* event) {
    // Enter anywhere in the window presses its default button (Change, or Select when picking).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && m_list) {
        QPushButton* button = m_list->defaultButton();
        if (button && button->isEnabled() && !button->isHidden() && !m_list->formOpen()) {
            button->click();
            event->accept();
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

}  // namespace nm::platform
