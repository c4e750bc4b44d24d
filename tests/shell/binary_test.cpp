// The real program under Xvfb, started in an empty directory as a user would, left through the menu.
#include "platform/inidocument.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

namespace {

bool run(const QString& program, const QStringList& args, const QProcessEnvironment& env,
         int timeoutMs = 10000) {
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    return p.waitForFinished(timeoutMs) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

TEST(Binary, StartsInAnEmptyDirectoryAndExitsThroughTheMenu) {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfb.isEmpty() || xdotool.isEmpty())
        GTEST_SKIP() << "needs Xvfb and xdotool";

    QProcess server;
    server.start(xvfb, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                        QStringLiteral("0"), QStringLiteral("1280x900x24"), QStringLiteral("-nolisten"),
                        QStringLiteral("tcp")});
    ASSERT_TRUE(server.waitForStarted(5000));
    QByteArray number;
    for (int i = 0; i < 100 && !number.contains('\n'); ++i) {
        server.waitForReadyRead(100);
        number += server.readAllStandardOutput();
    }
    ASSERT_FALSE(number.trimmed().isEmpty()) << "Xvfb gave no display number";
    const QString display = QStringLiteral(":") + QString::fromLatin1(number.trimmed());

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("DISPLAY"), display);

    QTemporaryDir dir;
    QProcess nutrimap;
    nutrimap.setProcessEnvironment(env);
    nutrimap.setWorkingDirectory(dir.path());
    nutrimap.start(QStringLiteral(NUTRIMAP_BINARY), {});
    ASSERT_TRUE(nutrimap.waitForStarted(5000));

    // Wait for the frame, click it (the splash screen closes as it loses the focus), then File, Exit.
    ASSERT_TRUE(run(xdotool,
                    {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--name"), QStringLiteral("^Nutrimap$")},
                    env, 15000));
    QThread::msleep(500);
    run(xdotool,
        {QStringLiteral("mousemove"), QStringLiteral("940"), QStringLiteral("480"), QStringLiteral("click"),
         QStringLiteral("1")},
        env);
    QThread::msleep(300);
    run(xdotool, {QStringLiteral("key"), QStringLiteral("alt+f")}, env);
    QThread::msleep(300);
    run(xdotool, {QStringLiteral("key"), QStringLiteral("x")}, env);

    const bool ended = nutrimap.waitForFinished(10000);
    if (!ended)
        nutrimap.kill();
    server.terminate();
    server.waitForFinished(3000);
    ASSERT_TRUE(ended) << "the program did not end after File, Exit";
    EXPECT_EQ(nutrimap.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(nutrimap.exitCode(), 0);

    QFile ini(dir.filePath(QStringLiteral("timesheet.INI")));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const auto doc = nm::platform::IniDocument::parse(ini.readAll());
    for (const char* key : {"Maximize", "Minimize"})
        EXPECT_EQ(doc.value(QStringLiteral("Main"), QString::fromLatin1(key)), QStringLiteral("No")) << key;
    for (const char* key : {"XPos", "YPos"})
        EXPECT_TRUE(doc.value(QStringLiteral("Main"), QString::fromLatin1(key)).has_value()) << key;
    EXPECT_EQ(doc.value(QStringLiteral("Main"), QStringLiteral("Width")), QStringLiteral("643"));
    EXPECT_EQ(doc.value(QStringLiteral("Main"), QStringLiteral("Height")), QStringLiteral("397"));
    // No table was opened, so none was created; the settings file is all the run leaves.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("timesheet.INI")}));
}

} // namespace
