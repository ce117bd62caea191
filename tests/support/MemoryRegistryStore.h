#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "platform/RegistryStore.h"

namespace corsel::testing {

// A settings store in memory. Value names are matched exactly, as the INI
// store does, so a test sees under which spelling a value was written.
class MemoryRegistryStore final : public RegistryStore {
public:
    // While set, every key fails to open, as a key without access would.
    bool failOpen = false;
    // Writes and deletes that reached the store.
    int writeCount = 0;

    std::optional<Values> openKey(RegistryHive hive, const std::string& key, bool create) override {
        if (failOpen) {
            return std::nullopt;
        }
        const auto found = keys_.find({hive, key});
        if (found != keys_.end()) {
            return found->second;
        }
        if (!create) {
            return std::nullopt;
        }
        return keys_[{hive, key}];
    }

    bool writeValue(RegistryHive hive, const std::string& key, const std::string& name,
                    const std::string& value) override {
        ++writeCount;
        put(hive, key, name, value);
        return true;
    }

    bool deleteValue(RegistryHive hive, const std::string& key, const std::string& name) override {
        ++writeCount;
        const auto found = keys_.find({hive, key});
        if (found == keys_.end()) {
            return false;
        }
        auto& values = found->second;
        const auto entry = std::find_if(values.begin(), values.end(),
                                        [&](const auto& pair) { return pair.first == name; });
        if (entry == values.end()) {
            return false;
        }
        values.erase(entry);
        return true;
    }

    // Sets up a value without counting it as a write.
    void put(RegistryHive hive, const std::string& key, const std::string& name,
             const std::string& value) {
        auto& values = keys_[{hive, key}];
        const auto entry = std::find_if(values.begin(), values.end(),
                                        [&](const auto& pair) { return pair.first == name; });
        if (entry == values.end()) {
            values.emplace_back(name, value);
        } else {
            entry->second = value;
        }
    }

    std::optional<std::string> value(RegistryHive hive, const std::string& key,
                                     const std::string& name) const {
        const auto found = keys_.find({hive, key});
        if (found == keys_.end()) {
            return std::nullopt;
        }
        for (const auto& [entryName, entryValue] : found->second) {
            if (entryName == name) {
                return entryValue;
            }
        }
        return std::nullopt;
    }

    // The values of a key in the order they were first written; none for a
    // key that does not exist.
    Values values(RegistryHive hive, const std::string& key) const {
        const auto found = keys_.find({hive, key});
        return found == keys_.end() ? Values{} : found->second;
    }

    bool hasKey(RegistryHive hive, const std::string& key) const {
        return keys_.contains({hive, key});
    }

private:
    std::map<std::pair<RegistryHive, std::string>, Values> keys_;
};

}  // namespace corsel::testing
