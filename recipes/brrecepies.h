#pragma once
// BrRecepies: the recipe list. Every recipe in name order with its summary and its stored rating per
// blood type; the method of the highlighted recipe shows under the list. Recipes are added, changed
// and deleted through UpRecepies.

#include "platform/listwindow.h"

#include <memory>

class QGroupBox;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace nm::recipes {

class BrRecepies : public platform::ListWindow {
    Q_OBJECT
public:
    BrRecepies(platform::Services& services, std::unique_ptr<platform::Session> session, QWidget* parent = nullptr);

    static QString procedure() { return QStringLiteral("BrRecepies"); }

    QTableView* listView() const { return m_list; }
    QPlainTextEdit* methodBox() const { return m_method; }
    QPushButton* insertButton() const { return m_insert; }
    QPushButton* changeButton() const { return m_change; }
    QPushButton* deleteButton() const { return m_delete; }
    QPushButton* selectButton() const { return m_select; }
    QPushButton* closeButton() const { return m_close; }

private:
    void showMethod(int row);

    QGroupBox* m_group = nullptr;
    QTableView* m_list = nullptr;
    QPlainTextEdit* m_method = nullptr;
    QPushButton* m_insert = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_select = nullptr;
    QPushButton* m_close = nullptr;
};

// For the main frame: a new, independent recipe list on a session of its own, which it owns and ends
// when it closes.
QWidget* createBrRecepies(platform::Services& services, std::unique_ptr<platform::Session> session);

}  // namespace nm::recipes
