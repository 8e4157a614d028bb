// Where the settings live: one folder under the user's configuration folder
// (XDG_CONFIG_HOME), holding the registry file and "Serial.ini".
#pragma once

#include <QString>

namespace brondavel::app {

// $XDG_CONFIG_HOME/Brondavel (~/.config/Brondavel), created when missing.
QString SettingsFolder();
// The INI file that stands in for the registry key.
QString RegistryFilePath();
QString SerialIniPath();

// The registry key path all of the panel's and windows' values live under.
inline constexpr const char* kRegistryKeyPath = "SOFTWARE\\Microsoft\\Brondavel";

}  // namespace brondavel::app
