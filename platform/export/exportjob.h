#pragma once
// One print or export of a list, from the setup dialog to the finished output. A list window
// creates a job per press of its export button, in the order the service expects:
//
//     auto* job = new ExportJob(ExportKind::Rtf, services, this);      // kind; parent window
//     job->setOptions(options);                                        // options record
//     job->setRows(std::make_unique<ModelRowSource>(*model, columns)); // the list's rows
//     job->setName(u"BrowseFood"_s);
//     job->addColumn({QString(), 50, Qt::AlignCenter});                // ... one per column
//     job->addTitle(title); job->addTitle(filterDescription);
//     job->run([this](const ExportResult&) { moveToFirstRow(); });
//
// Everything is handed over before run(); run() reads it once. run() returns at once: the setup dialog, the progress window and the print preview are opened
// window-modal on the list window, never in a nested event loop. The callback runs exactly once,
// when the output is complete, has failed or was cancelled; the job then deletes itself (and is
// deleted with its window if that closes first, which throws away the unfinished file).
// Failures are shown through the message service, titled with the report window's text; a cancel
// the user chose in the service's own windows is returned but not shown.
// A file is written under a temporary name and takes its place only when complete.

#include "exportsettings.h"
#include "exportsetupdialog.h"
#include "exporttypes.h"
#include "rowsource.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QPrintPreviewDialog>

#include <functional>
#include <memory>

class QPrinter;
class QSaveFile;
class QTimer;
class QWidget;

namespace nm::platform {

class MessageService;
class PrintLayout;
class TableWriter;

struct ExportServices {
    const ExportTexts* texts = nullptr;     // program-wide texts; the standard ones when null
    ExportSettings* settings = nullptr;     // remembered choices and preview position; none kept when null
    MessageService* messages = nullptr;     // where failures are shown; only returned when null
    // Opens a created document in the desktop's program for it; the default asks the desktop.
    std::function<bool(const QString& path)> openDocument;
    QString previewSection = QStringLiteral("PrintPreview");   // settings section of the preview's position
};

class ExportJob : public QObject {
    Q_OBJECT
public:
    using Finished = std::function<void(const ExportResult&)>;

    ExportJob(ExportKind kind, ExportServices services, QWidget* window);
    ~ExportJob() override;

    void setOptions(const ExportOptions& options);
    void setRows(std::unique_ptr<RowSource> rows);
    void setName(const QString& name);
    void addColumn(const ExportColumn& column);
    void addTitle(const QString& title);
    void setPrintFont(const QFont& font);
    // Without the setup dialog the proposed file and the remembered choices are used as they are.
    void setShowSetup(bool show) { m_showSetup = show; }
    // How long "Complete" stays up before the progress window closes.
    void setCompleteLinger(int milliseconds) { m_linger = milliseconds; }

    void run(Finished finished);

    ExportKind kind() const { return m_kind; }
    const ExportTable& table() const { return m_table; }
    // The settings section of this list's remembered choices: PROCNAME, else the job's name.
    QString settingsSection() const;
    // The file the job proposes (before the dialog) or writes (after it).
    QString fileName() const { return m_fileName; }

    ExportSetupDialog* setupDialog() const { return m_setup; }
    ExportProgressWindow* progressWindow() const { return m_progress; }
    QPrintPreviewDialog* previewDialog() const { return m_preview; }

    // Paints the report onto a printer; the preview calls it to show and to print the pages.
    ExportResult printTo(QPrinter& printer);

private:
    void loadChoices();
    void saveChoices();
    void choicesMade();
    void startFile();
    void writeSlice();
    void completeFile();
    void startPrint();
    void previewClosed(int result);
    void finish(const ExportResult& result, bool chosenByUser = false);

    ExportKind m_kind;
    ExportServices m_services;
    ExportTexts m_texts;
    QPointer<QWidget> m_window;
    ExportTable m_table;
    std::unique_ptr<RowSource> m_rows;
    QFont m_printFont;
    bool m_showSetup = true;
    int m_linger = 700;
    Finished m_finished;
    bool m_done = false;
    QString m_fileName;

    QPointer<ExportSetupDialog> m_setup;
    QPointer<ExportProgressWindow> m_progress;
    QPointer<QPrintPreviewDialog> m_preview;
    std::unique_ptr<QSaveFile> m_file;          // declared before the writer, which writes into it
    std::unique_ptr<TableWriter> m_writer;
    QTimer* m_slices = nullptr;
    qsizetype m_next = 0;
    bool m_cancelRequested = false;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<PrintLayout> m_layout;
    ExportResult m_lastPrint;
};

}  // namespace nm::platform
