#pragma once

#include "core/app/settings_keys.h"

#include <QSettings>
#include <QString>

#include <limits>
#include <string_view>

namespace tessaray {

// The program's settings live under organisation "Dalvero", application "Tessaray V1" (on Windows
// the registry key HKCU\Software\Dalvero\Tessaray V1).
inline QString SettingsOrganization() {
    return QStringLiteral("Dalvero");
}
inline QString SettingsApplication() {
    return QStringLiteral("Tessaray V1");
}
inline QSettings ProgramSettings() {
    return QSettings(SettingsOrganization(), SettingsApplication());
}

// A key of settings_keys.h as QSettings takes it.
inline QString SettingKey(std::string_view key) {
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

// A stored number, or the setting's default when none (or no number of T's range) is stored.
template <typename T> T ReadSetting(const QSettings& settings, const SSetting<T>& entry) {
    bool ok = false;
    const qlonglong value = settings.value(SettingKey(entry.strKey)).toLongLong(&ok);
    const bool fits =
        value >= std::numeric_limits<T>::min() && value <= std::numeric_limits<T>::max();
    return ok && fits ? static_cast<T>(value) : entry.defaultValue;
}

// The product name in window titles and the About dialog.
inline QString ProductName() {
    return QStringLiteral("Dalvero Tessaray");
}

} // namespace tessaray
