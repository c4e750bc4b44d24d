#pragma once
// MnTJobs: the food group form, called by the food group list to add, change and delete a group.

#include "platform/updateform.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace nm::foods {

class MnTJobs : public platform::UpdateForm {
    Q_OBJECT
public:
    MnTJobs(platform::Services& services, platform::Session& session, QWidget* caller);

    QLineEdit* typeEdit() const { return m_type; }
    QLineEdit* descriptionEdit() const { return m_description; }

private:
    QLineEdit* m_type = nullptr;
    QLineEdit* m_description = nullptr;
};

}  // namespace nm::foods
