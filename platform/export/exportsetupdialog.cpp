#include "exportsetupdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace nm::platform {

ExportSetupDialog::ExportSetupDialog(ExportKind kind, const ExportTexts& texts, QWidget* parent)
    : QDialog(parent), m_kind(kind) {
    setObjectName(QStringLiteral("ReportSetup"));
    setWindowTitle(texts.windowText);
    auto* layout = new QVBoxLayout(this);

    if (kind != ExportKind::Print) {
        auto* fileRow = new QHBoxLayout;
        auto* label = new QLabel(texts.reportFile, this);
        m_file = new QLineEdit(this);
        m_file->setObjectName(QStringLiteral("ReportFile"));
        m_file->setMinimumWidth(m_file->fontMetrics().averageCharWidth() * 50);
        label->setBuddy(m_file);
        m_select = new QPushButton(texts.selectText, this);
        m_select->setObjectName(QStringLiteral("SelectFile"));
        m_select->setAutoDefault(false);
        fileRow->addWidget(label);
        fileRow->addWidget(m_file, 1);
        fileRow->addWidget(m_select);
        layout->addLayout(fileRow);
        connect(m_select, &QPushButton::clicked, this, &ExportSetupDialog::chooseFile);
        connect(m_file, &QLineEdit::textChanged, this, &ExportSetupDialog::updateOk);
    }

    // A CSV file has no pages; every other output is laid out on paper.
    if (kind != ExportKind::Csv) {
        m_page = new QGroupBox(texts.pageSetup, this);
        m_page->setObjectName(QStringLiteral("PageSetup"));
        auto* pageLayout = new QHBoxLayout(m_page);
        m_portrait = new QRadioButton(texts.pagePortrait, m_page);
        m_portrait->setObjectName(QStringLiteral("Portrait"));
        m_landscape = new QRadioButton(texts.pageLandscape, m_page);
        m_landscape->setObjectName(QStringLiteral("Landscape"));
        m_landscape->setChecked(true);
        pageLayout->addWidget(m_portrait);
        pageLayout->addWidget(m_landscape);
        pageLayout->addStretch(1);
        layout->addWidget(m_page);
    }

    if (kind != ExportKind::Print) {
        m_open = new QCheckBox(texts.reportOpen, this);
        m_open->setObjectName(QStringLiteral("OpenAfter"));
        layout->addWidget(m_open);
    }

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(texts.okText, QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(texts.cancelText, QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    updateOk();
}

void ExportSetupDialog::setFileName(const QString& path) {
    if (m_file)
        m_file->setText(QDir::toNativeSeparators(path));
}

QString ExportSetupDialog::fileName() const {
    return m_file ? QDir::fromNativeSeparators(m_file->text().trimmed()) : QString();
}

void ExportSetupDialog::setPortrait(bool portrait) {
    if (!m_page)
        return;
    (portrait ? m_portrait : m_landscape)->setChecked(true);
}

bool ExportSetupDialog::portrait() const {
    return m_portrait && m_portrait->isChecked();
}

void ExportSetupDialog::setOpenAfter(bool open) {
    if (m_open)
        m_open->setChecked(open);
}

bool ExportSetupDialog::openAfter() const {
    return m_open && m_open->isChecked();
}

void ExportSetupDialog::updateOk() {
    m_ok->setEnabled(m_kind == ExportKind::Print || !fileName().isEmpty());
}

void ExportSetupDialog::chooseFile() {
    // An own dialog object opened window-modal: no nested event loop while it is up.
    auto* dialog = new QFileDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    const QString suffix = exportFileSuffix(m_kind);
    dialog->setDefaultSuffix(suffix);
    dialog->setNameFilter(QStringLiteral("*.") + suffix);
    const QFileInfo current(fileName());
    if (!fileName().isEmpty()) {
        dialog->setDirectory(current.absolutePath());
        dialog->selectFile(current.fileName());
    }
    connect(dialog, &QFileDialog::fileSelected, this, &ExportSetupDialog::setFileName);
    dialog->open();
}

ExportProgressWindow::ExportProgressWindow(const ExportTexts& texts, qsizetype total, QWidget* parent)
    : QDialog(parent), m_completeText(texts.completeText), m_total(total) {
    setObjectName(QStringLiteral("ReportProgress"));
    setWindowTitle(texts.windowText);
    auto* layout = new QVBoxLayout(this);
    m_label = new QLabel(texts.createReportText, this);
    m_label->setObjectName(QStringLiteral("ProgressText"));
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("Progress"));
    m_bar->setRange(0, 1000);
    m_bar->setValue(0);
    m_bar->setMinimumWidth(m_bar->fontMetrics().averageCharWidth() * 40);
    m_cancel = new QPushButton(texts.cancelText, this);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(m_cancel);
    layout->addLayout(row);
    connect(m_cancel, &QPushButton::clicked, this, &ExportProgressWindow::cancelRequested);
}

void ExportProgressWindow::setWritten(qsizetype rows) {
    // Permille, so lists longer than an int can count still move the bar.
    const double share = m_total > 0 ? double(rows) / double(m_total) : 1.0;
    m_bar->setValue(int(share * 1000));
}

void ExportProgressWindow::showComplete() {
    m_bar->setValue(1000);
    m_label->setText(m_completeText);
    m_cancel->setEnabled(false);
}

void ExportProgressWindow::reject() {
    if (m_cancel->isEnabled())
        emit cancelRequested();
}

QString ExportProgressWindow::labelText() const {
    return m_label->text();
}

}  // namespace nm::platform
