#pragma once
// What a job needs of the settings file: its remembered choices and the print preview's position.
// The list window hands in the program's settings service through SettingsServiceExportSettings;
// tests use MemoryExportSettings.

#include <QHash>
#include <QString>
#include <QVariant>

class QWidget;

namespace nm::platform {

class SettingsService;

class ExportSettings {
public:
    virtual ~ExportSettings() = default;
    virtual QVariant value(const QString& section, const QString& key, const QVariant& fallback = {}) const = 0;
    virtual void setValue(const QString& section, const QString& key, const QVariant& value) = 0;
    virtual void restoreWindow(QWidget& window, const QString& section) = 0;
    virtual void saveWindow(const QWidget& window, const QString& section) = 0;
};

class SettingsServiceExportSettings : public ExportSettings {
public:
    explicit SettingsServiceExportSettings(SettingsService& settings) : m_settings(settings) {}
    QVariant value(const QString& section, const QString& key, const QVariant& fallback) const override;
    void setValue(const QString& section, const QString& key, const QVariant& value) override;
    void restoreWindow(QWidget& window, const QString& section) override;
    void saveWindow(const QWidget& window, const QString& section) override;

private:
    SettingsService& m_settings;
};

// Keeps everything in memory; window positions as "x,y,width,height" under the key "Geometry".
class MemoryExportSettings : public ExportSettings {
public:
    QVariant value(const QString& section, const QString& key, const QVariant& fallback) const override;
    void setValue(const QString& section, const QString& key, const QVariant& value) override;
    void restoreWindow(QWidget& window, const QString& section) override;
    void saveWindow(const QWidget& window, const QString& section) override;

    const QHash<QString, QVariant>& entries() const { return m_values; }   // keyed "section/key"

private:
    QHash<QString, QVariant> m_values;
};

}  // namespace nm::platform
