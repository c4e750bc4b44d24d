#include "foodexport.h"

#include "browsefood.h"

#include "platform/export/exportsettings.h"
#include "platform/listmodel.h"
#include "platform/listwindow.h"
#include "platform/services.h"
#include "platform/updateform.h"

#include <QCursor>
#include <QMenu>
#include <QPushButton>

#include <algorithm>

namespace nm::foods {

using platform::ExportColumn;
using platform::ExportKind;
using platform::ExportOptions;
using platform::ExportResult;

namespace {

const QString kName = QStringLiteral("FOO:NAME");
const QString kGroup = QStringLiteral("GRP:TYPE");

// The settings adapter lives as long as the job that uses it, whatever goes first when the window closes.
class JobSettings : public QObject {
public:
    JobSettings(platform::SettingsService& settings, QObject* parent) : QObject(parent), adapter(settings) {}
    platform::SettingsServiceExportSettings adapter;
};

}  // namespace

const platform::ExportTexts& standardExportTexts() {
    static const platform::ExportTexts texts;
    return texts;
}

ExportOptions foodExportOptions() {
    ExportOptions o;
    o.reportType = QStringLiteral("WMF");
    o.paperType = QStringLiteral("A4");
    o.width = 210;
    o.height = 297;
    o.portrait = 0;
    o.mLeft = o.mRight = o.mTop = o.mBottom = 10;
    o.gutter = 10;
    o.pageNo = 1;
    o.fileName.clear();
    o.isPrint = 1;
    o.reportTypes = QStringLiteral("WMF|RTF|XLS|CSV");
    o.procName = QStringLiteral("BrowseFood:VOX6");
    o.showDoc = 0;
    o.borderType = 0;
    o.headerBorder = {1, 0, 0, 0, 0};
    return o;
}

QString foodExportTitle() {
    return QStringLiteral("Nutrimap food list");
}

const QVector<ExportChoice>& foodExportChoices() {
    static const QVector<ExportChoice> choices = {
        {QStringLiteral("Standard"), ExportKind::Print},
        {QStringLiteral("RTF Document"), ExportKind::Rtf},
        {QStringLiteral("Excel Document"), ExportKind::Excel},
        {QStringLiteral("CSV file"), ExportKind::Csv},
    };
    return choices;
}

QVector<ExportColumn> foodExportColumns(const platform::ListModel& model) {
    QVector<ExportColumn> out;
    for (const platform::ListColumn& c : model.columns())
        // A character is about four dialog units wide, so the columns keep the list's proportions.
        out.append({c.header, std::max(c.widthDu / 4, 1), Qt::AlignCenter});
    return out;
}

QVector<QStringList> foodExportRows(const platform::ListModel& model) {
    const QVector<platform::ListColumn>& columns = model.columns();
    QVector<QStringList> out;
    out.reserve(model.rows().size());
    for (const platform::ListRow& row : model.rows()) {
        QStringList cells;
        cells.reserve(columns.size());
        for (int c = 0; c < columns.size(); ++c) {
            // The name and the group as stored: a document has room for what the list cuts.
            const QString& field = columns.at(c).field;
            if (field == kName || field == kGroup)
                cells << platform::rowFieldText(row.record, field);
            else
                cells << (c < row.cells.size() ? row.cells.at(c).text : QString());
        }
        out.append(std::move(cells));
    }
    return out;
}

FoodExport::FoodExport(BrowseFood& window) : QObject(&window), m_window(window) {
    setObjectName(QStringLiteral("FoodExport"));
}

FoodExport::~FoodExport() = default;

FoodExport& FoodExport::of(BrowseFood& window) {
    if (auto* existing = window.findChild<FoodExport*>(QStringLiteral("FoodExport"), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new FoodExport(window);
}

QPushButton* FoodExport::exportButton() const {
    return m_window.findChild<QPushButton*>(QStringLiteral("EXPORT"));
}

void FoodExport::showMenu() {
    if (m_job || m_menu)
        return;   // one export at a time per list
    auto* menu = new QMenu(&m_window);
    menu->setObjectName(QStringLiteral("ExportMenu"));
    for (const ExportChoice& choice : foodExportChoices()) {
        QAction* action = menu->addAction(choice.text);
        const ExportKind kind = choice.kind;
        connect(action, &QAction::triggered, this, [this, kind] { run(kind); });
    }
    // The menu closes before a chosen entry triggers, so it may only go once control is back here.
    connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    m_menu = menu;

    QPoint at = QCursor::pos();
    if (QPushButton* button = exportButton()) {
        const QRect onScreen(button->mapToGlobal(QPoint(0, 0)), button->size());
        if (!onScreen.contains(at))   // pressed from the keyboard
            at = button->mapToGlobal(QPoint(0, button->height()));
    }
    menu->popup(at);
}

void FoodExport::run(ExportKind kind) {
    if (m_job)
        return;
    platform::Services& services = m_window.services();
    platform::ExportServices jobServices;
    jobServices.texts = services.exportTexts ? services.exportTexts : &standardExportTexts();
    jobServices.messages = services.messages;

    JobSettings* settings = services.settings ? new JobSettings(*services.settings, &m_window) : nullptr;
    if (settings)
        jobServices.settings = &settings->adapter;
    auto* job = new platform::ExportJob(kind, jobServices, &m_window);
    if (settings)
        settings->setParent(job);
    m_job = job;

    platform::ListControl& list = m_window.list();
    job->setOptions(foodExportOptions());
    // The rows as the list holds them now; a later reload of the list does not change this export.
    job->setRows(std::make_unique<platform::VectorRowSource>(foodExportRows(list.model())));
    job->setName(BrowseFood::procedure());
    for (const ExportColumn& column : foodExportColumns(list.model()))
        job->addColumn(column);
    job->addTitle(foodExportTitle());
    job->addTitle(m_window.filterDescription());
    job->setPrintFont(m_window.font());

    QPointer<FoodExport> self(this);
    job->run([self](const ExportResult& result) {
        if (!self)
            return;
        self->m_job = nullptr;   // the job deletes itself later; the next press may start another
        if (self->m_window.list().rowCount() > 0)
            self->m_window.list().setCurrentRow(0);
        emit self->finished(result);
    });
}

void exportFoodList(BrowseFood& window) {
    FoodExport::of(window).showMenu();
}

}  // namespace nm::foods
