#include "app/settings/settings_paths.h"

#include <QDir>
#include <QStandardPaths>

namespace brondavel::app {

QString SettingsFolder() {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Brondavel";
    QDir().mkpath(folder);
    return folder;
}

QString RegistryFilePath() {
    return SettingsFolder() + "/Registry.ini";
}

QString SerialIniPath() {
    return SettingsFolder() + "/Serial.ini";
}

}  // namespace brondavel::app
