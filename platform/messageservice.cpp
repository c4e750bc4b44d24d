#include "messageservice.h"

#include <cstdio>
#include <cstdlib>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace nm::platform {

namespace {

QMessageBox::StandardButton buttonOf(Answer a) {
    switch (a) {
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Ok:
        return QMessageBox::Ok;
    }
    return QMessageBox::Ok;
}

// Owned by the window in front, so the box stays above it and centred on it.
int showBox(QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
            QMessageBox::StandardButton escapeButton) {
    QMessageBox box(icon, title, text, buttons, QApplication::activeWindow());
    box.setObjectName(QStringLiteral("MessageBox"));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    box.setEscapeButton(escapeButton);
    const int result = box.exec();
    // A box closed by the window manager answers as its escape button.
    return result == 0 ? escapeButton : result;
}

} // namespace

DialogMessageService::DialogMessageService(EndProgram endProgram) : m_endProgram(std::move(endProgram)) {
    if (!m_endProgram)
        m_endProgram = [](int status) {
            std::fflush(nullptr);
            std::_Exit(status);
        };
}

void DialogMessageService::notice(const QString& title, const QString& text) {
    showBox(QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok);
}

bool DialogMessageService::askYesNo(const QString& title, const QString& text) {
    return showBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes,
                   QMessageBox::No) == QMessageBox::Yes;
}

Answer DialogMessageService::askYesNoCancel(const QString& title, const QString& text, Answer defaultAnswer) {
    const int result =
        showBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                buttonOf(defaultAnswer), QMessageBox::Cancel);
    if (result == QMessageBox::Yes)
        return Answer::Yes;
    if (result == QMessageBox::No)
        return Answer::No;
    return Answer::Cancel;
}

void DialogMessageService::fatal(const QString& title, const QString& text) {
    showBox(QMessageBox::Critical, title, text + fatalSuffix(), QMessageBox::Ok, QMessageBox::Ok,
            QMessageBox::Ok);
    m_endProgram(kFatalExitStatus);
}

} // namespace nm::platform
