#pragma once
// The program's message service: titled message boxes for notices, questions and fatal messages.

#include "messages.h"

#include <functional>

class QMessageBox;

namespace nm::platform {

class DialogMessageService : public MessageService {
public:
    // How a fatal message ends the program; tests hand in one that records the status instead.
    using EndProgram = std::function<void(int status)>;
    static constexpr int kFatalExitStatus = 1;

    explicit DialogMessageService(EndProgram endProgram = {});

    void notice(const QString& title, const QString& text) override;
    bool askYesNo(const QString& title, const QString& text) override;
    Answer askYesNoCancel(const QString& title, const QString& text, Answer defaultAnswer) override;
    // Shows the text followed by "  Press OK to end this application"; after OK the program ends at
    // once with kFatalExitStatus, without running any further window code.
    void fatal(const QString& title, const QString& text) override;

    static QString fatalSuffix() { return QStringLiteral("  Press OK to end this application"); }

private:
    EndProgram m_endProgram;
};

} // namespace nm::platform
