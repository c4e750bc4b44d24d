#include "brrecepies.h"

#include "uprecepies.h"

#include "foods/statustip.h"
#include "platform/dialogunits.h"
#include "platform/resize.h"
#include "platform/updateform.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

namespace nm::recipes {

using namespace platform;

namespace {
const QString kMethod = QStringLiteral("REC:METHOD");
constexpr int kRatingShown = 7;
}  // namespace

BrRecepies::BrRecepies(Services& services, std::unique_ptr<Session> session, QWidget* parent)
    : ListWindow(services, std::move(session), procedure(), parent) {
    setWindowTitle(QStringLiteral("Browse Recipes..."));
    const DialogUnits du(font());

    auto button = [this, &du](const QString& name, const QString& text, int x, int y) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(du.rect(x, y, 50, 14));
        return b;
    };

    m_group = new QGroupBox(this);
    m_group->setObjectName(QStringLiteral("GROUPMAIN"));
    m_group->setGeometry(du.rect(7, 6, 493, 273));

    m_list = new QTableView(this);
    m_list->setObjectName(QStringLiteral("LISTRECEPIES"));
    m_list->setGeometry(du.rect(16, 18, 475, 177));
    foods::StatusTipOnFocus::install(m_list, QStringLiteral("Browsing Records"));

    m_method = new QPlainTextEdit(this);
    m_method->setObjectName(kMethod);
    m_method->setGeometry(du.rect(16, 202, 475, 52));
    // The list shows the method; it is changed in the recipe form.
    m_method->setReadOnly(true);
    m_method->setToolTip(QStringLiteral("Method"));
    foods::StatusTipOnFocus::install(m_method, QStringLiteral("Method"));
    QPalette face = m_method->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    m_method->setPalette(face);

    m_insert = button(QStringLiteral("INSERT"), QStringLiteral("&Add"), 16, 260);
    m_change = button(QStringLiteral("CHANGE"), QStringLiteral("&Change"), 74, 260);
    m_delete = button(QStringLiteral("DELETE"), QStringLiteral("&Delete"), 132, 260);
    m_select = button(QStringLiteral("SELECT"), QStringLiteral("&Select"), 190, 260);
    m_close = button(QStringLiteral("CLOSE"), QStringLiteral("C&lose"), 7, 284);
    m_change->setDefault(true);

    resize(du.size(507, 302));
    setMinimumSize(du.size(507, 302));

    const bool viewing = request() == Request::View;
    ListButtons buttons{viewing ? nullptr : m_insert, viewing ? nullptr : m_change, viewing ? nullptr : m_delete,
                        m_select, m_close};
    if (viewing) {
        m_insert->setEnabled(false);
        m_change->setEnabled(false);
        m_delete->setEnabled(false);
    }
    ListControl& list = setUpList(store::TableId::Recepie, m_list, buttons);
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    ListColumn name{QStringLiteral("Name"), QStringLiteral("REC:NAME"), 155, 60};
    ListColumn summary{QStringLiteral("Summary"), QStringLiteral("REC:SUMMARY"), 184, 60};
    ListColumn a{QStringLiteral("A"), QStringLiteral("REC:ARATE"), 30, kRatingShown};
    ListColumn b{QStringLiteral("B"), QStringLiteral("REC:BRATE"), 30, kRatingShown};
    ListColumn ab{QStringLiteral("AB"), QStringLiteral("REC:ABRATE"), 30, kRatingShown};
    ListColumn o{QStringLiteral("O"), QStringLiteral("REC:ORATE"), 30, kRatingShown};
    for (ListColumn* c : {&a, &b, &ab, &o})
        c->headerAlign = centred;
    list.setColumns({name, summary, a, b, ab, o});
    list.addSortOrder({QStringLiteral("REC:KEYNAME"), QStringLiteral("REC:NAME"), LocatorKind::Step});
    if (!viewing)
        list.setUpdateProcedure(UpdateForm::procedure<UpRecepies>(services));
    connect(&list, &ListControl::highlightChanged, this, &BrRecepies::showMethod);

    ResizeRules& rules = resizeRules();
    rules.add({m_group, nullptr, HPos::KeepLeft, HSize::Grow, VPos::KeepTop, VSize::Grow});
    rules.add({m_list, nullptr, HPos::KeepLeft, HSize::Grow, VPos::KeepTop, VSize::Grow});
    rules.add({m_method, nullptr, HPos::KeepLeft, HSize::Grow, VPos::KeepBottom, VSize::Fixed});
    for (QPushButton* btn : {m_insert, m_change, m_delete, m_select, m_close})
        rules.add({btn, nullptr, HPos::KeepLeft, HSize::Fixed, VPos::KeepBottom, VSize::Fixed});

    list.refresh(Highlight::First);
}

void BrRecepies::showMethod(int row) {
    // The buffer holds the highlighted recipe; with no rows the box is empty.
    m_method->setPlainText(row < 0 ? QString() : session().store().buffer(store::TableId::Recepie).text(kMethod));
}

QWidget* createBrRecepies(Services& services, std::unique_ptr<Session> session) {
    auto* window = new BrRecepies(services, std::move(session));
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

}  // namespace nm::recipes
