// The settings store over QSettings: the registry key HKEY_CURRENT_USER\Software\Korimat\Vestral Lumetra V2.2
// on Windows (integers as DWORD, texts as strings), the INI file of the same organisation and application
// elsewhere, or an INI file at an explicit path.
#pragma once

#include "core/settings_store.h"

#include <QString>
#include <filesystem>
#include <memory>

class QSettings;

namespace lumetra::core::qt {

inline constexpr const char* kOrganisationName = "Korimat";
inline constexpr const char* kApplicationName = "Vestral Lumetra V2.2";

class QSettingsStore final : public SettingsStore {
public:
    // The user's native settings location.
    QSettingsStore();
    // An INI file at the given path.
    explicit QSettingsStore(const std::filesystem::path& iniFile);
    ~QSettingsStore() override;

    QSettingsStore(const QSettingsStore&) = delete;
    QSettingsStore& operator=(const QSettingsStore&) = delete;

    std::int32_t readInt(std::string_view section, std::string_view name, std::int32_t defaultValue) const override;
    std::string readText(std::string_view section, std::string_view name, std::string_view defaultValue) const override;
    void writeInt(std::string_view section, std::string_view name, std::int32_t value) override;
    void writeText(std::string_view section, std::string_view name, std::string_view value) override;
    bool flush() override;

    // Where the values are kept: the file path, or the registry path on Windows.
    QString location() const;

private:
    std::unique_ptr<QSettings> settings_;
};

} // namespace lumetra::core::qt
