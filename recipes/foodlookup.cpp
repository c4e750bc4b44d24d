#include "foodlookup.h"

#include "foodlookupmatch.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace nm::recipes {

namespace {
const QString kName = QStringLiteral("FOO:NAME");
const QString kId = QStringLiteral("FOO:KEYIDFOOD");
constexpr int kNameWidth = 60;
}  // namespace

FoodLookup::FoodLookup(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setDuplicatesEnabled(true);
    // The completion is ours; Qt's own would match differently.
    setCompleter(nullptr);
    lineEdit()->setMaxLength(kNameWidth);
    connect(lineEdit(), &QLineEdit::textEdited, this, &FoodLookup::onEdited);
    connect(this, &QComboBox::highlighted, this, [this](int index) {
        if (index >= 0 && index < foodCount()) {
            m_current = index;
            emit chosen(index);
        }
    });
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index < 0 || index >= foodCount())
            return;
        m_typed = m_names.at(index);
        lineEdit()->setText(m_typed);
        if (index != m_current) {
            m_current = index;
            emit chosen(index);
        }
    });
}

void FoodLookup::load(store::DataStore& store) {
    store::View view(store, store::TableId::Food, QStringLiteral("FOO:KEYNAME"));
    QVector<store::ViewRow> rows;
    m_foods.clear();
    m_names.clear();
    if (view.load(rows).ok()) {
        m_foods.reserve(rows.size());
        for (const store::ViewRow& row : std::as_const(rows)) {
            m_foods.append(row.primary);
            m_names.append(row.primary.text(kName));
        }
    }
    const QSignalBlocker block(this);
    clear();
    addItems(m_names);
    clearChoice();
}

int FoodLookup::indexOfFood(qint32 foodId) const {
    if (foodId == 0)
        return -1;
    for (int i = 0; i < m_foods.size(); ++i) {
        if (m_foods.at(i).integer(kId) == foodId)
            return i;
    }
    return -1;
}

void FoodLookup::showFood(qint32 foodId) {
    const int index = indexOfFood(foodId);
    if (index < 0) {
        clearChoice();
        return;
    }
    const QSignalBlocker block(this);
    setCurrentIndex(index);
    m_typed = m_names.at(index);
    lineEdit()->setText(m_typed);
    m_current = index;
}

void FoodLookup::clearChoice() {
    const QSignalBlocker block(this);
    setCurrentIndex(-1);
    lineEdit()->clear();
    m_typed.clear();
    m_current = -1;
}

void FoodLookup::choose(int index) {
    if (index < 0 || index >= foodCount())
        return;
    {
        const QSignalBlocker block(this);
        setCurrentIndex(index);
    }
    m_typed = m_names.at(index);
    lineEdit()->setText(m_typed);
    m_current = index;
    emit chosen(index);
}

void FoodLookup::onEdited(const QString& text) {
    const Completion c = completeTyped(m_names, text);
    applyCompletion(c.match, c.typed, c.text, c.selectionStart, c.selectionLength);
}

void FoodLookup::applyCompletion(int match, const QString& typed, const QString& text, int selStart,
                                 int selLength) {
    m_typed = typed;
    if (match >= 0) {
        const QSignalBlocker block(this);
        setCurrentIndex(match);
    }
    lineEdit()->setText(text);
    lineEdit()->setSelection(selStart, selLength);
    if (selLength == 0)
        lineEdit()->setCursorPosition(selStart);
    if (match >= 0) {
        m_current = match;
        emit chosen(match);
    }
}

bool FoodLookup::acceptEntry() {
    return m_acceptHandler ? m_acceptHandler() : false;
}

void FoodLookup::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_Backspace && mods == Qt::NoModifier) {
        const Completion c = completeBackspace(m_names, m_typed);
        applyCompletion(c.match, c.typed, c.text, c.selectionStart, c.selectionLength);
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && mods == Qt::NoModifier
        && !view()->isVisible()) {
        // Enter takes the entry as leaving the field would, then goes on to the form's OK.
        if (acceptEntry()) {
            event->accept();
            return;
        }
        event->ignore();
        return;
    }
    QComboBox::keyPressEvent(event);
}

void FoodLookup::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // Opening the drop-down or switching windows is not leaving the field.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        acceptEntry();
}

}  // namespace nm::recipes
