#include "exporttesthelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

namespace nm::platform::testing {

QVector<QStringList> awkwardRows() {
    return {
        {QStringLiteral("plain"), QStringLiteral("say \"cheese\""), QStringLiteral("one, two"), QString()},
        {QStringLiteral("{braces}"), QStringLiteral("back\\slash"), QStringLiteral("\\par \\u8364? {\\b x}"),
         QStringLiteral("}{")},
        {QStringLiteral("Äpfel, Öl & Süß"), QStringLiteral("Ελληνικά"), QStringLiteral("Кириллица"),
         QStringLiteral("日本語 한국어")},
        {QStringLiteral("🍎 apple 🥦"), QStringLiteral(" * "), QStringLiteral("*"), QStringLiteral("€ 5")},
        {QStringLiteral("0123"), QStringLiteral("=1+2"), QStringLiteral("12.50"), QStringLiteral("-3")},
        {QString(), QString(), QString(), QString()},
        {QStringLiteral("two\nlines"), QStringLiteral("a;b"), QStringLiteral("\"\""), QStringLiteral("'quoted'")},
    };
}

ExportTable awkwardTable(const QString& name) {
    ExportTable t;
    t.name = name;
    t.columns = {{QStringLiteral("Name"), 30, Qt::AlignLeft},
                 {QStringLiteral("A \"x\""), 10, Qt::AlignCenter},
                 {QString(), 20, Qt::AlignRight},
                 {QStringLiteral("Group, kind"), 20, Qt::AlignLeft}};
    t.titles = {QStringLiteral("Food list {all}"), QStringLiteral("Benefit, O AND A")};
    t.options.procName = QStringLiteral("BrowseFood:VOX6");
    return t;
}

QVector<QStringList> parseCsv(const QByteArray& bytes, bool* ok) {
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QVector<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool wasQuoted = false;
    bool good = true;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text.at(i + 1) == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == u'"') {
            if (!field.isEmpty() || wasQuoted)
                good = false;   // a quote inside an unquoted field
            quoted = true;
            wasQuoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
            wasQuoted = false;
        } else if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') {
            ++i;
            record << field;
            records << record;
            record.clear();
            field.clear();
            wasQuoted = false;
        } else if (c == u'\n' || c == u'\r') {
            good = false;   // a bare line break outside quotes
            record << field;
            records << record;
            record.clear();
            field.clear();
            wasQuoted = false;
        } else {
            if (wasQuoted)
                good = false;
            field += c;
        }
    }
    if (quoted)
        good = false;
    if (!field.isEmpty() || !record.isEmpty()) {
        record << field;
        records << record;
    }
    if (ok)
        *ok = good;
    return records;
}

QByteArray runTool(const QString& program, const QStringList& args, QString* error) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForStarted(10000) || !p.waitForFinished(180000) || p.exitStatus() != QProcess::NormalExit ||
        p.exitCode() != 0) {
        if (error)
            *error = QStringLiteral("%1 failed: %2 %3")
                         .arg(program, p.errorString(), QString::fromLocal8Bit(p.readAllStandardError()));
        return {};
    }
    return p.readAllStandardOutput();
}

bool libreOfficeAvailable() {
    return !QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty();
}

QByteArray convertWithLibreOffice(const QString& file, const QString& filter, const QString& suffix,
                                  QString* error) {
    QTemporaryDir home;
    QTemporaryDir out;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    p.setProcessEnvironment(env);
    const QString profile = QUrl::fromLocalFile(home.filePath(QStringLiteral("profile"))).toString();
    p.start(QStringLiteral("soffice"), {QStringLiteral("-env:UserInstallation=") + profile, QStringLiteral("--headless"),
                                        QStringLiteral("--norestore"), QStringLiteral("--convert-to"), filter,
                                        QStringLiteral("--outdir"), out.path(), file});
    if (!p.waitForStarted(10000) || !p.waitForFinished(240000)) {
        if (error)
            *error = QStringLiteral("LibreOffice did not run: ") + p.errorString();
        p.kill();
        return {};
    }
    const QString made = out.filePath(QFileInfo(file).completeBaseName() + u'.' + suffix);
    QFile f(made);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("LibreOffice made no %1: %2 %3")
                         .arg(made, QString::fromLocal8Bit(p.readAllStandardOutput()),
                              QString::fromLocal8Bit(p.readAllStandardError()));
        return {};
    }
    return f.readAll();
}

}  // namespace nm::platform::testing
