#pragma once
// "Print or Export List" of the food list: the pop-up menu of the four outputs, and one export job per
// choice over the list as it stands (filtered, in the current order, with its rating words and stars),
// titled with the filter description. Laying out and writing is the list export service's work.

#include "platform/export/exportjob.h"
#include "platform/export/exporttypes.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVector>

class QMenu;
class QPushButton;

namespace nm::platform {
class ListModel;
}

namespace nm::foods {

class BrowseFood;

// The standard texts of the export service's own windows, for the program to hand in once at start-up
// (platform::Services::exportTexts).
const platform::ExportTexts& standardExportTexts();

// The options record of every food list export.
platform::ExportOptions foodExportOptions();

// The first title line; the second is the filter description.
QString foodExportTitle();

// The menu entries in order, and the output each one makes.
struct ExportChoice {
    QString text;
    platform::ExportKind kind;
};
const QVector<ExportChoice>& foodExportChoices();

// The ten visible columns of the list, headed and proportioned as the list shows them, centred.
QVector<platform::ExportColumn> foodExportColumns(const platform::ListModel& model);

// The rows the list holds, top to bottom: the food's name as stored (the list cuts it for display),
// the tick and rating-word texts of the row formatting, the group's name.
QVector<QStringList> foodExportRows(const platform::ListModel& model);

// One per food list window, made at its first export; lives as long as the window.
class FoodExport : public QObject {
    Q_OBJECT
public:
    explicit FoodExport(BrowseFood& window);
    ~FoodExport() override;

    static FoodExport& of(BrowseFood& window);

    // Shows the pop-up menu at the pointer when it is on the export button, else at the button.
    // Closing the menu without a choice does nothing.
    void showMenu();
    // Creates and runs the job of that kind; the list moves to its first row when the job has ended.
    void run(platform::ExportKind kind);

    QMenu* menu() const { return m_menu; }             // the pop-up, while it is up
    platform::ExportJob* job() const { return m_job; }  // the running job, if any

signals:
    void finished(const nm::platform::ExportResult& result);

private:
    QPushButton* exportButton() const;

    BrowseFood& m_window;
    QPointer<QMenu> m_menu;
    QPointer<platform::ExportJob> m_job;
};

// What the EXPORT button does.
void exportFoodList(BrowseFood& window);

}  // namespace nm::foods
