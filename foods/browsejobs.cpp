#include "browsejobs.h"

#include "mntjobs.h"
#include "platform/dialogunits.h"
#include "platform/resize.h"
#include "platform/updateform.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTableView>

namespace nm::foods {

using namespace platform;

BrowseJobs::BrowseJobs(Services& services, std::unique_ptr<Session> session, QWidget* parent)
    : ListWindow(services, std::move(session), QStringLiteral("BrowseJobs"), parent) {
    setWindowTitle(QStringLiteral("Browse Food Groups"));
    const DialogUnits du(font());

    auto button = [this, &du](const QString& name, const QString& text, QRect r) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(du.rect(r.x(), r.y(), r.width(), r.height()));
        return b;
    };

    m_group = new QGroupBox(this);
    m_group->setObjectName(QStringLiteral("GROUPMAIN"));
    m_group->setGeometry(du.rect(7, 4, 368, 263));

    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("LIST"));
    m_list->setStatusTip(QStringLiteral("Browsing Records"));
    m_list->setGeometry(du.rect(16, 18, 351, 220));

    m_insert = button(QStringLiteral("INSERT"), QStringLiteral("&Insert"), {14, 246, 50, 14});
    m_change = button(QStringLiteral("CHANGE"), QStringLiteral("&Change"), {70, 246, 50, 14});
    m_delete = button(QStringLiteral("DELETE"), QStringLiteral("&Delete"), {126, 246, 50, 14});
    m_select = button(QStringLiteral("SELECT"), QStringLiteral("&Select"), {182, 246, 50, 14});
    m_close = button(QStringLiteral("CLOSE"), QStringLiteral("Close"), {7, 270, 50, 14});
    m_change->setDefault(true);

    resize(du.size(381, 288));

    ListControl& list = setUpList(store::TableId::Group, m_list, {m_insert, m_change, m_delete, m_select, m_close});
    ListColumn group{QStringLiteral("Group"), QStringLiteral("GRP:TYPE"), 80, 20};
    ListColumn description{QStringLiteral("Description"), QStringLiteral("GRP:DESCRIPTION"), 200, 50};
    list.setColumns({group, description});
    list.addSortOrder({QStringLiteral("GRP:KEYNAME"), QStringLiteral("GRP:TYPE"), LocatorKind::Incremental});
    list.setUpdateProcedure(UpdateForm::procedure<MnTJobs>(services));

    ResizeRules& rules = resizeRules();
    rules.add({m_group, nullptr, HPos::KeepLeft, HSize::Grow, VPos::KeepTop, VSize::Grow});
    rules.add({m_list, m_group, HPos::KeepLeft, HSize::Proportional, VPos::KeepTop, VSize::Grow});
    for (QPushButton* b : {m_insert, m_change, m_delete, m_select})
        rules.add({b, m_group, HPos::KeepLeft, HSize::Fixed, VPos::KeepBottom, VSize::Fixed});
    rules.add({m_close, nullptr, HPos::KeepLeft, HSize::Fixed, VPos::KeepBottom, VSize::Fixed});
    setMinimumSize(du.size(388, 329));

    list.refresh(Highlight::First);
}

QWidget* createBrowseJobs(Services& services, std::unique_ptr<Session> session) {
    auto* window = new BrowseJobs(services, std::move(session));
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

}  // namespace nm::foods
