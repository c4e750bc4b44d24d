#pragma once
// What the shell's window tests share: program-wide services made of fakes and a settings file in a
// fresh directory.

#include "platform/fakeservices.h"
#include "platform/inidocument.h"
#include "platform/scriptedmessages.h"
#include "platform/services.h"
#include "platform/session.h"
#include "platform/settings.h"

#include <memory>
#include <optional>
#include <QFile>
#include <QTemporaryDir>

namespace nm::shelltest {

struct FakeProgram {
    FakeProgram() : settings(dir.filePath(QStringLiteral("timesheet.INI"))) {
        services.messages = &messages;
        services.settings = &settings;
        services.help = &help;
        services.browser = &browser;
        services.tray = &tray;
    }
    std::unique_ptr<platform::Session> newSession() {
        return std::make_unique<platform::Session>(messages, dir.path());
    }
    platform::IniDocument ini() const {
        QFile f(settings.filePath());
        return platform::IniDocument::parse(f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    }
    std::optional<QString> entry(const char* section, const char* key) const {
        return ini().value(QString::fromLatin1(section), QString::fromLatin1(key));
    }

    QTemporaryDir dir;
    platform::ScriptedMessages messages;
    platform::SettingsService settings;
    platform::FakeHelpViewer help;
    platform::FakeBrowser browser;
    platform::FakeTrayLink tray;
    platform::Services services;
};

} // namespace nm::shelltest
