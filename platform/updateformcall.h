#pragma once
// The update call between a caller (a list, or a form that adds a missing entry) and an update form.
// It never waits in a local event loop: the caller hands over a continuation that runs once the form
// has ended, so forms opened from different lists end in whatever order their users close them.

#include "session.h"

#include <QList>
#include <QPointer>
#include <functional>
#include <memory>

class QWidget;

namespace nm::platform {

class UpdateForm;

using UpdateDone = std::function<void(Response)>;

// A form procedure: reads the session's request value, works on the session's record buffer, and calls
// `done` exactly once when it ends, with the response it also leaves in the session's response value.
// Returns the form while its window is open, or nullptr when it has already ended (a delete request).
// `caller` is the window that calls it; the form stays above it.
using UpdateProcedure = std::function<UpdateForm*(Session& session, QWidget* caller, UpdateDone done)>;

class UpdateCall {
public:
    // Clears nothing itself: the caller clears the record-navigation request beforehand. Stores the
    // request in the session, calls the procedure, and hands the response to `done`; the call is
    // repeated while the record-navigation request is non-zero afterwards. While the form is open the
    // caller's controls take no input; other windows stay usable.
    static std::shared_ptr<UpdateCall> start(Session& session, Request request, UpdateProcedure procedure,
                                             QWidget* caller, UpdateDone done);

    UpdateForm* form() const { return m_form.data(); }
    bool finished() const { return m_finished; }
    // Asks the open form to close as by its close box (it may ask "Save Record" and stay open).
    // True when the call has ended.
    bool requestClose();
    // Ends the call without asking, for a caller that is being destroyed: the form goes away and
    // `done` is never called.
    void abandon();

private:
    UpdateCall(Session& session, Request request, UpdateProcedure procedure, QWidget* caller, UpdateDone done);
    void run(const std::shared_ptr<UpdateCall>& self);
    void blockCaller(bool blocked);

    Session& m_session;
    Request m_request;
    UpdateProcedure m_procedure;
    QPointer<QWidget> m_caller;
    UpdateDone m_done;
    QPointer<UpdateForm> m_form;
    QList<QPointer<QWidget>> m_blocked;
    bool m_finished = false;
    bool m_abandoned = false;
};

}  // namespace nm::platform
