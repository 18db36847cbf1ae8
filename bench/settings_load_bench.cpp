// Times the mail extension's settings load: one settings file with a filter list of the given
// length (written once), then loadSettings over and over as the change notification would.
#include "platform/foundation/property_list.hpp"
#include "settings/keys.hpp"
#include "settings/loader.hpp"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace {

using namespace tintbox::settings;
using foundation::Array;
using foundation::Dictionary;
using foundation::Value;

class TemporaryFolder {
public:
    TemporaryFolder() {
        std::string pattern = std::filesystem::temp_directory_path() / "tintbox-bench-XXXXXX";
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        m_path = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// A record as the filter editor writes it; every tenth is left without a colour and every
// third has only a subject, so that cleaning has work to do.
Dictionary filterRecord(int index) {
    namespace record = filter_record;
    const bool subjectOnly = index % 3 == 0;
    Dictionary filter;
    filter.emplace(record::kFrom, subjectOnly ? std::string() : "sender" + std::to_string(index));
    filter.emplace(record::kTo, "");
    filter.emplace(record::kCc, "");
    filter.emplace(record::kSubject, subjectOnly ? "topic " + std::to_string(index) : "");
    for (const auto& field : record::kPatternFields)
        filter.emplace(field.matchType, index % 2);
    filter.emplace(record::kHexColor, index % 10 == 0 ? std::string(kNoColourHex) : "#3366CC");
    return filter;
}

Dictionary settingsWithFilters(int count) {
    Dictionary settings = defaultValues();
    settings.insert_or_assign(std::string(kEnabled), true);
    for (int account = 0; account < 5; ++account)
        settings.emplace("Account " + std::to_string(account), "#FF8800");
    Array filters;
    for (int i = 0; i < count; ++i)
        filters.emplace_back(filterRecord(i));
    settings.insert_or_assign(std::string(kFiltersEnabled), std::move(filters));
    return settings;
}

void BM_LoadSettings(benchmark::State& state) {
    const TemporaryFolder folder;
    const auto file = folder.path() / "net.quillward.tintbox.plist";
    std::string error;
    if (!foundation::writePropertyListAtomically(
            Value(settingsWithFilters(static_cast<int>(state.range(0)))), file, &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file));

    SettingsSnapshot snapshot;
    for (auto _ : state) {
        loadSettings(snapshot, file);
        benchmark::DoNotOptimize(snapshot.filters.data());
    }
    state.counters["filters_kept"] = static_cast<double>(snapshot.filters.size());
}
BENCHMARK(BM_LoadSettings)->Arg(0)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
