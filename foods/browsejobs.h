#pragma once
// BrowseJobs: the food group list. It shows every named group in name order and adds, changes and
// deletes groups through MnTJobs.

#include "platform/listwindow.h"

class QGroupBox;
class QPushButton;
class QTableView;

namespace nm::foods {

class BrowseJobs : public platform::ListWindow {
    Q_OBJECT
public:
    BrowseJobs(platform::Services& services, std::unique_ptr<platform::Session> session, QWidget* parent = nullptr);

    QTableView* listView() const { return m_list; }
    QPushButton* insertButton() const { return m_insert; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* selectButton() const { return m_select; }
    QPushButton* closeButton() const { return m_close; }

private:
    QGroupBox* m_group = nullptr;
    QTableView* m_list = nullptr;
    QPushButton* m_insert = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_select = nullptr;
    QPushButton* m_close = nullptr;
};

// For the main frame: the list window on a session of its own, which it owns and ends when it closes.
QWidget* createBrowseJobs(platform::Services& services, std::unique_ptr<platform::Session> session);

}  // namespace nm::foods
