#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corsel {

enum class RegistryHive { LocalMachine, CurrentUser };

// Where the program's settings are kept: keys of named string values in two
// hives. An INI file in the program, memory in tests.
class RegistryStore {
public:
    using Values = std::vector<std::pair<std::string, std::string>>;

    virtual ~RegistryStore() = default;

    // The values of a key; nullopt when the key can't be opened (or, without
    // `create`, does not exist).
    virtual std::optional<Values> openKey(RegistryHive hive, const std::string& key,
                                          bool create) = 0;
    virtual bool writeValue(RegistryHive hive, const std::string& key, const std::string& name,
                            const std::string& value) = 0;
    virtual bool deleteValue(RegistryHive hive, const std::string& key,
                             const std::string& name) = 0;
};

}  // namespace corsel
