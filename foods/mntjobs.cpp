#include "mntjobs.h"

#include "platform/dialogunits.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace nm::foods {

using namespace platform;

MnTJobs::MnTJobs(Services& services, Session& session, QWidget* caller)
    : UpdateForm(services, session, QStringLiteral("MnTJobs"), store::TableId::Group, caller) {
    setWindowTitle(QStringLiteral("Update Food Groups"));
    const DialogUnits du(font());

    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GROUPMAIN"));
    group->setGeometry(du.rect(8, 4, 286, 60));

    m_type = new QLineEdit(this);
    m_type->setObjectName(QStringLiteral("GRP:TYPE"));
    m_type->setGeometry(du.rect(64, 16, 111, 12));

    auto label = [this, &du](const QString& name, const QString& text, int x, int y) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->move(du.x(x), du.y(y));
        l->adjustSize();
        return l;
    };
    label(QStringLiteral("STRINGJOBTYPE"), QStringLiteral("Group:"), 18, 18);
    label(QStringLiteral("STRINGDESC"), QStringLiteral("Longer desc:"), 18, 42);

    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("GRP:DESCRIPTION"));
    m_description->setGeometry(du.rect(64, 40, 212, 12));

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK"));
    ok->setGeometry(du.rect(8, 74, 50, 14));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CANCEL"));
    cancel->setGeometry(du.rect(66, 74, 50, 14));

    auto* action = new QLabel(this);
    action->setObjectName(QStringLiteral("ACTIONMESSAGE"));
    action->setGeometry(du.rect(126, 76, 170, 10));

    resize(du.size(304, 96));

    setInsertMode(InsertMode::Return);
    setControls(ok, cancel, action, m_type);
    bindText(m_type, QStringLiteral("GRP:TYPE"), true);
    bindText(m_description, QStringLiteral("GRP:DESCRIPTION"), true);
}

}  // namespace nm::foods
