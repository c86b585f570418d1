#include "core/qt/qsettings_store.h"

#include <QSettings>
#include <QVariant>
#include <limits>

namespace lumetra::core::qt {

namespace {

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString keyOf(std::string_view section, std::string_view name)
{
    return fromUtf8(section) + QLatin1Char('/') + fromUtf8(name);
}

} // namespace

QSettingsStore::QSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
        QString::fromLatin1(kOrganisationName), QString::fromLatin1(kApplicationName)))
{
}

QSettingsStore::QSettingsStore(const std::filesystem::path& iniFile)
    : settings_(
        std::make_unique<QSettings>(QString::fromStdU16String(iniFile.generic_u16string()), QSettings::IniFormat))
{
}

QSettingsStore::~QSettingsStore()
{
    settings_->sync();
}

std::int32_t QSettingsStore::readInt(std::string_view section, std::string_view name, std::int32_t defaultValue) const
{
    const QVariant value = settings_->value(keyOf(section, name));
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok)
        return defaultValue;
    // A registry DWORD holds the 32 bits of a signed number.
    if (number > std::numeric_limits<std::int32_t>::max() && number <= std::numeric_limits<std::uint32_t>::max())
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
    if (number < std::numeric_limits<std::int32_t>::min() || number > std::numeric_limits<std::int32_t>::max())
        return defaultValue;
    return static_cast<std::int32_t>(number);
}

std::string QSettingsStore::readText(
    std::string_view section, std::string_view name, std::string_view defaultValue) const
{
    const QVariant value = settings_->value(keyOf(section, name));
    if (!value.isValid() || !value.canConvert<QString>())
        return std::string(defaultValue);
    return value.toString().toStdString();
}

void QSettingsStore::writeInt(std::string_view section, std::string_view name, std::int32_t value)
{
    // An int QVariant becomes a REG_DWORD in the registry.
    settings_->setValue(keyOf(section, name), QVariant(static_cast<int>(value)));
}

void QSettingsStore::writeText(std::string_view section, std::string_view name, std::string_view value)
{
    settings_->setValue(keyOf(section, name), QVariant(fromUtf8(value)));
}

bool QSettingsStore::flush()
{
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

QString QSettingsStore::location() const
{
    return settings_->fileName();
}

} // namespace lumetra::core::qt
