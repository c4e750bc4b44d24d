#include "uprecepies.h"

#include "ingredienttexts.h"
#include "updingedients.h"

#include "foods/statustip.h"
#include "platform/dialogunits.h"
#include "platform/listmodel.h"
#include "platform/listwindow.h"
#include "platform/resize.h"
#include "store/relationmanager.h"
#include "store/tablemanager.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>

namespace nm::recipes {

using namespace platform;
using store::Record;
using store::TableId;

namespace {

const QString kRecipeId = QStringLiteral("REC:KEYIDRECEPIE");
const QString kIngredientRecipe = QStringLiteral("REI:KEYIDRECEPIE");
// Rating fields of the recipe and the ingredient's copied codes, per blood type O, A, B, AB.
const QString kRate[4] = {QStringLiteral("REC:ORATE"), QStringLiteral("REC:ARATE"), QStringLiteral("REC:BRATE"),
                          QStringLiteral("REC:ABRATE")};
const QString kCopy[4] = {QStringLiteral("REI:BLOODO"), QStringLiteral("REI:BLOODA"), QStringLiteral("REI:BLOODB"),
                          QStringLiteral("REI:BLOODAB")};
constexpr int kRatingShown = 7;

QLabel* label(QWidget* parent, const DialogUnits& du, const QString& name, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->move(du.x(x), du.y(y));
    l->adjustSize();
    return l;
}

}  // namespace

UpRecepies::UpRecepies(Services& services, Session& session, QWidget* caller)
    : UpdateForm(services, session, procedure(), TableId::Recepie, caller) {
    setWindowTitle(QStringLiteral("Update Recipe"));
    buildControls();
    setInsertMode(InsertMode::Return);
    setResizable(true);
    setControls(m_ok, m_cancel, m_actionMessage, m_name);

    bindText(m_name, QStringLiteral("REC:NAME"), true);
    bindText(m_summary, QStringLiteral("REC:SUMMARY"), true);
    // Label order A, B, AB, O; each shows the word the fold left in the buffer.
    for (BloodType t : {BloodType::A, BloodType::B, BloodType::AB, BloodType::O}) {
        QLabel* l = m_rating[index(t)];
        const QString field = kRate[index(t)];
        bind(l, field, [l, field](const Record& r) { l->setText(r.text(field).left(kRatingShown)); }, nullptr, true);
    }
    bindText(m_method, QStringLiteral("REC:METHOD"), true);

    setUpIngredients();
    connect(this, &UpdateForm::ended, this, &UpRecepies::onEnded);
}

UpRecepies::~UpRecepies() = default;

void UpRecepies::buildControls() {
    const DialogUnits du(font());

    m_groupMain = new QGroupBox(this);
    m_groupMain->setObjectName(QStringLiteral("GROUPMAIN"));
    m_groupMain->setGeometry(du.rect(7, 4, 480, 270));

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("REC:NAME"));
    m_name->setGeometry(du.rect(54, 16, 249, 12));
    m_name->setToolTip(QStringLiteral("Name"));
    foods::StatusTipOnFocus::install(m_name, QStringLiteral("Name"));

    m_summary = new QLineEdit(this);
    m_summary->setObjectName(QStringLiteral("REC:SUMMARY"));
    m_summary->setGeometry(du.rect(54, 32, 249, 12));
    m_summary->setToolTip(QStringLiteral("Summary"));
    foods::StatusTipOnFocus::install(m_summary, QStringLiteral("Summary"));

    label(this, du, QStringLiteral("REC:NAME:PROMPT"), QStringLiteral("Recipe:"), 16, 17);
    struct RatingPlace {
        BloodType type;
        const char* labelName;
        const char* labelText;
        int labelX;
        int fieldX;
    };
    const RatingPlace places[4] = {{BloodType::A, "STRINGA:", "A:", 310, 318},
                                   {BloodType::B, "STRINGB", "B:", 353, 362},
                                   {BloodType::AB, "STRINGC", "AB:", 396, 408},
                                   {BloodType::O, "STRINGO", "O:", 443, 452}};
    for (const RatingPlace& p : places) {
        label(this, du, QString::fromLatin1(p.labelName), QString::fromLatin1(p.labelText), p.labelX, 17);
        auto* field = new QLabel(this);
        field->setObjectName(kRate[index(p.type)]);
        // Room for the seven characters shown, up to the next label.
        field->setGeometry(du.x(p.fieldX), du.y(17), du.x(33), du.y(8) + 2);
        m_rating[index(p.type)] = field;
    }
    label(this, du, QStringLiteral("REC:SUMMARY:PROMPT"), QStringLiteral("Summary:"), 16, 33);

    m_groupNamed = new QGroupBox(QStringLiteral("Named ingredients"), this);
    m_groupNamed->setObjectName(QStringLiteral("GROUPNAMED"));
    m_groupNamed->setGeometry(du.rect(16, 52, 463, 117));

    m_listing = new QTableView(this);
    m_listing->setObjectName(QStringLiteral("LISTING"));
    m_listing->setGeometry(du.rect(24, 65, 448, 78));
    foods::StatusTipOnFocus::install(m_listing, QStringLiteral("Browsing Records"));

    auto button = [this, &du](const QString& name, const QString& text, int x, int y) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setGeometry(du.rect(x, y, 50, 14));
        return b;
    };
    m_insert = button(QStringLiteral("INSERT"), QStringLiteral("&Add"), 24, 150);
    m_change = button(QStringLiteral("CHANGE"), QStringLiteral("&Change"), 78, 150);
    m_delete = button(QStringLiteral("DELETE"), QStringLiteral("&Delete"), 132, 150);

    m_groupMethod = new QGroupBox(QStringLiteral("Other ingredients and cooking method"), this);
    m_groupMethod->setObjectName(QStringLiteral("GROUPMETHOD"));
    m_groupMethod->setGeometry(du.rect(16, 176, 463, 94));

    m_method = new QPlainTextEdit(this);
    m_method->setObjectName(QStringLiteral("REC:METHOD"));
    m_method->setGeometry(du.rect(24, 188, 447, 76));
    m_method->setToolTip(QStringLiteral("Method"));
    foods::StatusTipOnFocus::install(m_method, QStringLiteral("Method"));

    m_ok = button(QStringLiteral("OK"), QStringLiteral("OK"), 7, 280);
    m_cancel = button(QStringLiteral("CANCEL"), QStringLiteral("Cancel"), 66, 280);
    m_actionMessage = new QLabel(this);
    m_actionMessage->setObjectName(QStringLiteral("ACTIONMESSAGE"));
    m_actionMessage->setGeometry(du.rect(126, 282, 217, 10));

    resize(du.size(497, 299));
    setMinimumSize(du.size(497, 286));

    auto* rules = new ResizeRules(*this);
    rules->add({m_groupMain, nullptr, HPos::KeepLeft, HSize::Grow, VPos::KeepTop, VSize::Grow});
    for (QWidget* w : std::initializer_list<QWidget*>{m_groupNamed, m_listing, m_groupMethod, m_method})
        rules->add({w, nullptr, HPos::KeepLeft, HSize::Grow, VPos::KeepBottom, VSize::Fixed});
    for (QWidget* w : std::initializer_list<QWidget*>{m_insert, m_change, m_delete, m_ok, m_cancel, m_actionMessage})
        rules->add({w, nullptr, HPos::KeepLeft, HSize::Fixed, VPos::KeepBottom, VSize::Fixed});
}

void UpRecepies::setUpIngredients() {
    m_ingredients = new ListControl(session(), TableId::RecepieIng, m_listing, this);
    m_ingredients->setJoin(TableId::Food, QStringLiteral("REI:KEYIDFOOD"), QStringLiteral("FOO:KEYIDFOOD"));
    // All lines of a recipe share the key value, so they list in the order they were added.
    m_ingredients->addSortOrder({QStringLiteral("REI:KEYRECEPIE"), QString(), LocatorKind::Step});

    ListColumn name{QStringLiteral("Name"), QStringLiteral("FOO:NAME"), 165, 60};
    ListColumn quantity{QStringLiteral("Quantity"), QStringLiteral("REI:QUANTITY"), 60, 20};
    ListColumn benefit{QStringLiteral("Benefit"), QStringLiteral("REI:BENEFIT"), 30, 20};
    benefit.foreground = colourFromValue(kBenefitColour);
    ListColumn neutral{QStringLiteral("Neutral"), QStringLiteral("REI:NEUTRAL"), 30, 20};
    ListColumn avoid{QStringLiteral("Avoid"), QStringLiteral("REI:AVOID"), 30, 20};
    avoid.foreground = colourFromValue(kAvoidColour);
    ListColumn notes{QStringLiteral("Notes"), QStringLiteral("REI:NOTES"), 80, 60};
    m_ingredients->setColumns({name, quantity, benefit, neutral, avoid, notes});

    // Every row placed in the list folds its codes into the recipe's running lowest codes; the rows'
    // own colours stay unset (-1), so the Benefit and Avoid columns show their own.
    m_ingredients->setRowFormatter([this](const store::ViewRow& row, QVector<ListCell>&) {
        BloodCodes codes{};
        for (BloodType t : kBloodTypes)
            codes[index(t)] = static_cast<std::uint8_t>(row.primary.integer(kCopy[index(t)]));
        m_fold.fold(codes);
    });
    connect(m_ingredients, &ListControl::rowsLoaded, this, &UpRecepies::showRatings);
    // Whatever the ingredient form answered, the ratings start again from 99 before the list refills.
    connect(m_ingredients, &ListControl::formReturned, this, [this] { resetRatings(); });
    addEmbeddedList(m_ingredients);
}

void UpRecepies::recordPrepared() {
    const bool viewing = request() == Request::View;
    if (viewing) {
        m_insert->setEnabled(false);
        m_change->setEnabled(false);
        m_delete->setEnabled(false);
    } else {
        m_ingredients->setButtons({m_insert, m_change, m_delete, nullptr, nullptr});
        m_ingredients->setUpdateProcedure(UpdateForm::procedure<UpdIngedients>(services()));
    }
    m_ingredients->setMode(viewing ? Request::View : Request::None);
    // Enter in the list goes on to the form's OK.
    m_ingredients->setDefaultButton(nullptr);

    // After the saved copy: a recipe whose stored words differ from its ingredients counts as changed.
    m_recipeId = record().integer(kRecipeId);
    m_ingredients->setRange(kIngredientRecipe, m_recipeId);
    recomputeRatings();
}

void UpRecepies::recomputeRatings() {
    resetRatings();
    m_ingredients->refresh(Highlight::First);
}

void UpRecepies::resetRatings() {
    m_fold.reset();
    Record& rec = record();
    for (BloodType t : kBloodTypes)
        rec.setText(kRate[index(t)], QString());
    for (QLabel* l : m_rating)
        l->clear();
}

void UpRecepies::showRatings() {
    Record& rec = record();
    for (BloodType t : kBloodTypes) {
        rec.setText(kRate[index(t)], m_fold.word(t));
        m_rating[index(t)]->setText(m_fold.word(t).left(kRatingShown));
    }
}

void UpRecepies::onEnded(Response response) {
    // A new recipe given up takes its ingredient lines with it: they must not wait, ownerless, for the
    // next recipe that is given the same number.
    if (request() != Request::Insert || response == Response::Completed || m_recipeId == 0)
        return;
    store::DataStore& st = session().store();
    store::View lines(st, TableId::RecepieIng, QStringLiteral("REI:KEYRECEPIE"));
    lines.setRange(kIngredientRecipe, m_recipeId);
    QVector<store::ViewRow> rows;
    if (!lines.load(rows).ok())
        return;
    Record& buffer = st.buffer(TableId::RecepieIng);
    for (const store::ViewRow& row : std::as_const(rows)) {
        buffer = row.primary;
        st.relation(TableId::RecepieIng).remove();
    }
    buffer.clear();
}

}  // namespace nm::recipes
