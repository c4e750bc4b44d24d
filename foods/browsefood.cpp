#include "browsefood.h"

#include "foodexport.h"
#include "foodrows.h"
#include "foodview.h"
#include "mntfood.h"
#include "statustip.h"
#include "textinsert.h"

#include "platform/dialogunits.h"
#include "platform/resize.h"
#include "platform/updateform.h"
#include "resources/resourcepaths.h"
#include "store/tables.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

namespace nm::foods {

using platform::HPos;
using platform::HSize;
using platform::ListCell;
using platform::ListColumn;
using platform::VPos;
using platform::VSize;

namespace {

// Row fields: name, then tick and description per blood type A, B, AB, O, then the group.
constexpr int kTickColumn[4] = {1, 3, 5, 7};
constexpr int kDescColumn[4] = {2, 4, 6, 8};

const QString kOrStatus =
    QStringLiteral("Do not select OR if you only want to see foods that have selected effect in both lists");
const QString kOrTip =
    QStringLiteral("Do not select OR if you only want to see foods\nthat have selected effect in both lists");

template <class W>
W* make(QWidget* parent, const QString& name) {
    auto* w = new W(parent);
    w->setObjectName(name);
    return w;
}

}  // namespace

BrowseFood::BrowseFood(platform::Services& services, std::unique_ptr<platform::Session> session, QWidget* parent)
    : platform::ListWindow(services, std::move(session), procedure(), parent) {
    m_icons[int(RatingIcon::Cancel)] = QIcon(res::avoidIcon());
    m_icons[int(RatingIcon::Ok)] = QIcon(res::benefitIcon());
    m_icons[int(RatingIcon::Dish)] = QIcon(res::neutralIcon());
    buildControls();
    setUpListControl();
    setUpResizing();
    setHelpTopic(helpTopic());

    // The window opens with every rating and blood-type box ticked and OR unticked: "All", no filter.
    for (QCheckBox* box : {m_fa, m_fb, m_fab, m_fo, m_fbenefit, m_fneutral, m_favoid})
        box->setChecked(true);
    buildFilter();
}

BrowseFood::~BrowseFood() = default;

void BrowseFood::buildControls() {
    const platform::DialogUnits du(font());
    setWindowTitle(QStringLiteral("Browse Foods... "));
    const QSize minimum = du.size(507, 300);
    setMinimumSize(minimum);
    resize(minimum);

    auto place = [&du](QWidget* w, int x, int y, int width = -1, int height = -1) {
        if (width < 0 || height < 0) {
            w->adjustSize();
            w->move(du.x(x), du.y(y));
        } else {
            w->setGeometry(du.rect(x, y, width, height));
        }
    };
    auto box = [&](const QString& name, const QString& text, int x, int y, int w = -1, int h = -1) {
        auto* b = make<QCheckBox>(this, name);
        b->setText(text);
        place(b, x, y, w, h);
        return b;
    };
    auto button = [&](const QString& name, const QString& text, int x, int y, int w, int h) {
        auto* b = make<QPushButton>(this, name);
        b->setText(text);
        b->setAutoDefault(false);
        place(b, x, y, w, h);
        return b;
    };

    // The sheet lies under the list; both tabs show the same list.
    m_sheet = make<QTabWidget>(this, QStringLiteral("SHEET1"));
    m_sheet->addTab(make<QWidget>(nullptr, QStringLiteral("TAB1")), QStringLiteral("By Food Name"));
    m_sheet->addTab(make<QWidget>(nullptr, QStringLiteral("TAB2")), QStringLiteral("By Food Group"));
    place(m_sheet, 8, 50, 493, 146);

    m_groupFilter = make<QGroupBox>(this, QStringLiteral("GROUPFILTER"));
    m_groupFilter->setTitle(QStringLiteral("Tick boxes to create filter"));
    place(m_groupFilter, 8, 4, 141, 30);
    m_groupBlood = make<QGroupBox>(this, QStringLiteral("GROUPBLOOD"));
    m_groupBlood->setTitle(QStringLiteral("Select Blood Type(s)"));
    place(m_groupBlood, 192, 32, 309, 27);
    m_groupNotes = make<QGroupBox>(this, QStringLiteral("GROUPNOTES"));
    m_groupNotes->setTitle(QStringLiteral("Notes"));
    place(m_groupNotes, 8, 202, 492, 69);

    m_listView = make<QTableView>(this, QStringLiteral("LIST"));
    m_listView->setTextElideMode(Qt::ElideNone);   // a narrow column cuts its text, as the list always has
    place(m_listView, 16, 68, 477, 120);
    StatusTipOnFocus::install(m_listView, QStringLiteral("Browsing Records"));

    m_fbenefit = box(QStringLiteral("LOC:FBENEFIT"), QStringLiteral("Benefit"), 14, 20);
    m_fneutral = box(QStringLiteral("LOC:FNEUTRAL"), QStringLiteral("Neutral"), 60, 20);
    m_favoid = box(QStringLiteral("LOC:FAVOID"), QStringLiteral("Avoid"), 104, 20);
    m_clearFilter = button(QStringLiteral("BUTTONCLEARFILTER"), QStringLiteral("Clear filter"), 450, 18, 50, 14);
    m_fa = box(QStringLiteral("LOC:FA"), QStringLiteral("A"), 204, 44);
    m_fb = box(QStringLiteral("LOC:FB"), QStringLiteral("B"), 256, 44);
    m_fab = box(QStringLiteral("LOC:FAB"), QStringLiteral("AB"), 306, 44);
    m_fo = box(QStringLiteral("LOC:FO"), QStringLiteral("O"), 358, 44);
    m_or = box(QStringLiteral("LOC:OR"), QStringLiteral("OR (not AND)"), 434, 44, 57, 10);
    m_or->setToolTip(kOrTip);
    StatusTipOnFocus::install(m_or, kOrStatus);

    QFont bold = font();
    bold.setBold(true);
    m_filteredBy = make<QLabel>(this, QStringLiteral("LOC:FILTEREDBY"));
    m_filteredBy->setFont(bold);
    m_filteredBy->setStyleSheet(QStringLiteral("color: #0000FF;"));
    place(m_filteredBy, 216, 4, 284, 10);
    m_stringSearch = make<QLabel>(this, QStringLiteral("STRINGSEARCH"));
    m_stringSearch->setText(QStringLiteral("Search:"));
    place(m_stringSearch, 342, 20);
    m_search = make<QLabel>(this, QStringLiteral("LOC:SEARCH"));
    m_search->setFont(bold);
    m_search->setStyleSheet(QStringLiteral("color: #FF0000;"));
    place(m_search, 372, 20, 65, 10);

    m_notes = make<QPlainTextEdit>(this, QStringLiteral("FOO:NOTES"));
    place(m_notes, 18, 212, 476, 53);

    m_insert = button(QStringLiteral("INSERT"), QStringLiteral("&Add"), 7, 278, 50, 14);
    m_change = button(QStringLiteral("CHANGE"), QStringLiteral("&Change"), 62, 278, 50, 14);
    m_delete = button(QStringLiteral("DELETE"), QStringLiteral("&Delete"), 117, 278, 50, 14);
    m_select = button(QStringLiteral("SELECT"), QStringLiteral("&Select"), 172, 278, 50, 14);
    m_close = button(QStringLiteral("CLOSE"), QStringLiteral("Close"), 227, 278, 50, 14);
    m_export = button(QStringLiteral("EXPORT"), QStringLiteral("Print or Export List"), 318, 278, 80, 14);
    m_change->setDefault(true);

    // The list lies over the sheet.
    m_listView->raise();

    QWidget* order[] = {m_listView, m_groupFilter, m_fbenefit, m_fneutral, m_favoid, m_clearFilter,
                        m_groupBlood, m_fa, m_fb, m_fab, m_fo, m_or, m_filteredBy, m_stringSearch, m_search,
                        m_sheet, m_groupNotes, m_notes, m_insert, m_change, m_delete, m_select, m_close,
                        m_export};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (QCheckBox* b : {m_fa, m_fb, m_fab, m_fo, m_fbenefit, m_fneutral, m_favoid, m_or})
        connect(b, &QCheckBox::clicked, this, &BrowseFood::buildFilter);
    connect(m_clearFilter, &QPushButton::clicked, this, &BrowseFood::clearFilter);
    connect(m_export, &QPushButton::clicked, this, &BrowseFood::exportList);
    connect(m_sheet, &QTabWidget::currentChanged, this, &BrowseFood::tabChanged);
}

void BrowseFood::setUpListControl() {
    platform::ListControl& l =
        setUpList(store::TableId::Food, m_listView, {m_insert, m_change, m_delete, m_select, m_close});
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;
    QVector<ListColumn> columns;
    columns.append({QStringLiteral("Name"), QStringLiteral("FOO:NAME"), 160, kNameShown, left, left});
    for (const QString& type : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("AB"), QStringLiteral("O")}) {
        columns.append({QString(), QString(), 12, 3, left, left});
        columns.append({type, QString(), 40, 10, left, centred});
    }
    columns.append({QStringLiteral("Food Group"), QStringLiteral("GRP:TYPE"), 80, kGroupShown, left, left});
    l.setColumns(columns);
    l.setJoin(store::TableId::Group, QStringLiteral("FOO:KEYIDGROUP"), QStringLiteral("GRP:KEYIDGROUP"));
    for (FoodOrder order : {FoodOrder::ByName, FoodOrder::ByGroup, FoodOrder::Other})
        l.addSortOrder({foodOrderKey(order), foodOrderSearchField(order), platform::LocatorKind::Incremental});
    l.setRowFormatter([this](const store::ViewRow& row, QVector<ListCell>& cells) { formatRow(row, cells); });
    l.setLocatorDisplay(m_search);
    l.setHighlightColours(Qt::black, QColor(0xC0, 0xC0, 0xC0));
    l.setRowHeightDu(9);
    l.setDefaultButton(m_change);
    l.setUpdateProcedure(platform::UpdateForm::procedure<MntFood>(services()));
    connect(&l, &platform::ListControl::highlightChanged, this, &BrowseFood::showNotes);
}

void BrowseFood::setUpResizing() {
    platform::ResizeRules& rules = resizeRules();
    for (QWidget* w : {static_cast<QWidget*>(m_sheet), static_cast<QWidget*>(m_listView)})
        rules.add({w, nullptr, HPos::KeepLeft, HSize::Fixed, VPos::KeepTop, VSize::Grow});
    for (QWidget* w : {static_cast<QWidget*>(m_groupNotes), static_cast<QWidget*>(m_notes)})
        rules.add({w, nullptr, HPos::KeepLeft, HSize::Fixed, VPos::KeepBottom, VSize::Fixed});
    for (QWidget* w : {m_insert, m_change, m_delete, m_select, m_close, m_export})
        rules.add({w, nullptr, HPos::KeepLeft, HSize::Fixed, VPos::KeepBottom, VSize::Fixed});
    for (QWidget* w : {static_cast<QWidget*>(m_filteredBy), static_cast<QWidget*>(m_groupBlood),
                       static_cast<QWidget*>(m_fa), static_cast<QWidget*>(m_fb), static_cast<QWidget*>(m_fab)})
        rules.add({w, nullptr, HPos::KeepLeft, HSize::Fixed, VPos::KeepTop, VSize::Fixed});
}

FilterBoxes BrowseFood::filterBoxes() const {
    FilterBoxes b;
    b.fa = m_fa->isChecked() ? FilterBoxes::kA : 0;
    b.fb = m_fb->isChecked() ? FilterBoxes::kB : 0;
    b.fab = m_fab->isChecked() ? FilterBoxes::kAB : 0;
    b.fo = m_fo->isChecked() ? FilterBoxes::kO : 0;
    b.fbenefit = m_fbenefit->isChecked() ? FilterBoxes::kBenefit : 0;
    b.fneutral = m_fneutral->isChecked() ? FilterBoxes::kNeutral : 0;
    b.favoid = m_favoid->isChecked() ? FilterBoxes::kAvoid : 0;
    b.orBox = m_or->isChecked() ? FilterBoxes::kOr : 0;
    return b;
}

int BrowseFood::tickedMask() const {
    return (m_fo->isChecked() ? FilterBoxes::kO : 0) + (m_fa->isChecked() ? FilterBoxes::kA : 0) +
           (m_fb->isChecked() ? FilterBoxes::kB : 0) + (m_fab->isChecked() ? FilterBoxes::kAB : 0);
}

void BrowseFood::buildFilter() {
    applyFilter();
    list().refresh();
}

void BrowseFood::applyFilter() {
    const FoodFilter f = buildFoodFilter(filterBoxes());
    m_description = f.description;
    m_expression = f.expression;
    // The builder writes only field names the view knows, so the view never refuses it.
    list().setFilter(m_expression);
    m_filteredBy->setText(m_description);
}

void BrowseFood::clearFilter() {
    for (QCheckBox* b : {m_fa, m_fb, m_fab, m_fo, m_fbenefit, m_fneutral, m_favoid, m_or})
        b->setChecked(false);
    m_description = clearedFilterDescription();
    m_expression.clear();
    m_filteredBy->setText(m_description);
    list().setFilter(QString());
    list().refresh();
}

void BrowseFood::tabChanged(int index) {
    // The same filter again, then one reload in the tab's order.
    applyFilter();
    list().setSortOrder(int(foodOrderForTab(index)) - 1);
}

void BrowseFood::formatRow(const store::ViewRow& row, QVector<ListCell>& cells) const {
    const std::array<int, 4> ratings = foodRatings(row.primary);
    const int mask = tickedMask();
    if (mask != m_cellsMask) {
        // A cell depends only on its blood type, the rating and the ticked boxes: work the few
        // combinations out once per set of ticked boxes rather than once per cell.
        for (std::size_t i = 0; i < kColumnBloodTypes.size(); ++i) {
            for (int rating = 0; rating < kCachedRatings; ++rating)
                m_cells[i][std::size_t(rating)] = ratingCells(kColumnBloodTypes[i], rating, mask);
        }
        m_cellsMask = mask;
    }
    for (std::size_t i = 0; i < kColumnBloodTypes.size(); ++i) {
        const int rating = ratings[i];
        const auto& c = rating >= 0 && rating < kCachedRatings ? m_cells[i][std::size_t(rating)]
                                                               : ratingCells(kColumnBloodTypes[i], rating, mask);
        cells[kTickColumn[i]] = c.first;
        cells[kDescColumn[i]] = c.second;
    }
}

std::pair<ListCell, ListCell> BrowseFood::ratingCells(BloodType type, int rating, int mask) const {
    const RatingCells c = formatRating(type, rating, mask);
    ListCell tick;
    tick.text = c.tick;
    ListCell desc;
    desc.text = c.desc;
    desc.foreground = toQColor(c.descColours.normalFg);
    desc.background = toQColor(c.descColours.normalBg);
    desc.selectedForeground = toQColor(c.descColours.selectedFg);
    desc.selectedBackground = toQColor(c.descColours.selectedBg);
    desc.icon = m_icons[std::size_t(c.icon)];
    desc.tip = c.tip;
    return {tick, desc};
}

void BrowseFood::showNotes(int row) {
    // The box shows the highlighted food's notes; what is typed into it is never stored.
    if (row < 0) {
        m_notes->clear();
        return;
    }
    // A food without a group leaves no group in the buffer, so the form does not pick up the group of
    // the row highlighted before.
    if (!list().model().row(row).record.joined)
        session().store().buffer(store::TableId::Group).clear();
    m_notes->setPlainText(notesForDisplay(session().store().buffer(store::TableId::Food).text(
        QStringLiteral("FOO:NOTES"))));
}

void BrowseFood::exportList() {
    emit exportRequested();
    exportFoodList(*this);
}

QWidget* createBrowseFood(platform::Services& services, std::unique_ptr<platform::Session> session) {
    auto* window = new BrowseFood(services, std::move(session));
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

}  // namespace nm::foods
