#include "mntfood.h"

#include "statustip.h"

#include "platform/dialogunits.h"
#include "resources/resourcepaths.h"
#include "store/tablemanager.h"
#include "store/view.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>

#include <algorithm>

namespace nm::foods {

using store::Record;
using store::TableId;

namespace {

const QString kKeyIdGroup = QStringLiteral("FOO:KEYIDGROUP");
const QString kGroupName = QStringLiteral("FOO:GROUPNAME");
const QString kNotes = QStringLiteral("FOO:NOTES");

// Radio buttons of a rating group, top to bottom, with the codes they store.
constexpr int kCodes[4] = {4, 2, 1, 0};
const char* const kRadioSuffix[4] = {":BENIFIT", ":NEUTRAL", ":AVOID", ":NA"};
const char* const kRadioText[4] = {"Benefit", "Neutral", "Avoid", "N/A"};
constexpr int kRadioY[4] = {69, 84, 98, 112};

template <class W>
W* make(QWidget* parent, const QString& name) {
    auto* w = new W(parent);
    w->setObjectName(name);
    return w;
}

bool isDittoKey(const QKeyEvent* key) {
    return key->key() == Qt::Key_H && (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

}  // namespace

MntFood::MntFood(platform::Services& services, platform::Session& session, QWidget* caller)
    : platform::UpdateForm(services, session, procedure(), TableId::Food, caller) {
    buildControls();
    setInsertMode(platform::InsertMode::Batch);
    setControls(m_ok, m_cancel, m_actionMessage, m_name);
    setHelpTopic(helpTopic());

    bindText(m_name, QStringLiteral("FOO:NAME"), true);
    for (const RatingGroup& g : m_ratings) {
        const RatingGroup* group = &g;
        bind(
            g.box, g.field, [group](const Record& r) { showRating(*group, r.integer(group->field)); },
            [group](Record& r) {
                // No radio chosen (a code no button stands for): the stored code stays.
                const int id = group->buttons->checkedId();
                if (id >= 0)
                    r.setInteger(group->field, id);
            },
            true);
    }
    bind(
        m_notes, kNotes, [this](const Record& r) { m_notes->setPlainText(notesForDisplay(r.text(kNotes))); },
        [this](Record& r) { r.setText(kNotes, notesFromDisplay(m_notes->toPlainText())); }, true);
}

MntFood::~MntFood() = default;

void MntFood::buildControls() {
    const platform::DialogUnits du(font());
    setWindowTitle(QStringLiteral("Update Food Item..."));
    resize(du.size(503, 299));

    auto place = [&du](QWidget* w, int x, int y, int width = -1, int height = -1) {
        if (width < 0 || height < 0) {
            w->adjustSize();
            w->move(du.x(x), du.y(y));
        } else {
            w->setGeometry(du.rect(x, y, width, height));
        }
    };
    auto button = [&](QWidget* parent, const QString& name, const QString& text, int x, int y) {
        auto* b = make<QPushButton>(parent, name);
        b->setText(text);
        b->setAutoDefault(false);
        place(b, x, y, 50, 14);
        return b;
    };

    QList<QWidget*> order;
    m_groupMain = make<QGroupBox>(this, QStringLiteral("GROUPMAIN"));
    place(m_groupMain, 7, 4, 488, 266);
    order << m_groupMain;

    auto* namePrompt = make<QLabel>(this, QStringLiteral("FOO:NAME:PROMPT"));
    namePrompt->setText(QStringLiteral("Food item:"));
    place(namePrompt, 16, 18);
    auto* groupPrompt = make<QLabel>(this, QStringLiteral("STRINGGROUP"));
    groupPrompt->setText(QStringLiteral("Food Group:"));
    place(groupPrompt, 16, 34);
    m_name = make<QLineEdit>(this, QStringLiteral("FOO:NAME"));
    m_name->setToolTip(QStringLiteral("Food Name"));
    StatusTipOnFocus::install(m_name, QStringLiteral("Food Name"));
    place(m_name, 66, 16, 230, 12);
    namePrompt->setBuddy(m_name);
    m_group = make<QComboBox>(this, QStringLiteral("GRP:TYPE"));
    m_group->setEditable(false);
    place(m_group, 66, 34, 231, 12);
    order << namePrompt << groupPrompt << m_name << m_group;

    const QString fields[4] = {QStringLiteral("FOO:BLOODA"), QStringLiteral("FOO:BLOODB"),
                               QStringLiteral("FOO:BLOODAB"), QStringLiteral("FOO:BLOODO")};
    const QString captions[4] = {QStringLiteral("Group A"), QStringLiteral("Group B"), QStringLiteral("Group AB"),
                                 QStringLiteral("Group O")};
    const int boxX[4] = {66, 130, 194, 258};
    for (int i = 0; i < 4; ++i) {
        RatingGroup& g = m_ratings[std::size_t(i)];
        g.field = fields[i];
        g.box = make<QGroupBox>(this, fields[i]);
        g.box->setTitle(captions[i]);
        place(g.box, boxX[i], 56, 55, 69);
        g.buttons = new QButtonGroup(g.box);
        order << g.box;
        for (int j = 0; j < 4; ++j) {
            // The radio buttons stand in the window's coordinates like every other control.
            auto* radio = make<QRadioButton>(g.box, fields[i] + QLatin1String(kRadioSuffix[j]));
            radio->setText(QLatin1String(kRadioText[j]));
            radio->adjustSize();
            radio->move(du.x(boxX[i] + 6) - g.box->x(), du.y(kRadioY[j]) - g.box->y());
            g.buttons->addButton(radio, kCodes[j]);
            g.radios << radio;
            radio->installEventFilter(this);
            order << radio;
        }
    }

    const std::pair<const char*, QString> pictures[3] = {
        {"IMAGE1", res::benefitIcon()}, {"IMAGE2", res::neutralIcon()}, {"IMAGE3", res::avoidIcon()}};
    const int pictureY[3] = {68, 83, 97};
    for (int i = 0; i < 3; ++i) {
        auto* picture = make<QLabel>(this, QLatin1String(pictures[i].first));
        const QRect r = du.rect(40, pictureY[i], 12, 12);
        picture->setGeometry(r);
        picture->setPixmap(QIcon(pictures[i].second).pixmap(r.size()));
        picture->setScaledContents(true);
        order << picture;
    }

    auto* groupNotes = make<QGroupBox>(this, QStringLiteral("GROUPNOTES"));
    groupNotes->setTitle(QStringLiteral("Notes:"));
    place(groupNotes, 16, 132, 472, 130);
    m_notes = make<QPlainTextEdit>(this, kNotes);
    m_notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notes->setTabChangesFocus(true);
    place(m_notes, 24, 146, 455, 74);
    auto* groupInsert = make<QGroupBox>(this, QStringLiteral("GROUPINSERT"));
    groupInsert->setTitle(QStringLiteral("Text insert"));
    place(groupInsert, 24, 224, 450, 32);
    order << groupNotes << m_notes << groupInsert;

    struct InsertButton {
        const char* name;
        const char* text;
        int x;
        NoteLabel label;
    };
    // "Non-Secret..." comes before "NEUTRAL" in tab order although it stands to its right.
    const InsertButton inserts[] = {
        {"BUTTONA", "Group A:", 30, NoteLabel::GroupA},
        {"BUTTONB", "Group B:", 82, NoteLabel::GroupB},
        {"BUTTONAB", "Group AB:", 136, NoteLabel::GroupAB},
        {"BUTTONO", "Group O:", 190, NoteLabel::GroupO},
        {"BUTTONBEN", "BENEFICIAL:", 252, NoteLabel::Beneficial},
        {"BUTTONAVOID", "AVOID:", 304, NoteLabel::Avoid},
        {"BUTTONNON", "Non-Secret...", 416, NoteLabel::NonSecretor},
        {"BUTTONNEUT", "NEUTRAL", 356, NoteLabel::Neutral},
    };
    for (const InsertButton& ib : inserts) {
        QPushButton* b = button(this, QLatin1String(ib.name), QLatin1String(ib.text), ib.x, 236);
        const NoteLabel label = ib.label;
        connect(b, &QPushButton::clicked, this, [this, label] { insertLabel(label); });
        order << b;
    }

    m_ok = button(this, QStringLiteral("OK"), QStringLiteral("OK"), 8, 278);
    m_cancel = button(this, QStringLiteral("CANCEL"), QStringLiteral("Cancel"), 62, 278);
    m_actionMessage = make<QLabel>(this, QStringLiteral("ACTIONMESSAGE"));
    place(m_actionMessage, 114, 280, 207, 10);
    order << m_ok << m_cancel << m_actionMessage;

    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    connect(m_group, &QComboBox::activated, this, &MntFood::chooseGroup);
}

void MntFood::showRating(const RatingGroup& g, int code) {
    if (QAbstractButton* b = g.buttons->button(code)) {
        b->setChecked(true);
        return;
    }
    // A code no button stands for: none is shown chosen.
    g.buttons->setExclusive(false);
    for (QRadioButton* r : g.radios)
        r->setChecked(false);
    g.buttons->setExclusive(true);
}

void MntFood::fillGroupList() {
    // Every named group in name order; a group with a blank name has no entry in the name key.
    m_group->clear();
    store::View view(session().store(), TableId::Group, QStringLiteral("GRP:KEYNAME"));
    QVector<store::ViewRow> rows;
    if (!view.load(rows))
        return;
    for (const store::ViewRow& row : rows)
        m_group->addItem(row.primary.text(QStringLiteral("GRP:TYPE")),
                         row.primary.integer(QStringLiteral("GRP:KEYIDGROUP")));
    m_group->setCurrentIndex(-1);
}

void MntFood::recordPrepared() {
    fillGroupList();
    // The caller leaves the group of the food in the Group buffer (blank for a new food): its entry is
    // chosen as if the user had picked it, which brings a renamed group's new name into the food.
    const QString current = session().store().buffer(TableId::Group).text(QStringLiteral("GRP:TYPE"));
    if (current.isEmpty())
        return;
    for (int i = 0; i < m_group->count(); ++i) {
        if (m_group->itemText(i) == current) {
            m_group->setCurrentIndex(i);
            chooseGroup(i);
            return;
        }
    }
}

void MntFood::chooseGroup(int index) {
    if (index < 0)
        return;
    Record& food = record();
    store::TableManager& groups = session().store().table(TableId::Group);
    const store::Result r = groups.fetch(QStringLiteral("GRP:KEYID"), {m_group->itemData(index)});
    if (r.ok()) {
        const Record& group = groups.buffer();
        food.setInteger(kKeyIdGroup, group.integer(QStringLiteral("GRP:KEYIDGROUP")));
        food.setText(kGroupName, group.text(QStringLiteral("GRP:TYPE")));
    } else {
        food.setInteger(kKeyIdGroup, 0);
        food.setText(kGroupName, QString());
    }
}

void MntFood::showGroupOf(const Record& rec) {
    // The list keeps showing the entry last chosen while it is the food's group.
    const qint32 id = rec.integer(kKeyIdGroup);
    const int current = m_group->currentIndex();
    if (current >= 0 && m_group->itemData(current).toInt() == id)
        return;
    m_group->setCurrentIndex(id == 0 ? -1 : m_group->findData(id));
}

void MntFood::displayRecord(const Record& rec) {
    platform::UpdateForm::displayRecord(rec);
    showGroupOf(rec);
}

void MntFood::presetNewRecord(Record& rec) {
    rec.setInteger(kKeyIdGroup, m_rememberedId);
    rec.setText(kGroupName, m_rememberedName);
}

void MntFood::okSteps() {
    Record& rec = record();
    takeControls(rec);
    m_rememberedId = rec.integer(kKeyIdGroup);
    m_rememberedName = rec.text(kGroupName);
}

void MntFood::insertLabel(NoteLabel label) {
    Record& rec = record();
    takeControls(rec);
    const NotesInsert result = insertNoteLabel(rec.text(kNotes), label);
    rec.setText(kNotes, result.notes);
    const QString stored = rec.text(kNotes);
    m_notes->setPlainText(notesForDisplay(stored));
    QTextCursor cursor = m_notes->textCursor();
    cursor.setPosition(displayPosition(stored, qMin(result.caret, int(stored.size()))));
    m_notes->setTextCursor(cursor);
    m_notes->setFocus(Qt::OtherFocusReason);
}

bool MntFood::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+H on a rating's radio button restores that rating group from the ditto copy.
    if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
        isDittoKey(static_cast<QKeyEvent*>(event))) {
        for (const RatingGroup& g : m_ratings) {
            if (std::find(g.radios.begin(), g.radios.end(), watched) == g.radios.end())
                continue;
            event->accept();
            if (event->type() == QEvent::KeyPress)
                showRating(g, dittoCopy().integer(g.field));
            return event->type() == QEvent::KeyPress;
        }
    }
    return platform::UpdateForm::eventFilter(watched, event);
}

}  // namespace nm::foods
