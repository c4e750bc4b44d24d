#pragma once
// Base fixture of the window tests: a fresh directory for the table files and timesheet.INI, a scripted
// message service, a help viewer that records topics, and the services every window is handed.

#include "platform/fakeservices.h"
#include "platform/scriptedmessages.h"
#include "platform/services.h"
#include "platform/session.h"
#include "platform/settings.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace nm::testing {

class WindowTestBase : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings = std::make_unique<platform::SettingsService>(dir.filePath(QStringLiteral("timesheet.INI")));
        services.messages = &messages;
        services.settings = settings.get();
        services.help = &help;
    }

    void TearDown() override {
        // Forms end with deleteLater; let them go before the next test builds its own.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<platform::Session> newSession() {
        return std::make_unique<platform::Session>(messages, dir.path());
    }

    QTemporaryDir dir;
    platform::ScriptedMessages messages;
    platform::FakeHelpViewer help;
    std::unique_ptr<platform::SettingsService> settings;
    platform::Services services;
};

}  // namespace nm::testing
