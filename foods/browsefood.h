#pragma once
// The food list window: every food with its group and its rating per blood type, narrowed by the
// blood-type filter, searched by typing on the list, with the highlighted food's notes below.

#include "foodfilter.h"
#include "foodrows.h"

#include "platform/listwindow.h"

#include <QIcon>
#include <array>
#include <memory>
#include <utility>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace nm::foods {

class BrowseFood : public platform::ListWindow {
    Q_OBJECT
public:
    BrowseFood(platform::Services& services, std::unique_ptr<platform::Session> session, QWidget* parent = nullptr);
    ~BrowseFood() override;

    static QString procedure() { return QStringLiteral("BrowseFood"); }
    static QString helpTopic() { return QStringLiteral("Nutrimap.chm::/searching_the_list.htm"); }

    // The boxes as they are now, and the filter they last gave.
    FilterBoxes filterBoxes() const;
    QString filterDescription() const { return m_description; }
    QString filterExpression() const { return m_expression; }

    // Builds the filter from the boxes, shows its description and reloads the list.
    void buildFilter();
    // "Clear filter": every box unticked, no filter, description "No Filter".
    void clearFilter();

signals:
    // "Print or Export List" was pressed: the list as shown, with filterDescription() as its subtitle.
    void exportRequested();

protected:
    // What "Print or Export List" does: announces exportRequested() and offers the outputs.
    virtual void exportList();

private:
    void applyFilter();
    void buildControls();
    void setUpListControl();
    void setUpResizing();
    void formatRow(const store::ViewRow& row, QVector<platform::ListCell>& cells) const;
    std::pair<platform::ListCell, platform::ListCell> ratingCells(BloodType type, int rating, int mask) const;
    void tabChanged(int index);
    void showNotes(int row);
    int tickedMask() const;

    QTableView* m_listView = nullptr;
    QGroupBox* m_groupFilter = nullptr;
    QCheckBox* m_fbenefit = nullptr;
    QCheckBox* m_fneutral = nullptr;
    QCheckBox* m_favoid = nullptr;
    QPushButton* m_clearFilter = nullptr;
    QGroupBox* m_groupBlood = nullptr;
    QCheckBox* m_fa = nullptr;
    QCheckBox* m_fb = nullptr;
    QCheckBox* m_fab = nullptr;
    QCheckBox* m_fo = nullptr;
    QCheckBox* m_or = nullptr;
    QLabel* m_filteredBy = nullptr;
    QLabel* m_stringSearch = nullptr;
    QLabel* m_search = nullptr;
    QTabWidget* m_sheet = nullptr;
    QGroupBox* m_groupNotes = nullptr;
    QPlainTextEdit* m_notes = nullptr;
    QPushButton* m_insert = nullptr;
    QPushButton* m_change = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_select = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_export = nullptr;

    std::array<QIcon, 4> m_icons;   // by icon number; 0 stays null
    // Tick and description cells by blood type and rating code, for the ticked boxes m_cellsMask.
    static constexpr int kCachedRatings = 8;
    mutable int m_cellsMask = -1;
    mutable std::array<std::array<std::pair<platform::ListCell, platform::ListCell>, kCachedRatings>, 4> m_cells;
    QString m_description;
    QString m_expression;
};

// For the main frame: a new, independent food list on its own session.
QWidget* createBrowseFood(platform::Services& services, std::unique_ptr<platform::Session> session);

}  // namespace nm::foods
