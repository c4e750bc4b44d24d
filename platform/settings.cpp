#include "settings.h"

#include "dialogunits.h"
#include "inidocument.h"

#include <optional>
#include <QFile>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMutexLocker>
#include <QSaveFile>
#include <QScreen>
#include <QWidget>

namespace nm::platform {

namespace {

// A settings file is a few kilobytes; anything far larger is not ours to parse.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

IniDocument readDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return IniDocument::parse({});
    return IniDocument::parse(file.read(kMaxFileBytes));
}

// Written through a temporary file and a rename, so a crash or a full disk never leaves half a file.
// A file we may not write stays as it is: window positions are not worth a message.
void writeDocument(const QString& path, const IniDocument& doc) {
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(doc.toBytes());
    file.commit();
}

std::optional<int> integerOf(const std::optional<QString>& text) {
    if (!text)
        return std::nullopt;
    bool ok = false;
    const int v = text->toInt(&ok);
    if (!ok)
        return std::nullopt;
    return v;
}

const QStringList& positionKeys() {
    static const QStringList keys = {QStringLiteral("XPos"), QStringLiteral("YPos"), QStringLiteral("Width"),
                                     QStringLiteral("Height")};
    return keys;
}

// A hand-edited position far off every screen would leave a top-level window out of reach.
bool onSomeScreen(const QRect& frame) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return true;
    for (const QScreen* screen : screens)
        if (screen->virtualGeometry().intersects(frame))
            return true;
    return false;
}

} // namespace

SettingsService::SettingsService(QString filePath) : m_path(std::move(filePath)) {
    readIndex();
}

QWidget& SettingsService::positionedWidget(QWidget& window) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window.parentWidget()))
        return *sub;
    return window;
}

void SettingsService::restoreWindow(QWidget& window, const QString& procedure, bool resizable) {
    IniDocument doc;
    {
        QMutexLocker lock(&m_mutex);
        doc = readDocument(m_path);
    }
    const std::optional<QString> maximize = doc.value(procedure, QStringLiteral("Maximize"));
    if (!maximize || (*maximize != QLatin1String("Yes") && *maximize != QLatin1String("No")))
        return;
    const bool maximized = *maximize == QLatin1String("Yes");

    QWidget& target = positionedWidget(window);
    if (target.isMaximized() && !maximized)
        target.setWindowState(target.windowState() & ~Qt::WindowMaximized);

    const DialogUnits du(window.font());
    const std::optional<int> x = integerOf(doc.value(procedure, QStringLiteral("XPos")));
    const std::optional<int> y = integerOf(doc.value(procedure, QStringLiteral("YPos")));
    const std::optional<int> w = integerOf(doc.value(procedure, QStringLiteral("Width")));
    const std::optional<int> h = integerOf(doc.value(procedure, QStringLiteral("Height")));

    QPoint pos = target.pos();
    if (x)
        pos.setX(du.x(*x));
    if (y)
        pos.setY(du.y(*y));
    QSize size = target.size();
    if (resizable) {
        if (w && *w > 0)
            size.setWidth(du.x(*w));
        if (h && *h > 0)
            size.setHeight(du.y(*h));
    }
    // A sub-window's own minimum does not cover the window inside it; a size edited below that
    // minimum would cut the window off.
    if (&target != &window)
        size = size.expandedTo(target.minimumSizeHint());
    if (!target.isWindow() || onSomeScreen(QRect(pos, size))) {
        if (x || y)
            target.move(pos);
        if (size != target.size())
            target.resize(size);
    }
    if (maximized && !target.isMaximized())
        target.setWindowState(target.windowState() | Qt::WindowMaximized);
}

void SettingsService::saveWindow(const QWidget& window, const QString& procedure, bool resizable) {
    const QWidget& target = positionedWidget(const_cast<QWidget&>(window));
    const bool maximized = target.isMaximized();
    const bool minimized = target.isMinimized();
    const DialogUnits du(window.font());

    QMutexLocker lock(&m_mutex);
    IniDocument doc = readDocument(m_path);
    doc.setValue(procedure, QStringLiteral("Maximize"),
                 maximized ? QStringLiteral("Yes") : QStringLiteral("No"));
    doc.setValue(procedure, QStringLiteral("Minimize"),
                 minimized ? QStringLiteral("Yes") : QStringLiteral("No"));
    if (maximized || minimized) {
        for (const QString& key : positionKeys())
            doc.remove(procedure, key);
    } else {
        doc.setValue(procedure, QStringLiteral("XPos"), QString::number(du.toX(target.x())));
        doc.setValue(procedure, QStringLiteral("YPos"), QString::number(du.toY(target.y())));
        if (resizable) {
            doc.setValue(procedure, QStringLiteral("Width"), QString::number(du.toX(target.width())));
            doc.setValue(procedure, QStringLiteral("Height"), QString::number(du.toY(target.height())));
        } else {
            doc.remove(procedure, QStringLiteral("Width"));
            doc.remove(procedure, QStringLiteral("Height"));
        }
    }
    if (!m_index.contains(procedure, Qt::CaseInsensitive))
        m_index.append(procedure);
    writeDocument(m_path, doc);
}

QVariant SettingsService::value(const QString& section, const QString& key, const QVariant& fallback) const {
    QMutexLocker lock(&m_mutex);
    const std::optional<QString> v = readDocument(m_path).value(section, key);
    return v ? QVariant(*v) : fallback;
}

void SettingsService::setValue(const QString& section, const QString& key, const QVariant& value) {
    QMutexLocker lock(&m_mutex);
    IniDocument doc = readDocument(m_path);
    doc.setValue(section, key, value.toString());
    if (!m_index.contains(section, Qt::CaseInsensitive))
        m_index.append(section);
    writeDocument(m_path, doc);
}

void SettingsService::readIndex() {
    QMutexLocker lock(&m_mutex);
    const IniDocument doc = readDocument(m_path);
    // A damaged count or entry is skipped; the index is rebuilt from the file at shut-down anyway.
    const int count =
        qBound(0, integerOf(doc.value(indexSection(), QStringLiteral("Sectors"))).value_or(0), 1000);
    for (int i = 1; i <= count; ++i) {
        const std::optional<QString> name = doc.value(indexSection(), QString::number(i));
        if (name && !name->isEmpty() && !m_index.contains(*name, Qt::CaseInsensitive))
            m_index.append(*name);
    }
}

QStringList SettingsService::indexedSections() const {
    QMutexLocker lock(&m_mutex);
    return m_index;
}

void SettingsService::shutdown() {
    QMutexLocker lock(&m_mutex);
    IniDocument doc = readDocument(m_path);
    const QStringList present = doc.sections();
    // Sections that are no longer in the file leave the index; sections added by hand join it.
    QStringList index;
    for (const QString& name : std::as_const(m_index))
        if (present.contains(name, Qt::CaseInsensitive))
            index.append(name);
    for (const QString& name : present)
        if (!name.isEmpty() && name.compare(indexSection(), Qt::CaseInsensitive) != 0 &&
            !index.contains(name, Qt::CaseInsensitive))
            index.append(name);
    m_index = index;
    if (!QFile::exists(m_path) && index.isEmpty())
        return; // nothing was saved in this run: no file to create
    doc.removeSection(indexSection());
    doc.setValue(indexSection(), QStringLiteral("Sectors"), QString::number(index.size()));
    for (qsizetype i = 0; i < index.size(); ++i)
        doc.setValue(indexSection(), QString::number(i + 1), index.at(i));
    writeDocument(m_path, doc);
}

} // namespace nm::platform
