#include "updateform.h"

#include "dialogunits.h"
#include "focushighlight.h"
#include "helpviewer.h"
#include "listwindow.h"
#include "messages.h"
#include "settings.h"
#include "store/relationmanager.h"
#include "store/tablemanager.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace nm::platform {

using store::ErrorCode;
using store::Record;
using store::Result;

namespace {

const QString kSaveRecordTitle = QStringLiteral("Save Record");
const QString kSaveRecordText = QStringLiteral("Do you want to save the changes to this record?");

bool isDittoKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_H && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

}  // namespace

UpdateForm::UpdateForm(Services& services, Session& session, QString procedure, store::TableId table,
                       QWidget* caller)
    : QWidget(caller ? caller->window() : nullptr, Qt::Dialog),
      m_services(services),
      m_session(session),
      m_procedure(std::move(procedure)),
      m_table(table),
      m_caller(caller),
      m_saved(table) {
    setObjectName(m_procedure);
    setFont(windowFont());
}

UpdateForm::~UpdateForm() {
    if (m_registered && m_services.messages)
        m_services.messages->unregisterProcedure(m_procedure);
}

QString UpdateForm::actionMessageFor(Request request) {
    switch (request) {
    case Request::Insert:
        return QStringLiteral("Record will be Added");
    case Request::Change:
        return QStringLiteral("Record will be Changed");
    case Request::View:
        return QStringLiteral("View Record");
    default:
        return {};
    }
}

Record& UpdateForm::record() {
    return m_session.store().buffer(m_table);
}

void UpdateForm::setControls(QPushButton* ok, QPushButton* cancel, QLabel* actionMessage, QWidget* firstField) {
    m_ok = ok;
    m_cancel = cancel;
    m_actionMessage = actionMessage;
    m_firstField = firstField;
    if (m_ok) {
        m_ok->setAutoDefault(true);
        m_ok->setDefault(true);
        connect(m_ok, &QPushButton::clicked, this, &UpdateForm::pressOk);
    }
    if (m_cancel) {
        m_cancel->setAutoDefault(true);
        connect(m_cancel, &QPushButton::clicked, this, &UpdateForm::pressCancel);
    }
}

void UpdateForm::addEmbeddedList(ListControl* list) {
    m_embedded.append(list);
}

void UpdateForm::bind(QWidget* control, const QString& field, std::function<void(const Record&)> load,
                      std::function<void(Record&)> store, bool ditto) {
    m_bindings.append({control, field, std::move(load), std::move(store), ditto});
    if (ditto && control)
        control->installEventFilter(this);
}

void UpdateForm::bindText(QLineEdit* edit, const QString& field, bool ditto) {
    const store::TableDef& def = store::tableDef(m_table);
    const int index = def.fieldIndex(field);
    if (index >= 0 && def.fields.at(index).type == store::FieldType::String)
        edit->setMaxLength(def.fields.at(index).width);
    bind(edit, field, [edit, field](const Record& r) { edit->setText(r.text(field)); },
         [edit, field](Record& r) { r.setText(field, edit->text()); }, ditto);
}

void UpdateForm::bindText(QPlainTextEdit* edit, const QString& field, bool ditto) {
    bind(edit, field, [edit, field](const Record& r) { edit->setPlainText(r.text(field)); },
         [edit, field](Record& r) { r.setText(field, edit->toPlainText()); }, ditto);
}

void UpdateForm::bindDisplay(QLabel* label, const QString& field, bool ditto) {
    bind(label, field, [label, field](const Record& r) { label->setText(r.text(field)); }, nullptr, ditto);
}

void UpdateForm::displayRecord(const Record& rec) {
    for (const Binding& b : m_bindings) {
        if (b.load)
            b.load(rec);
    }
}

void UpdateForm::takeControls(Record& rec) const {
    for (const Binding& b : m_bindings) {
        if (b.store)
            b.store(rec);
    }
}

Record UpdateForm::currentRecord() const {
    Record rec = m_session.store().buffer(m_table);
    takeControls(rec);
    return rec;
}

QWidget* UpdateForm::dittoFieldFor(QWidget* focus) const {
    for (const Binding& b : m_bindings) {
        if (b.ditto && b.control && (b.control == focus || b.control->isAncestorOf(focus)))
            return b.control;
    }
    return nullptr;
}

// --- start ------------------------------------------------------------------------------------------

void UpdateForm::start(UpdateDone done) {
    m_done = std::move(done);
    if (m_services.messages) {
        m_services.messages->registerProcedure(m_procedure);
        m_registered = true;
    }
    m_request = m_session.request;
    m_session.request = Request::None;
    m_session.response = Response::None;
    if (m_request != Request::Insert && m_request != Request::Change && m_request != Request::Delete)
        m_request = Request::View;   // anything else only shows the record

    m_ditto = &m_session.ditto(m_procedure, m_table);
    if (!m_session.store().relation(m_table).open()) {
        finish(Response::Cancelled);
        return;
    }
    prepareAndOpen();
}

void UpdateForm::prepareAndOpen() {
    switch (m_request) {
    case Request::Insert:
        presetNewRecord(record());
        break;
    case Request::Delete:
        runDelete();
        return;
    default:
        break;
    }
    m_saved = record();
    recordPrepared();
    openWindow();
}

void UpdateForm::runDelete() {
    MessageService& messages = *m_services.messages;
    if (!messages.askYesNo(QStringLiteral("Confirm Delete"),
                           QStringLiteral("Are you sure you want to delete the highlighted record?"))) {
        finish(Response::Cancelled);
        return;
    }
    for (;;) {
        const Result r = m_session.store().relation(m_table).remove();
        if (r.ok()) {
            finish(Response::Completed);
            return;
        }
        if (r.code == ErrorCode::RestrictedDelete) {
            messages.notice(QStringLiteral("Referential Integrity Delete Error"),
                            QStringLiteral("This record is referenced from the file %1. This record cannot be "
                                           "deleted while these references exist.")
                                .arg(r.text));
            finish(Response::Cancelled);
            return;
        }
        if (!messages.askYesNo(QStringLiteral("Record Delete Error"),
                               QStringLiteral("An error was experienced deleting this record. Do you want to try "
                                              "to delete it again?"))) {
            finish(Response::Cancelled);
            return;
        }
    }
}

void UpdateForm::openWindow() {
    displayRecord(record());
    if (m_actionMessage)
        m_actionMessage->setText(actionMessageFor(m_request));
    if (!m_resizable)
        setFixedSize(size());
    show();
    m_opened = true;
    if (m_services.settings)
        m_services.settings->restoreWindow(*this, m_procedure, m_resizable);
    activateWindow();
    focusFirstField();
    m_highlight = new FocusHighlight(*this);
    m_help = new HelpLink(*this, m_services.help, m_helpTopic);
}

void UpdateForm::focusFirstField() {
    if (m_firstField)
        m_firstField->setFocus(Qt::OtherFocusReason);
}

// --- OK ---------------------------------------------------------------------------------------------

void UpdateForm::pressOk() {
    if (m_ended)
        return;
    okSteps();
    if (m_request == Request::View) {
        finish(Response::Cancelled);
        return;
    }
    Record& rec = record();
    takeControls(rec);
    *m_ditto = rec;
    if (m_request == Request::Insert) {
        if (!storeInsert())
            return;
        recordStored();
        ++m_added;
        if (m_insertMode == InsertMode::Return) {
            finish(Response::Completed);
            return;
        }
        primeNextInBatch();
        return;
    }
    storeChange();
}

bool UpdateForm::storeInsert() {
    const Result r = m_session.store().relation(m_table).insert();
    if (r.ok())
        return true;
    if (r.code == ErrorCode::DuplicateKey) {
        m_services.messages->notice(
            QStringLiteral("Duplicate Key Error"),
            QStringLiteral("Adding this record creates a duplicate entry for the key: %1").arg(r.text));
    } else {
        m_services.messages->notice(
            QStringLiteral("Record Insert Error"),
            QStringLiteral("An error was experienced during the creation of a record.\nFile: %1\nError: %2.")
                .arg(store::tableDef(m_table).label, r.text));
    }
    focusFirstField();
    return false;
}

void UpdateForm::primeNextInBatch() {
    m_lastAdded = std::make_unique<Record>(record());
    store::TableManager& table = m_session.store().table(m_table);
    if (!table.primeAutoInc().ok()) {
        // No next record to offer: end with what was added.
        readBackLastAdded();
        finish(Response::Completed);
        return;
    }
    presetNewRecord(record());
    m_saved = record();
    displayRecord(record());
    focusFirstField();
}

void UpdateForm::storeChange() {
    Record& rec = record();
    if (rec == m_saved) {
        finish(Response::Cancelled);
        return;
    }
    MessageService& messages = *m_services.messages;
    for (;;) {
        const Result r = m_session.store().relation(m_table).update();
        if (r.ok()) {
            recordStored();
            finish(Response::Completed);
            return;
        }
        if (r.code == ErrorCode::ChangedByAnother) {
            messages.notice(QStringLiteral("Record Was Not Updated"),
                            QStringLiteral("This record was changed by another station. Those changes will now "
                                           "be displayed. Use the Ditto Button or Ctrl+H to recall your changes."));
            // The buffer now holds the other station's version; that is what the user edits from here.
            m_saved = record();
            displayRecord(record());
            focusFirstField();
            return;
        }
        const Answer a = messages.askYesNoCancel(
            QStringLiteral("Record Update Error"),
            QStringLiteral("An error was experienced changing this record. Do you want to try to save again?"),
            Answer::Cancel);
        if (a == Answer::Yes)
            continue;
        if (a == Answer::No)
            requestClose();
        else
            focusFirstField();
        return;
    }
}

// --- Cancel and closing -----------------------------------------------------------------------------

void UpdateForm::pressCancel() {
    requestClose();
}

bool UpdateForm::requestClose() {
    if (m_ended)
        return true;
    if (m_closing)
        return false;
    for (const QPointer<ListControl>& list : std::as_const(m_embedded)) {
        if (list && !list->closeForm())
            return false;
    }
    if (m_response == Response::Completed) {
        finish(Response::Completed);
        return true;
    }
    if ((m_request == Request::Insert || m_request == Request::Change) && currentRecord() != m_saved) {
        m_closing = true;
        const Answer a = m_services.messages->askYesNoCancel(kSaveRecordTitle, kSaveRecordText, Answer::Cancel);
        m_closing = false;
        if (a == Answer::Yes) {
            pressOk();
            return m_ended;
        }
        if (a != Answer::No) {
            focusFirstField();
            return false;
        }
    }
    if (m_request == Request::Insert && store::tableDef(m_table).autoNumberKey()) {
        if (!m_session.store().table(m_table).cancelAutoInc().ok()) {
            focusFirstField();
            return false;
        }
    }
    if (m_added > 0) {
        readBackLastAdded();
        finish(Response::Completed);
        return true;
    }
    finish(Response::Cancelled);
    return true;
}

void UpdateForm::readBackLastAdded() {
    if (!m_lastAdded)
        return;
    Record& rec = record();
    const store::KeyDef* key = store::tableDef(m_table).autoNumberKey();
    if (key && key->components.size() == 1) {
        const Result r = m_session.store().table(m_table).fetch(
            key->name, {QVariant(m_lastAdded->integer(key->components.first()))});
        if (r.ok())
            return;
    }
    rec = *m_lastAdded;
}

void UpdateForm::finish(Response response) {
    if (m_ended)
        return;
    m_ended = true;
    m_response = response;
    m_session.response = response;
    delete m_highlight;
    m_highlight = nullptr;
    if (m_opened) {
        if (m_services.settings)
            m_services.settings->saveWindow(*this, m_procedure, m_resizable);
        hide();
    }
    delete m_help;
    m_help = nullptr;
    if (m_registered && m_services.messages) {
        m_services.messages->unregisterProcedure(m_procedure);
        m_registered = false;
    }
    UpdateDone done = std::move(m_done);
    m_done = nullptr;
    emit ended(response);
    deleteLater();
    if (done)
        done(response);
}

void UpdateForm::abandon() {
    if (m_ended)
        return;
    m_done = nullptr;
    for (const QPointer<ListControl>& list : std::as_const(m_embedded)) {
        if (list)
            list->abandonForm();
    }
    finish(Response::Cancelled);
}

// --- events -----------------------------------------------------------------------------------------

void UpdateForm::closeEvent(QCloseEvent* event) {
    // The close box takes the Cancel path; the form hides itself once it has ended.
    event->ignore();
    if (!m_ended)
        requestClose();
}

void UpdateForm::keyPressEvent(QKeyEvent* event) {
    // OK is the default button: Enter in any control that does not keep it for itself presses it.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && m_ok && m_ok->isEnabled()
        && m_ok->isVisible()) {
        m_ok->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool UpdateForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isDittoKey(key)) {
            for (const Binding& b : std::as_const(m_bindings)) {
                if (b.ditto && b.control == watched) {
                    if (event->type() == QEvent::ShortcutOverride) {
                        event->accept();
                        return false;
                    }
                    applyDitto(b);
                    return true;
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpdateForm::applyDitto(const Binding& binding) {
    if (!m_ditto || !binding.load)
        return;
    binding.load(*m_ditto);
}

}  // namespace nm::platform
