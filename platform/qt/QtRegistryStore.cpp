#include "platform/qt/QtRegistryStore.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

namespace corsel {

namespace {

QString groupOf(RegistryHive hive, const std::string& key) {
    QString path = QString::fromUtf8(key);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const QString root = hive == RegistryHive::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE")
                                                            : QStringLiteral("HKEY_CURRENT_USER");
    return path.isEmpty() ? root : root + QLatin1Char('/') + path;
}

bool keyExists(QSettings& settings, const QString& group) {
    settings.beginGroup(group);
    const bool exists = !settings.childKeys().isEmpty() || !settings.childGroups().isEmpty();
    settings.endGroup();
    return exists;
}

// Written after every change so that a crash loses nothing; false when the
// file could not be written.
bool saved(QSettings& settings) {
    settings.sync();
    return settings.status() == QSettings::NoError && settings.isWritable();
}

}  // namespace

QtRegistryStore::QtRegistryStore() : QtRegistryStore(defaultFilePath()) {}

QtRegistryStore::QtRegistryStore(QString filePath) : filePath_(std::move(filePath)) {}

QString QtRegistryStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/corsel-diagnostic-system/settings.ini");
}

std::optional<RegistryStore::Values> QtRegistryStore::openKey(RegistryHive hive,
                                                              const std::string& key, bool create) {
    // A fresh QSettings per call: its status then tells about this call only.
    QSettings settings(filePath_, QSettings::IniFormat);
    if (settings.status() == QSettings::AccessError) {
        return std::nullopt;
    }
    const QString group = groupOf(hive, key);
    if (!keyExists(settings, group) && !createdKeys_.contains(group)) {
        if (!create) {
            return std::nullopt;
        }
        createdKeys_.insert(group);
    }
    Values values;
    settings.beginGroup(group);
    for (const QString& name : settings.childKeys()) {
        const QVariant value = settings.value(name);
        QString text;
        if (value.typeId() == QMetaType::QString) {
            text = value.toString();
        } else if (value.typeId() == QMetaType::QStringList) {
            // An unquoted value with commas, typed into the file by hand.
            text = value.toStringList().join(QLatin1Char(','));
        } else {
            continue;  // not a text: as if the value were missing
        }
        values.emplace_back(name.toStdString(), text.toStdString());
    }
    settings.endGroup();
    return values;
}

bool QtRegistryStore::writeValue(RegistryHive hive, const std::string& key, const std::string& name,
                                 const std::string& value) {
    QSettings settings(filePath_, QSettings::IniFormat);
    settings.setValue(groupOf(hive, key) + QLatin1Char('/') + QString::fromStdString(name),
                      QString::fromStdString(value));
    return saved(settings);
}

bool QtRegistryStore::deleteValue(RegistryHive hive, const std::string& key,
                                  const std::string& name) {
    QSettings settings(filePath_, QSettings::IniFormat);
    const QString path = groupOf(hive, key) + QLatin1Char('/') + QString::fromStdString(name);
    if (!settings.contains(path)) {
        return false;
    }
    settings.remove(path);
    return saved(settings);
}

}  // namespace corsel
