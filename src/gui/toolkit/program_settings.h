#pragma once

#include <QSettings>
#include <QString>

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

// The product name in window titles and the About dialog.
inline QString ProductName() {
    return QStringLiteral("Dalvero Tessaray");
}

} // namespace tessaray
