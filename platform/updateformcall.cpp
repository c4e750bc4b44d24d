#include "updateformcall.h"

#include "updateform.h"

#include <QWidget>

namespace nm::platform {

std::shared_ptr<UpdateCall> UpdateCall::start(Session& session, Request request, UpdateProcedure procedure,
                                              QWidget* caller, UpdateDone done) {
    std::shared_ptr<UpdateCall> call(
        new UpdateCall(session, request, std::move(procedure), caller, std::move(done)));
    call->blockCaller(true);
    call->run(call);
    return call;
}

UpdateCall::UpdateCall(Session& session, Request request, UpdateProcedure procedure, QWidget* caller,
                       UpdateDone done)
    : m_session(session), m_request(request), m_procedure(std::move(procedure)), m_caller(caller),
      m_done(std::move(done)) {}

void UpdateCall::run(const std::shared_ptr<UpdateCall>& self) {
    m_session.request = m_request;
    // The continuation keeps the call alive until the form has ended.
    UpdateForm* form = m_procedure(m_session, m_caller.data(), [self](Response response) {
        self->m_form = nullptr;
        if (self->m_abandoned)
            return;
        if (self->m_session.navigationRequest != 0) {
            self->run(self);
            return;
        }
        self->m_finished = true;
        self->blockCaller(false);
        UpdateDone done = std::move(self->m_done);
        if (done)
            done(response);
    });
    if (!m_finished && form && !form->hasEnded())
        m_form = form;
}

bool UpdateCall::requestClose() {
    if (m_finished)
        return true;
    if (m_form)
        m_form->requestClose();
    return m_finished;
}

void UpdateCall::blockCaller(bool blocked) {
    if (!blocked) {
        for (const QPointer<QWidget>& child : std::as_const(m_blocked)) {
            if (child)
                child->setEnabled(true);
        }
        m_blocked.clear();
        return;
    }
    if (!m_caller)
        return;
    // The controls, not the caller itself: the form is the caller's window's child and must stay usable.
    const QList<QWidget*> children = m_caller->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* child : children) {
        if (!child->isWindow() && child->isEnabled()) {
            child->setEnabled(false);
            m_blocked.append(child);
        }
    }
}

void UpdateCall::abandon() {
    blockCaller(false);
    m_abandoned = true;
    m_done = nullptr;
    if (m_form)
        m_form->abandon();
    m_form = nullptr;
    m_finished = true;
}

}  // namespace nm::platform
