#include "exportsettings.h"

#include "platform/settings.h"

#include <QRect>
#include <QWidget>

namespace nm::platform {

QVariant SettingsServiceExportSettings::value(const QString& section, const QString& key, const QVariant& fallback) const {
    return m_settings.value(section, key, fallback);
}

void SettingsServiceExportSettings::setValue(const QString& section, const QString& key, const QVariant& value) {
    m_settings.setValue(section, key, value);
}

void SettingsServiceExportSettings::restoreWindow(QWidget& window, const QString& section) {
    m_settings.restoreWindow(window, section);
}

void SettingsServiceExportSettings::saveWindow(const QWidget& window, const QString& section) {
    m_settings.saveWindow(window, section);
}

QVariant MemoryExportSettings::value(const QString& section, const QString& key, const QVariant& fallback) const {
    return m_values.value(section + u'/' + key, fallback);
}

void MemoryExportSettings::setValue(const QString& section, const QString& key, const QVariant& value) {
    m_values.insert(section + u'/' + key, value);
}

void MemoryExportSettings::restoreWindow(QWidget& window, const QString& section) {
    const QStringList parts = value(section, QStringLiteral("Geometry"), {}).toString().split(u',');
    if (parts.size() != 4)
        return;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts.at(i).toInt(&ok);
        if (!ok)
            return;
    }
    window.setGeometry(v[0], v[1], v[2], v[3]);
}

void MemoryExportSettings::saveWindow(const QWidget& window, const QString& section) {
    const QRect g = window.geometry();
    setValue(section, QStringLiteral("Geometry"),
             QStringLiteral("%1,%2,%3,%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height()));
}

}  // namespace nm::platform
