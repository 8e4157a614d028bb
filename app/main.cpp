// brondavel [FILE] [--model 0|1|2] [--port DEV]
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/logic/command_line.h"
#include "app/logic/single_instance.h"
#include "app/panel/main_panel.h"
#include "app/settings/fonts.h"

int main(int argc, char** argv) {
    using namespace brondavel::app;
    const CommandLine args = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (args.help) {
        std::fputs(CommandLineUsage(), stdout);
        return 0;
    }
    if (!args.error.empty()) {
        std::fprintf(stderr, "brondavel: %s\n%s", args.error.c_str(), CommandLineUsage());
        return 2;
    }
    // One copy per user; a second one ends silently.
    SingleInstanceLock lock(RuntimeFolder());
    if (!lock.Acquired()) return 0;

    // Real X windows when an X display is there (the magnetic layout needs
    // to place its windows itself).
    const char* display = std::getenv("DISPLAY");
    if (!std::getenv("QT_QPA_PLATFORM") && display && *display) setenv("QT_QPA_PLATFORM", "xcb", 1);

    QApplication app(argc, argv);
    QApplication::setApplicationName("Brondavel");
    QApplication::setQuitOnLastWindowClosed(false);
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
