// brondavel [FILE] [--model 0|1|2] [--port DEV]
// brondavel --print-pdf OUT.pdf FILE [--kind tv|radio] [--by satellite|favorite]
#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/logic/command_line.h"
#include "app/logic/magnetic_platform.h"
#include "app/logic/single_instance.h"
#include "app/panel/main_panel.h"
#include "app/print/channel_sheet_pdf.h"
#include "app/settings/fonts.h"

namespace {

using namespace brondavel;
using namespace brondavel::app;

bool Given(int argc, char** argv, const char* option) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], option) == 0) return true;
    return false;
}

// --print-pdf: the sheet File -> Export PDF writes, with no window.
int PrintPdf(const CommandLine& args) {
    const int model = args.model < 0 ? 2 : args.model;
    // The panel's flash type and compression mode at start.
    std::unique_ptr<DatabaseFile> file = MakeDatabaseFile(args.file, model, 3, 2);
    if (!file->Load()) {
        const std::string why = file->lastError().empty() ? "cannot be read" : file->lastError();
        std::fprintf(stderr, "brondavel: %s: %s\n", args.file.c_str(), why.c_str());
        return 1;
    }
    if (!file->headerValid()) {
        std::fprintf(stderr, "brondavel: %s: not a database of model %d\n", args.file.c_str(),
                     model);
        return 1;
    }
    QString error;
    const QString out = QString::fromStdString(args.printPdf);
    if (!WriteChannelSheetPdf(out, BuildChannelSheet(file->db(), SheetOptionsOf(args)),
                              HeadingFor(QString::fromStdString(args.file)), error)) {
        std::fprintf(stderr, "brondavel: cannot write %s: %s\n", args.printPdf.c_str(),
                     error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (Given(argc, argv, "-h") || Given(argc, argv, "--help")) {
        std::fputs(CommandLineUsage(), stdout);
        return 0;
    }
    if (Given(argc, argv, "--version")) {
        std::printf("brondavel %s\n", BRONDAVEL_VERSION);
        return 0;
    }
    // A PDF for a script: no window, no single-copy rule.
    const bool printing = Given(argc, argv, "--print-pdf");
    if (printing) qputenv("QT_QPA_PLATFORM", "offscreen");

    // One copy per user; a second one hands its file to the first.
    const std::string runtime = RuntimeFolder();
    std::optional<SingleInstanceLock> lock;
    if (!printing) lock.emplace(runtime);

    // Under Wayland, XWayland: the magnetic windows place themselves.
    if (!printing) ChoosePlatform(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName("Brondavel");
    QApplication::setApplicationVersion(BRONDAVEL_VERSION);
    QGuiApplication::setDesktopFileName("org.brondavel.Brondavel");
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt has taken its own options (-platform, -style, ...) out by now.
    std::vector<std::string> rest;
    for (const QString& a : QApplication::arguments().mid(1)) rest.push_back(a.toStdString());
    const CommandLine args = ParseCommandLine(rest);
    if (!args.error.empty()) {
        std::fprintf(stderr, "brondavel: %s\n%s", args.error.c_str(), CommandLineUsage());
        return 2;
    }
    if (printing) return PrintPdf(args);
    if (!lock->Acquired()) {
        const std::string why = HandOverToRunningCopy(runtime, args.file);
        if (why.empty()) return 0;
        std::fprintf(stderr, "brondavel: another copy is running, and %s%s\n", why.c_str(),
                     args.file.empty() ? "" : ("; " + args.file + " was not opened").c_str());
        return 1;
    }
    LoadApplicationFonts();
    QApplication::setWindowIcon(QIcon(":/icons/hicolor/48x48/apps/brondavel.png"));

    // Listening before the panel opens its file: a copy started meanwhile
    // waits for its answer instead of finding no one.
    HandoverServer handover(runtime);

    PanelOptions options;
    options.filePath = QString::fromStdString(args.file);
    options.modelType = args.model;
    options.portDevice = QString::fromStdString(args.port);
    MainPanel panel(options);
    QObject::connect(&panel, &MainPanel::finished, &app, &QApplication::quit);
    if (handover.Fd() >= 0) {
        auto* notifier = new QSocketNotifier(handover.Fd(), QSocketNotifier::Read, &app);
        QObject::connect(notifier, &QSocketNotifier::activated, &panel, [&] {
            handover.Serve([&](const std::string& path) {
                return panel.OpenHandedFile(QString::fromStdString(path));
            });
        });
    }
    panel.show();
    return app.exec();
}
