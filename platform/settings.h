#pragma once
// The settings service over ./timesheet.INI: window positions per procedure name and the export
// service's own entries. One call at a time touches the file; what cannot be read is ignored.

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QVariant>

class QWidget;

namespace nm::platform {

class SettingsService {
public:
    explicit SettingsService(QString filePath = QStringLiteral("timesheet.INI"));

    // Restores a window's position and size (dialog units, maximized/minimized state) saved under
    // `procedure`; a missing file, section or unreadable value leaves the window as it is.
    void restoreWindow(QWidget& window, const QString& procedure, bool resizable = true);
    void saveWindow(const QWidget& window, const QString& procedure, bool resizable = true);

    QVariant value(const QString& section, const QString& key, const QVariant& fallback = {}) const;
    void setValue(const QString& section, const QString& key, const QVariant& value);

    QString filePath() const { return m_path; }

    // The service's own index section: read when the service starts, rewritten at shut-down with the
    // count of sections under "Sectors" and their names as numbered entries. No window touches it.
    static QString indexSection() { return QStringLiteral("__Dont_Touch_Me__"); }
    void shutdown();
    QStringList indexedSections() const;

    // The window a position belongs to: the sub-window frame for a window inside a multiple-document
    // area, else the window itself. Restore and save act on it, with the window's own font for units.
    static QWidget& positionedWidget(QWidget& window);

private:
    void readIndex();

    QString m_path;
    mutable QMutex m_mutex;
    QStringList m_index;   // section names in the order they first appeared
};

}  // namespace nm::platform
