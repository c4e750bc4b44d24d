#pragma once
// The settings service over ./timesheet.INI: window positions per procedure name and the export
// service's own entries. One call at a time touches the file; what cannot be read is ignored.

#include <QMutex>
#include <QString>
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

private:
    QString m_path;
    mutable QMutex m_mutex;
};

}  // namespace nm::platform
