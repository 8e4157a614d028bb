// brondavel [FILE] [--model 0|1|2] [--port DEV]
#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "app/logic/command_line.h"
#include "app/logic/magnetic_platform.h"
#include "app/logic/single_instance.h"
#include "app/panel/main_panel.h"
#include "app/settings/fonts.h"

int main(int argc, char** argv) {
    using namespace brondavel::app;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "-h" || a == "--help") {
            std::fputs(CommandLineUsage(), stdout);
            return 0;
        }
    }
    // One copy per user; a second one ends silently.
    SingleInstanceLock lock(RuntimeFolder());
    if (!lock.Acquired()) return 0;

    // Under Wayland, XWayland: the magnetic windows place themselves.
    ChoosePlatform(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName("Brondavel");
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt has taken its own options (-platform, -style, ...) out by now.
    std::vector<std::string> rest;
    for (const QString& a : QApplication::arguments().mid(1)) rest.push_back(a.toStdString());
    const CommandLine args = ParseCommandLine(rest);
    if (!args.error.empty()) {
        std::fprintf(stderr, "brondavel: %s\n%s", args.error.c_str(), CommandLineUsage());
        return 2;
    }
    LoadApplicationFonts();

    PanelOptions options;
    options.filePath = QString::fromStdString(args.file);
    options.modelType = args.model;
    options.portDevice = QString::fromStdString(args.port);
    MainPanel panel(options);
    QObject::connect(&panel, &MainPanel::finished, &app, &QApplication::quit);
    panel.show();
    return app.exec();
}
