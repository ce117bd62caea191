#include "text/LanguageCatalog.h"

#include <map>
#include <mutex>
#include <set>
#include <string>

namespace corsel {

const LanguageData& languageData(std::string_view file) {
    // Read on first use; the tables are only ever loaded on the
    // user-interface thread, the lock keeps tests on other threads safe.
    static std::recursive_mutex mutex;
    static std::map<std::string, LanguageData, std::less<>> cache;
    static std::set<std::string, std::less<>> reading;
    std::lock_guard lock(mutex);
    if (const auto found = cache.find(file); found != cache.end()) {
        return found->second;
    }
    // Includes of includes are followed; an include that leads back to a file
    // being read finds nothing, and the parse reports it.
    reading.emplace(file);
    LanguageData data = LanguageData::parse(
        embeddedLanguageFile(file), [](std::string_view name) -> const LanguageData* {
            return reading.contains(name) ? nullptr : &languageData(name);
        });
    reading.erase(reading.find(file));
    return cache.emplace(std::string(file), std::move(data)).first->second;
}

}  // namespace corsel
