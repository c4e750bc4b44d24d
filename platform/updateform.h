#pragma once
// The update form: the behaviour every form of the program shares. A form class builds its controls,
// binds them to record fields and sets its few settings; this class runs the request: the start order,
// the action message, OK, Cancel and closing with the "Save Record" question, the batch insert mode,
// the delete request that never shows the window, every refusal with its message, and the ditto key.
//
// Usage (a form with ctor (Services&, Session&, QWidget* caller)):
//     list.setUpdateProcedure(UpdateForm::procedure<MnTJobs>(services));

#include "listwindow.h"
#include "services.h"
#include "session.h"
#include "updateformcall.h"

#include <QPointer>
#include <QVector>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace nm::platform {

class FocusHighlight;
class HelpLink;

enum class InsertMode { Return, Batch };

class UpdateForm : public QWidget {
    Q_OBJECT
public:
    UpdateForm(Services& services, Session& session, QString procedure, store::TableId table, QWidget* caller);
    ~UpdateForm() override;

    // A form procedure for a form class: builds the form and starts it on the session's request.
    template <class Form>
    static UpdateProcedure procedure(Services& services) {
        return [&services](Session& session, QWidget* caller, UpdateDone done) -> UpdateForm* {
            auto* form = new Form(services, session, caller);
            form->start(std::move(done));
            return form->hasEnded() ? nullptr : form;
        };
    }

    // Runs the start order for the session's request. `done` is called once, when the form ends; the
    // form then deletes itself later.
    void start(UpdateDone done);

    QString procedureName() const { return m_procedure; }
    Request request() const { return m_request; }
    Response response() const { return m_response; }
    bool hasEnded() const { return m_ended; }
    bool wasOpened() const { return m_opened; }
    InsertMode insertMode() const { return m_insertMode; }
    int recordsAdded() const { return m_added; }

    store::Record& record();                       // the session's buffer of the form's table
    const store::Record& savedCopy() const { return m_saved; }
    store::Record& dittoCopy() { return *m_ditto; }
    // The record as the controls now show it, without touching the buffer.
    store::Record currentRecord() const;

    // OK as pressed by the user.
    void pressOk();
    // Cancel: the response is cancelled and the form closes through requestClose.
    void pressCancel();
    // Cancel and closing (also the close box and program shut-down). True when the form has ended.
    bool requestClose();
    // Ends without questions and without answering, for a caller that is going away.
    void abandon();

    QWidget* firstField() const { return m_firstField; }
    QPushButton* okButton() const { return m_ok; }
    QPushButton* cancelButton() const { return m_cancel; }
    QLabel* actionMessage() const { return m_actionMessage; }
    QWidget* dittoFieldFor(QWidget* focus) const;

    static QString actionMessageFor(Request request);

signals:
    void ended(nm::platform::Response response);

protected:
    Services& services() { return m_services; }
    Session& session() { return m_session; }
    store::TableId table() const { return m_table; }

    // --- settings, for the form's constructor -------------------------------------------------------
    void setInsertMode(InsertMode mode) { m_insertMode = mode; }
    void setControls(QPushButton* ok, QPushButton* cancel, QLabel* actionMessage, QWidget* firstField);
    void setHelpTopic(const QString& topic) { m_helpTopic = topic; }   // empty: the contents
    void setResizable(bool resizable) { m_resizable = resizable; }
    // Lists inside the form (the recipe form's ingredients): their open forms close before this one.
    void addEmbeddedList(ListControl* list);

    // Binds a control to a record field: `load` shows the field's value, `store` writes the control's
    // value back. A ditto control answers Ctrl+H with the ditto copy's value.
    void bind(QWidget* control, const QString& field, std::function<void(const store::Record&)> load,
              std::function<void(store::Record&)> store, bool ditto);
    void bindText(QLineEdit* edit, const QString& field, bool ditto = false);
    void bindText(QPlainTextEdit* edit, const QString& field, bool ditto = false);
    void bindDisplay(QLabel* label, const QString& field, bool ditto = false);

    // --- hooks ---------------------------------------------------------------------------------------
    // The form's presets for a new record, applied on top of the record the caller primed.
    virtual void presetNewRecord(store::Record&) {}
    // The form's own OK steps, run first when OK is pressed.
    virtual void okSteps() {}
    // After the record was prepared for the request and the saved copy taken, before the window opens.
    virtual void recordPrepared() {}
    // After a record was stored (insert or change), before the form closes or primes the next.
    virtual void recordStored() {}
    // Shows the record in the controls; the default shows every bound field.
    virtual void displayRecord(const store::Record& record);
    // Writes the controls' values into a record; the default writes every bound field.
    virtual void takeControls(store::Record& record) const;

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Binding {
        QWidget* control;
        QString field;
        std::function<void(const store::Record&)> load;
        std::function<void(store::Record&)> store;
        bool ditto;
    };

    void prepareAndOpen();
    void runDelete();
    void openWindow();
    void focusFirstField();
    bool storeInsert();
    void storeChange();
    void primeNextInBatch();
    void readBackLastAdded();
    void finish(Response response);
    void applyDitto(const Binding& binding);

    Services& m_services;
    Session& m_session;
    QString m_procedure;
    store::TableId m_table;
    QPointer<QWidget> m_caller;
    UpdateDone m_done;

    Request m_request = Request::None;
    Response m_response = Response::None;
    InsertMode m_insertMode = InsertMode::Return;
    bool m_resizable = false;
    QString m_helpTopic;

    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_actionMessage = nullptr;
    QWidget* m_firstField = nullptr;
    QVector<Binding> m_bindings;
    QVector<QPointer<ListControl>> m_embedded;

    store::Record m_saved;
    store::Record* m_ditto = nullptr;
    std::unique_ptr<store::Record> m_lastAdded;
    int m_added = 0;

    bool m_registered = false;
    bool m_opened = false;
    bool m_ended = false;
    bool m_closing = false;
    FocusHighlight* m_highlight = nullptr;
    HelpLink* m_help = nullptr;
};

}  // namespace nm::platform
