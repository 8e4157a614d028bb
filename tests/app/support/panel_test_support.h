// What the panel tests share: clean settings, a port the panel can open (one
// end of a pseudo-terminal), a scratch folder and a copy of the demo.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "app/panel/main_panel.h"
#include "app/settings/settings_paths.h"
#include "tests/app/support/gui_test_support.h"
#include "tests/link/link_test_util.h"

namespace brondavel::test {

// Forgets every stored value and "Serial.ini", and makes the runtime folder
// the test's environment names, private as XDG wants it.
inline void ResetSettings() {
    QFile::remove(app::RegistryFilePath());
    QFile::remove(app::SerialIniPath());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty()) return;
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A panel on the pty's port, with the demo's copy in `dir` when `withDemo`.
struct PanelOnPty {
    explicit PanelOnPty(bool withDemo = false, int model = -1) {
        app::PanelOptions options;
        options.portDevice = QString::fromStdString(pty.path);
        options.modelType = model;
        if (withDemo) {
            demoPath = dir.filePath("demo.ZCS");
            QFile::copy(QString::fromStdString(DemoDatabasePath()), demoPath);
            QFile(demoPath).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
            options.filePath = demoPath;
        }
        panel = std::make_unique<app::MainPanel>(options);
    }
    linktest::Pty pty;
    QTemporaryDir dir;
    QString demoPath;
    std::unique_ptr<app::MainPanel> panel;
};

}  // namespace brondavel::test
