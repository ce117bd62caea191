#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/RegistryStore.h"

namespace corsel {

class CRegistry;

// One value of an open key. Reading gives the cached text; assigning writes
// through to the store at once.
class CRegEntry {
public:
    bool exists() const { return value_.has_value(); }
    const std::string& text() const;
    operator const std::string&() const { return text(); }
    CRegEntry& operator=(const std::string& value);
    // Deletes the value from the store.
    void remove();

private:
    friend class CRegistry;
    CRegEntry(CRegistry& owner, std::string name) : owner_(&owner), name_(std::move(name)) {}

    CRegistry* owner_;
    std::string name_;  // as stored
    std::optional<std::string> value_;
};

// One key of the settings store, opened (or created) with its values cached.
// Value names are compared without regard to case.
class CRegistry {
public:
    CRegistry(RegistryStore& store, RegistryHive hive, std::string key, bool create);
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    // False when the key could not be opened: reads give nothing, writes
    // store nothing.
    bool isOpen() const { return open_; }
    CRegEntry& operator[](const std::string& name);
    bool contains(const std::string& name) const;

    // The key of all the program's settings.
    static constexpr const char* kProgramKey = "Software\\Orvintel\\Tarquell for Honda";

private:
    friend class CRegEntry;
    static std::string folded(const std::string& name);

    RegistryStore& store_;
    RegistryHive hive_;
    std::string key_;
    bool open_ = false;
    std::map<std::string, std::unique_ptr<CRegEntry>> entries_;  // by folded name
};

}  // namespace corsel
