#include "text/LanguageData.h"

#include <charconv>

namespace corsel {

namespace {

struct TableShape {
    std::string_view name;
    std::size_t size;
};

constexpr std::array<TableShape, kTextTableCount> kShapes{{
    {"UnitChoices", 50},
    {"MainTexts", 128},
    {"PageTexts", 128},
    {"HelpTexts", 54},
    {"FaultListTexts", 128},
    {"FaultPageTexts", 128},
    {"AboutTexts", 128},
    {"ModelsTexts", 128},
    {"SettingsTexts", 128},
    {"FileDialogTexts", 128},
    {"GraphTexts", 128},
    {"GraphHelpTexts", 128},
    {"DtcTexts", 2600},
    {"Marine.PageTexts", 128},
    {"Marine.HelpTexts", 54},
    {"Marine.DtcTexts", 2600},
}};

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::optional<std::size_t> number(std::string_view text) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// "12" is index 12; "12-1" is main code 12, sub code 1; "2.3" is unit 2,
// choice 3. Both pairs give first × 10 + second, the second being one digit.
std::optional<std::size_t> parseKey(std::string_view key) {
    const auto separator = key.find_first_of("-.");
    if (separator == std::string_view::npos) {
        return number(key);
    }
    const auto first = number(key.substr(0, separator));
    const auto second = number(key.substr(separator + 1));
    if (!first || !second || *second > 9) {
        return std::nullopt;
    }
    return *first * 10 + *second;
}

std::optional<std::string> unquote(std::string_view value) {
    if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
        return std::nullopt;
    }
    value = value.substr(1, value.size() - 2);
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"') {
            return std::nullopt;
        }
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++i == value.size()) {
            return std::nullopt;
        }
        switch (value[i]) {
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            case 't':
                text += '\t';
                break;
            case '"':
            case '\\':
                text += value[i];
                break;
            default:
                return std::nullopt;
        }
    }
    return text;
}

}  // namespace

std::string_view textTableName(TextTable table) {
    return kShapes[static_cast<std::size_t>(table)].name;
}

std::size_t textTableSize(TextTable table) {
    return kShapes[static_cast<std::size_t>(table)].size;
}

LanguageData LanguageData::parse(std::string_view source, const IncludeResolver& include) {
    LanguageData data;
    std::optional<TextTable> section;
    bool firstEntry = true;
    int lineNumber = 0;
    while (!source.empty()) {
        const auto end = source.find('\n');
        const std::string_view line = source.substr(0, end);
        source = end == std::string_view::npos ? std::string_view{} : source.substr(end + 1);
        data.parseLine(trim(line), section, firstEntry, include, ++lineNumber);
    }
    return data;
}

void LanguageData::parseLine(std::string_view line, std::optional<TextTable>& section,
                             bool& firstEntry, const IncludeResolver& include, int lineNumber) {
    if (line.empty() || line.front() == '#') {
        return;
    }
    if (line.starts_with("@include")) {
        const std::string_view name = trim(line.substr(8));
        const LanguageData* base = include ? include(name) : nullptr;
        if (!firstEntry || !base) {
            error(lineNumber, "an @include must come first and name a known language");
        } else {
            tables_ = base->tables_;
        }
        firstEntry = false;
        return;
    }
    firstEntry = false;
    if (line.front() == '[') {
        section.reset();
        for (std::size_t i = 0; i < kTextTableCount; ++i) {
            if (line == "[" + std::string(kShapes[i].name) + "]") {
                section = static_cast<TextTable>(i);
            }
        }
        if (!section) {
            error(lineNumber, "unknown table");
        }
        return;
    }
    const auto equals = line.find('=');
    if (!section || equals == std::string_view::npos) {
        error(lineNumber, "an entry outside a table, or without '='");
        return;
    }
    const auto index = parseKey(trim(line.substr(0, equals)));
    auto text = unquote(trim(line.substr(equals + 1)));
    if (!index || *index >= textTableSize(*section) || !text) {
        error(lineNumber, "a bad index or text");
        return;
    }
    tables_[static_cast<std::size_t>(*section)][*index] = std::move(*text);
}

void LanguageData::error(int lineNumber, std::string_view what) {
    errors_.push_back("line " + std::to_string(lineNumber) + ": " + std::string(what));
}

const LanguageData::Entries& LanguageData::entries(TextTable table) const {
    return tables_[static_cast<std::size_t>(table)];
}

const std::string* LanguageData::find(TextTable table, std::size_t index) const {
    const Entries& all = entries(table);
    const auto found = all.find(index);
    return found == all.end() ? nullptr : &found->second;
}

}  // namespace corsel
