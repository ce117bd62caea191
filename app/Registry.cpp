#include "app/Registry.h"

#include <algorithm>
#include <cctype>

namespace corsel {

const std::string& CRegEntry::text() const {
    static const std::string empty;
    return value_ ? *value_ : empty;
}

CRegEntry& CRegEntry::operator=(const std::string& value) {
    value_ = value;
    if (owner_->open_) {
        owner_->store_.writeValue(owner_->hive_, owner_->key_, name_, value);
    }
    return *this;
}

void CRegEntry::remove() {
    value_.reset();
    if (owner_->open_) {
        owner_->store_.deleteValue(owner_->hive_, owner_->key_, name_);
    }
}

CRegistry::CRegistry(RegistryStore& store, RegistryHive hive, std::string key, bool create)
    : store_(store), hive_(hive), key_(std::move(key)) {
    const auto values = store_.openKey(hive_, key_, create);
    open_ = values.has_value();
    if (!open_) {
        return;
    }
    for (const auto& [name, value] : *values) {
        CRegEntry& entry = (*this)[name];
        if (!entry.value_) {
            entry.value_ = value;
        }
    }
}

std::string CRegistry::folded(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

CRegEntry& CRegistry::operator[](const std::string& name) {
    auto& slot = entries_[folded(name)];
    if (!slot) {
        slot.reset(new CRegEntry(*this, name));
    }
    return *slot;
}

bool CRegistry::contains(const std::string& name) const {
    const auto found = entries_.find(folded(name));
    return found != entries_.end() && found->second->exists();
}

}  // namespace corsel
