#include "exportjob.h"

#include "exportsetupdialog.h"
#include "platform/messages.h"
#include "printlayout.h"
#include "tablewriter.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace nm::platform {

namespace {

constexpr int kSliceMilliseconds = 30;   // keeps the windows answering while a long list is written

const QString kFileKey = QStringLiteral("File");
const QString kPortraitKey = QStringLiteral("Portrait");
const QString kOpenKey = QStringLiteral("ShowDoc");

bool openWithDesktop(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace

ExportJob::ExportJob(ExportKind kind, ExportServices services, QWidget* window)
    : QObject(window), m_kind(kind), m_services(std::move(services)), m_window(window) {
    m_texts = m_services.texts ? *m_services.texts : ExportTexts();
    if (!m_services.openDocument)
        m_services.openDocument = openWithDesktop;
    m_rows = std::make_unique<VectorRowSource>(QVector<QStringList>());
}

ExportJob::~ExportJob() {
    // Without a commit the temporary file is removed: a job cut short leaves nothing behind.
    m_writer.reset();
    m_file.reset();
    if (m_progress)
        m_progress->deleteLater();
    if (m_setup)
        m_setup->deleteLater();
    if (m_preview)
        m_preview->deleteLater();
}

void ExportJob::setOptions(const ExportOptions& options) {
    m_table.options = options;
}

void ExportJob::setRows(std::unique_ptr<RowSource> rows) {
    if (rows)
        m_rows = std::move(rows);
}

void ExportJob::setName(const QString& name) {
    m_table.name = name;
}

void ExportJob::addColumn(const ExportColumn& column) {
    m_table.columns << column;
}

void ExportJob::addTitle(const QString& title) {
    m_table.titles << title;
}

void ExportJob::setPrintFont(const QFont& font) {
    m_printFont = font;
}

QString ExportJob::settingsSection() const {
    return m_table.options.procName.isEmpty() ? m_table.name : m_table.options.procName;
}

void ExportJob::loadChoices() {
    ExportOptions& o = m_table.options;
    const QString section = settingsSection();
    QString remembered;
    if (m_services.settings && !section.isEmpty()) {
        ExportSettings& s = *m_services.settings;
        remembered = s.value(section, kFileKey + exportKindCode(m_kind), {}).toString();
        o.portrait = s.value(section, kPortraitKey, int(o.portrait)).toInt() != 0 ? 1 : 0;
        o.showDoc = s.value(section, kOpenKey, int(o.showDoc)).toInt() != 0 ? 1 : 0;
    }
    if (m_kind == ExportKind::Print)
        return;
    m_fileName = !o.fileName.isEmpty() ? o.fileName : remembered;
    if (m_fileName.isEmpty()) {
        const QString base = m_table.name.isEmpty() ? QStringLiteral("Report") : m_table.name;
        m_fileName = QDir::current().absoluteFilePath(base + u'.' + exportFileSuffix(m_kind));
    }
}

void ExportJob::saveChoices() {
    const QString section = settingsSection();
    if (!m_services.settings || section.isEmpty())
        return;
    ExportSettings& s = *m_services.settings;
    if (m_kind != ExportKind::Csv)
        s.setValue(section, kPortraitKey, int(m_table.options.portrait));
    if (m_kind != ExportKind::Print) {
        s.setValue(section, kFileKey + exportKindCode(m_kind), m_fileName);
        s.setValue(section, kOpenKey, int(m_table.options.showDoc));
    }
}

void ExportJob::run(Finished finished) {
    m_finished = std::move(finished);
    loadChoices();
    if (!m_showSetup) {
        QTimer::singleShot(0, this, &ExportJob::choicesMade);
        return;
    }
    m_setup = new ExportSetupDialog(m_kind, m_texts, m_window);
    m_setup->setAttribute(Qt::WA_DeleteOnClose);
    m_setup->setFileName(m_fileName);
    m_setup->setPortrait(m_table.options.portrait != 0);
    m_setup->setOpenAfter(m_table.options.showDoc != 0);
    connect(m_setup, &QDialog::accepted, this, [this] {
        m_fileName = m_setup->fileName();
        m_table.options.portrait = m_setup->portrait() ? 1 : 0;
        m_table.options.showDoc = m_setup->openAfter() ? 1 : 0;
        // Let the dialog go before the work starts, so the progress window is the only one up.
        QTimer::singleShot(0, this, &ExportJob::choicesMade);
    });
    connect(m_setup, &QDialog::rejected, this,
            [this] { finish(ExportResult::failure(ExportError::Cancelled, QStringLiteral("The report was cancelled.")), true); });
    m_setup->open();
}

void ExportJob::choicesMade() {
    if (m_table.columns.isEmpty()) {
        finish(ExportResult::failure(ExportError::BadTable, QStringLiteral("The report has no columns.")));
        return;
    }
    if (m_kind != ExportKind::Print) {
        if (m_fileName.isEmpty()) {
            finish(ExportResult::failure(ExportError::CannotWrite, QStringLiteral("No report file was given.")));
            return;
        }
        QFileInfo info(m_fileName);
        if (info.suffix().isEmpty())
            info.setFile(m_fileName + u'.' + exportFileSuffix(m_kind));
        m_fileName = info.absoluteFilePath();
    }
    saveChoices();
    if (m_kind == ExportKind::Print)
        startPrint();
    else
        startFile();
}

void ExportJob::startFile() {
    const QString shown = QDir::toNativeSeparators(m_fileName);
    if (QFileInfo(m_fileName).isDir()) {
        finish(ExportResult::failure(ExportError::CannotWrite,
                                     QStringLiteral("The report file %1 could not be created: it is a folder.").arg(shown)));
        return;
    }
    m_file = std::make_unique<QSaveFile>(m_fileName);
    if (!m_file->open(QIODevice::WriteOnly)) {
        const QString why = m_file->errorString();
        m_file.reset();
        finish(ExportResult::failure(ExportError::CannotWrite,
                                     QStringLiteral("The report file %1 could not be created: %2").arg(shown, why)));
        return;
    }
    m_writer = makeTableWriter(m_kind, m_file.get(), m_texts.codePage);
    if (ExportResult r = m_writer->begin(m_table, m_rows->rowCount()); !r) {
        finish(r);
        return;
    }
    m_progress = new ExportProgressWindow(m_texts, m_rows->rowCount(), m_window);
    m_progress->setWindowModality(m_window ? Qt::WindowModal : Qt::ApplicationModal);
    connect(m_progress, &ExportProgressWindow::cancelRequested, this, [this] { m_cancelRequested = true; });
    m_progress->show();
    m_next = 0;
    m_slices = new QTimer(this);
    m_slices->setInterval(0);
    connect(m_slices, &QTimer::timeout, this, &ExportJob::writeSlice);
    m_slices->start();
}

void ExportJob::writeSlice() {
    if (m_cancelRequested) {
        m_slices->stop();
        finish(ExportResult::failure(ExportError::Cancelled, QStringLiteral("The report was cancelled.")), true);
        return;
    }
    QElapsedTimer clock;
    clock.start();
    const qsizetype total = m_rows->rowCount();
    while (m_next < total && clock.elapsed() < kSliceMilliseconds) {
        if (ExportResult r = m_writer->writeRow(m_rows->row(m_next)); !r) {
            m_slices->stop();
            finish(r);
            return;
        }
        ++m_next;
    }
    if (m_progress)
        m_progress->setWritten(m_next);
    if (m_next >= total) {
        m_slices->stop();
        completeFile();
    }
}

void ExportJob::completeFile() {
    const QString shown = QDir::toNativeSeparators(m_fileName);
    if (ExportResult r = m_writer->finish(); !r) {
        finish(r);
        return;
    }
    m_writer.reset();
    if (!m_file->commit()) {
        const QString why = m_file->errorString();
        m_file.reset();
        finish(ExportResult::failure(ExportError::CannotWrite,
                                     QStringLiteral("The report file %1 could not be written: %2").arg(shown, why)));
        return;
    }
    m_file.reset();
    if (m_progress)
        m_progress->showComplete();
    QTimer::singleShot(m_linger, this, [this, shown] {
        if (m_table.options.showDoc != 0 && !m_services.openDocument(m_fileName) && m_services.messages)
            m_services.messages->notice(m_texts.windowText,
                                        QStringLiteral("The report file %1 was created but could not be opened.").arg(shown));
        finish(ExportResult::success());
    });
}

ExportResult ExportJob::printTo(QPrinter& printer) {
    PrintLayout layout(m_table, *m_rows, m_printFont);
    m_lastPrint = layout.paint(printer);
    return m_lastPrint;
}

void ExportJob::startPrint() {
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    m_printer->setDocName(m_table.name);
    if (!PrintLayout::setUpPage(*m_printer, m_table.options)) {
        finish(ExportResult::failure(ExportError::PrintFailed, QStringLiteral("The printer does not take the report's paper.")));
        return;
    }
    if (PrintLayout(m_table, *m_rows, m_printFont).pageCount(*m_printer) == 0) {
        finish(ExportResult::failure(ExportError::BadTable, QStringLiteral("The page is too small to hold a row of the report.")));
        return;
    }
    m_preview = new QPrintPreviewDialog(m_printer.get(), m_window);
    m_preview->setObjectName(QStringLiteral("PrintPreview"));
    if (m_services.settings)
        m_services.settings->restoreWindow(*m_preview, m_services.previewSection);
    connect(m_preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        if (printer)
            printTo(*printer);
    });
    connect(m_preview, &QDialog::finished, this, &ExportJob::previewClosed);
    m_preview->open();
}

void ExportJob::previewClosed(int result) {
    if (m_services.settings && m_preview)
        m_services.settings->saveWindow(*m_preview, m_services.previewSection);
    // The preview accepts only after it printed; the last painting was then the printed copy.
    if (result == QDialog::Accepted)
        finish(m_lastPrint);
    else
        finish(ExportResult::failure(ExportError::Cancelled, QStringLiteral("The report was not printed.")), true);
}

void ExportJob::finish(const ExportResult& result, bool chosenByUser) {
    if (m_done)
        return;
    m_done = true;
    m_writer.reset();
    m_file.reset();   // uncommitted: the temporary file goes, an older file stays as it was
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
    }
    if (!result.ok() && !chosenByUser && m_services.messages)
        m_services.messages->notice(m_texts.windowText, result.text);
    if (m_finished)
        m_finished(result);
    deleteLater();
}

}  // namespace nm::platform
