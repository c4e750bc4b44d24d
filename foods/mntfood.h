#pragma once
// The food item form: a food's name, group, rating per blood type and notes. New foods are added in a
// batch, each preset with the group of the food last confirmed, so a run of foods of one group needs the
// group chosen once.

#include "textinsert.h"

#include "platform/updateform.h"

#include <QVector>
#include <array>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace nm::foods {

class MntFood : public platform::UpdateForm {
    Q_OBJECT
public:
    MntFood(platform::Services& services, platform::Session& session, QWidget* caller);
    ~MntFood() override;

    static QString procedure() { return QStringLiteral("MntFood"); }
    static QString helpTopic() { return QStringLiteral("Nutrimap.chm::/adding_or_changing_items.htm"); }

    // The group of the food last confirmed with OK in this call of the form.
    qint32 rememberedGroupId() const { return m_rememberedId; }
    QString rememberedGroupName() const { return m_rememberedName; }

    // A text-insert button: the controls are taken first, then the label goes into the notes.
    void insertLabel(NoteLabel label);

protected:
    void presetNewRecord(store::Record& record) override;
    void okSteps() override;
    void recordPrepared() override;
    void displayRecord(const store::Record& record) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct RatingGroup {
        QString field;
        QGroupBox* box = nullptr;
        QButtonGroup* buttons = nullptr;
        QVector<QRadioButton*> radios;   // Benefit, Neutral, Avoid, N/A
    };

    void buildControls();
    void fillGroupList();
    void chooseGroup(int index);
    void showGroupOf(const store::Record& record);
    static void showRating(const RatingGroup& g, int code);

    QGroupBox* m_groupMain = nullptr;
    QLineEdit* m_name = nullptr;
    QComboBox* m_group = nullptr;
    std::array<RatingGroup, 4> m_ratings;   // A, B, AB, O
    QPlainTextEdit* m_notes = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_actionMessage = nullptr;

    qint32 m_rememberedId = 0;
    QString m_rememberedName;
};

}  // namespace nm::foods
