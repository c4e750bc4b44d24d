#pragma once
// The service's own windows: the setup dialog shown before a report is made, and the progress
// window shown while a file is written. Every caption comes from the program-wide texts.
// Controls carry object names for tests: "ReportFile", "SelectFile", "PageSetup", "Portrait",
// "Landscape", "OpenAfter", "OK", "Cancel"; in the progress window "Progress", "Cancel".

#include "exporttypes.h"

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace nm::platform {

class ExportSetupDialog : public QDialog {
    Q_OBJECT
public:
    ExportSetupDialog(ExportKind kind, const ExportTexts& texts, QWidget* parent = nullptr);

    void setFileName(const QString& path);
    QString fileName() const;
    void setPortrait(bool portrait);
    bool portrait() const;
    void setOpenAfter(bool open);
    bool openAfter() const;

private:
    void chooseFile();
    void updateOk();

    ExportKind m_kind;
    QLineEdit* m_file = nullptr;
    QPushButton* m_select = nullptr;
    QGroupBox* m_page = nullptr;
    QRadioButton* m_portrait = nullptr;
    QRadioButton* m_landscape = nullptr;
    QCheckBox* m_open = nullptr;
    QPushButton* m_ok = nullptr;
};

class ExportProgressWindow : public QDialog {
    Q_OBJECT
public:
    ExportProgressWindow(const ExportTexts& texts, qsizetype total, QWidget* parent = nullptr);

    void setWritten(qsizetype rows);
    void showComplete();
    QString labelText() const;

    // Escape and the close box ask to cancel, as the Cancel button does; the job closes the window.
    void reject() override;

signals:
    void cancelRequested();

private:
    QString m_completeText;
    qsizetype m_total;
    QLabel* m_label = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace nm::platform
