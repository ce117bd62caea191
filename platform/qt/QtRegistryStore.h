#pragma once

#include <QString>
#include <set>

#include "platform/RegistryStore.h"

namespace corsel {

// The settings store as an INI file. Each hive is a top-level group, a key's
// path below it is a chain of groups, and every value is a string.
class QtRegistryStore final : public RegistryStore {
public:
    // The file in the user's configuration folder.
    QtRegistryStore();
    explicit QtRegistryStore(QString filePath);

    static QString defaultFilePath();
    const QString& filePath() const { return filePath_; }

    std::optional<Values> openKey(RegistryHive hive, const std::string& key, bool create) override;
    bool writeValue(RegistryHive hive, const std::string& key, const std::string& name,
                    const std::string& value) override;
    bool deleteValue(RegistryHive hive, const std::string& key, const std::string& name) override;

private:
    QString filePath_;
    // An INI file keeps no empty groups: keys created while they have no
    // values yet are remembered here so that they open until the program ends.
    std::set<QString> createdKeys_;
};

}  // namespace corsel
