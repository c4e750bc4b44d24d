#include "updingedients.h"

#include "bloodtype.h"
#include "foodlookup.h"
#include "foodlookupmatch.h"
#include "ingredienttexts.h"

#include "foods/mntfood.h"
#include "foods/statustip.h"
#include "platform/dialogunits.h"
#include "platform/listmodel.h"
#include "store/relationmanager.h"
#include "store/tablemanager.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace nm::recipes {

using namespace platform;
using store::Record;
using store::TableId;

namespace {

const QString kFoodId = QStringLiteral("REI:KEYIDFOOD");
const QString kBenefit = QStringLiteral("REI:BENEFIT");
const QString kNeutral = QStringLiteral("REI:NEUTRAL");
const QString kAvoid = QStringLiteral("REI:AVOID");
const QString kQuantity = QStringLiteral("REI:QUANTITY");
const QString kNotes = QStringLiteral("REI:NOTES");

// The food's codes and the ingredient's copies, per blood type in the order O, A, B, AB.
const QString kFoodCode[4] = {QStringLiteral("FOO:BLOODO"), QStringLiteral("FOO:BLOODA"),
                              QStringLiteral("FOO:BLOODB"), QStringLiteral("FOO:BLOODAB")};
const QString kCopy[4] = {QStringLiteral("REI:BLOODO"), QStringLiteral("REI:BLOODA"), QStringLiteral("REI:BLOODB"),
                          QStringLiteral("REI:BLOODAB")};

QLabel* label(QWidget* parent, const DialogUnits& du, const QString& name, const QString& text, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->move(du.x(x), du.y(y));
    l->adjustSize();
    return l;
}

void setTextColour(QLabel* l, std::int32_t value) {
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colourFromValue(value));
    l->setPalette(p);
}

}  // namespace

UpdIngedients::UpdIngedients(Services& services, Session& session, QWidget* caller)
    : UpdateForm(services, session, procedure(), TableId::RecepieIng, caller) {
    setWindowTitle(caption());
    buildControls();
    setInsertMode(InsertMode::Batch);
    setControls(m_ok, m_cancel, m_actionMessage, m_lookup);

    // The lookup shows the ingredient's food; what it chooses goes into the buffer at once.
    bind(m_lookup, kFoodId, [this](const Record& r) { m_lookup->showFood(r.integer(kFoodId)); }, nullptr, false);
    bindDisplay(m_benefit, kBenefit, true);
    bindDisplay(m_avoid, kAvoid, true);
    bindDisplay(m_neutral, kNeutral, true);
    bindText(m_quantity, kQuantity, true);
    bindText(m_notes, kNotes, true);

    connect(m_lookup, &FoodLookup::chosen, this, &UpdIngedients::onChosen);
    m_lookup->setAcceptHandler([this] { return acceptLookup(); });
    // Closed from outside (the recipe form or the program closing) while a food is being added: the food
    // item form closes first, through its own Cancel, so a number it reserved is given back.
    connect(this, &UpdateForm::ended, this, [this] {
        if (m_foodCall && !m_foodCall->finished() && !m_foodCall->requestClose())
            m_foodCall->abandon();
    });
}

UpdIngedients::~UpdIngedients() {
    if (m_foodCall && !m_foodCall->finished())
        m_foodCall->abandon();
}

void UpdIngedients::buildControls() {
    const DialogUnits du(font());

    auto* group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GROUPMAIN"));
    group->setGeometry(du.rect(7, 4, 443, 96));

    label(this, du, QStringLiteral("STRINGINGREDIENT"), QStringLiteral("Ingredient:"), 16, 18);
    label(this, du, QStringLiteral("STRINGBENEFIT"), QStringLiteral("Benefit"), 328, 16);
    m_benefit = new QLabel(this);
    m_benefit->setObjectName(kBenefit);
    m_benefit->setGeometry(du.rect(356, 16, 88, 10));
    setTextColour(m_benefit, kBenefitColour);
    label(this, du, QStringLiteral("STRINGAVOID"), QStringLiteral("Avoid"), 328, 46);
    m_avoid = new QLabel(this);
    m_avoid->setObjectName(kAvoid);
    m_avoid->setGeometry(du.rect(356, 46, 88, 10));
    setTextColour(m_avoid, kAvoidColour);

    m_groupName = new QLabel(this);
    m_groupName->setObjectName(QStringLiteral("FOO:GROUPNAME"));
    m_groupName->setGeometry(du.rect(60, 36, 240, 10));

    label(this, du, QStringLiteral("STRINGNEUTRAL"), QStringLiteral("Neutral"), 328, 31);
    m_neutral = new QLabel(this);
    m_neutral->setObjectName(kNeutral);
    m_neutral->setGeometry(du.rect(356, 31, 88, 10));

    m_lookup = new FoodLookup(this);
    m_lookup->setObjectName(QStringLiteral("FOO:NAME"));
    m_lookup->setGeometry(du.rect(60, 17, 240, 12));
    m_lookup->setToolTip(QStringLiteral("Food Name"));
    foods::StatusTipOnFocus::install(m_lookup, QStringLiteral("Food Name"));
    m_lookup->view()->setMinimumWidth(du.x(240));

    label(this, du, QStringLiteral("REI:QUANTITY:PROMPT"), QStringLiteral("Quantity:"), 18, 52);
    m_quantity = new QLineEdit(this);
    m_quantity->setObjectName(kQuantity);
    m_quantity->setGeometry(du.rect(62, 52, 119, 12));
    m_quantity->setToolTip(QStringLiteral("Quantity"));
    foods::StatusTipOnFocus::install(m_quantity, QStringLiteral("Quantity"));

    label(this, du, QStringLiteral("REI:NOTES:PROMPT"), QStringLiteral("Notes:"), 18, 76);
    m_notes = new QLineEdit(this);
    m_notes->setObjectName(kNotes);
    m_notes->setGeometry(du.rect(62, 74, 240, 12));
    m_notes->setToolTip(QStringLiteral("Notes"));
    foods::StatusTipOnFocus::install(m_notes, QStringLiteral("Notes"));

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setGeometry(du.rect(7, 106, 50, 14));
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CANCEL"));
    m_cancel->setGeometry(du.rect(62, 106, 50, 14));
    m_actionMessage = new QLabel(this);
    m_actionMessage->setObjectName(QStringLiteral("ACTIONMESSAGE"));
    m_actionMessage->setGeometry(du.rect(118, 108, 201, 10));

    resize(du.size(461, 125));
}

UpdateForm* UpdIngedients::foodForm() const {
    return m_foodCall && !m_foodCall->finished() ? m_foodCall->form() : nullptr;
}

void UpdIngedients::presetNewRecord(Record& record) {
    // Each next ingredient of a batch is primed blank: it belongs to the same recipe as the first.
    const QString recipe = QStringLiteral("REI:KEYIDRECEPIE");
    if (m_recipeId == 0)
        m_recipeId = record.integer(recipe);
    else if (record.integer(recipe) == 0)
        record.setInteger(recipe, m_recipeId);
}

void UpdIngedients::recordPrepared() {
    session().store().relation(TableId::Food).open();
    m_lookup->load(session().store());
    // Once per opening, for every request.
    setWindowTitle(caption() + QStringLiteral("  (") + QStringLiteral("Select a food or add a new one") +
                   QStringLiteral(")"));
}

void UpdIngedients::displayRecord(const Record& record) {
    UpdateForm::displayRecord(record);
    // The group name follows the food the lookup shows.
    const int index = m_lookup->current();
    m_groupName->setText(index >= 0 ? m_lookup->food(index).text(QStringLiteral("FOO:GROUPNAME")) : QString());
}

void UpdIngedients::onChosen(int index) {
    if (index < 0 || index >= m_lookup->foodCount())
        return;
    takeFood(m_lookup->food(index));
}

void UpdIngedients::takeFood(const Record& food) {
    // The chosen food becomes the current Food record; the ingredient takes its ID and codes.
    store::DataStore& st = session().store();
    st.buffer(TableId::Food) = food;
    Record& ing = record();
    ing.setInteger(kFoodId, food.integer(QStringLiteral("FOO:KEYIDFOOD")));
    BloodCodes codes{};
    for (BloodType t : kBloodTypes) {
        const qint32 code = food.integer(kFoodCode[index(t)]);
        ing.setInteger(kCopy[index(t)], code);
        codes[index(t)] = static_cast<std::uint8_t>(code);
    }
    const IngredientTexts texts = ingredientTexts(codes);
    ing.setText(kBenefit, texts.benefit);
    ing.setText(kNeutral, texts.neutral);
    ing.setText(kAvoid, texts.avoid);
    showTexts();
    m_groupName->setText(food.text(QStringLiteral("FOO:GROUPNAME")));
}

void UpdIngedients::clearFood() {
    // Nothing selected: the ingredient has no food; its texts keep what the last choice wrote.
    m_lookup->clearChoice();
    record().setInteger(kFoodId, 0);
    session().store().buffer(TableId::Food).clear();
    m_groupName->clear();
}

void UpdIngedients::showTexts() {
    const Record& ing = record();
    m_benefit->setText(ing.text(kBenefit));
    m_neutral->setText(ing.text(kNeutral));
    m_avoid->setText(ing.text(kAvoid));
}

bool UpdIngedients::acceptLookup() {
    if (m_addingFood)
        return true;
    if (hasEnded())
        return false;
    const QString text = m_lookup->currentText();
    if (text.isEmpty()) {
        // Only an emptied lookup clears the food: one that never showed a food (its food was deleted)
        // leaves the ingredient as it is.
        if (m_lookup->current() >= 0)
            clearFood();
        return false;
    }
    const int match = firstFoodMatch(m_lookup->names(), text);
    if (match >= 0) {
        if (match != m_lookup->current() || record().integer(kFoodId) == 0)
            m_lookup->choose(match);
        else
            m_lookup->showFood(m_lookup->food(match).integer(QStringLiteral("FOO:KEYIDFOOD")));
        return false;
    }
    addMissingFood(text);
    return true;
}

void UpdIngedients::addMissingFood(const QString& name) {
    m_addingFood = true;
    if (request() == Request::View) {
        // A form that only shows its record starts no other form: the call answers cancelled at once.
        foodFormEnded(Response::Cancelled);
        return;
    }
    store::DataStore& st = session().store();
    st.buffer(TableId::Group).clear();
    st.buffer(TableId::Food).clear();
    if (!st.table(TableId::Food).primeAutoInc().ok()) {
        foodFormEnded(Response::Cancelled);
        return;
    }
    st.buffer(TableId::Food).setText(QStringLiteral("FOO:NAME"), name);
    blockInput(true);
    QPointer<UpdIngedients> self(this);
    m_foodCall = UpdateCall::start(session(), Request::Insert, UpdateForm::procedure<foods::MntFood>(services()),
                                   this, [self](Response response) {
                                       if (self)
                                           self->foodFormEnded(response);
                                   });
}

void UpdIngedients::foodFormEnded(Response response) {
    blockInput(false);
    m_addingFood = false;
    if (hasEnded())
        return;
    if (response == Response::Completed) {
        // The buffer holds the food stored last; the lookup reads the foods again and selects it.
        const Record added = session().store().buffer(TableId::Food);
        m_lookup->load(session().store());
        const int index = m_lookup->indexOfFood(added.integer(QStringLiteral("FOO:KEYIDFOOD")));
        if (index >= 0) {
            m_lookup->choose(index);
        } else {
            // A food without a name is in no name order: the ingredient still takes it.
            m_lookup->clearChoice();
            takeFood(added);
        }
    } else {
        clearFood();
    }
    activateWindow();
    m_lookup->setFocus(Qt::OtherFocusReason);
}

void UpdIngedients::blockInput(bool blocked) {
    if (blocked) {
        m_blocked.clear();
        const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* child : children) {
            if (!child->isWindow() && child->isEnabled()) {
                child->setEnabled(false);
                m_blocked.append(child);
            }
        }
        return;
    }
    for (const QPointer<QWidget>& child : std::as_const(m_blocked)) {
        if (child)
            child->setEnabled(true);
    }
    m_blocked.clear();
}

void UpdIngedients::closeEvent(QCloseEvent* event) {
    // While the food item form is open this form takes no input, its close box included.
    if (UpdateForm* food = foodForm()) {
        event->ignore();
        food->activateWindow();
        return;
    }
    UpdateForm::closeEvent(event);
}

}  // namespace nm::recipes
