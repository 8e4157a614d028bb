// The main panel: start-up to the first painted panel with the demo loaded,
// and one refresh of the status line. Offscreen, with settings in a scratch
// folder and the port on a pseudo-terminal.
#include <benchmark/benchmark.h>
#include <pty.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <memory>

#include "app/panel/main_panel.h"
#include "tests/support/build_paths.h"

namespace {

using brondavel::app::MainPanel;
using brondavel::app::PanelOptions;

// A port the panel opens: the slave end of a pseudo-terminal.
struct PtyPort {
    PtyPort() {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) == 0) path = name;
    }
    ~PtyPort() {
        if (master >= 0) ::close(master);
        if (slave >= 0) ::close(slave);
    }
    int master = -1, slave = -1;
    QString path;
};

class FirstPaint : public QObject {
  public:
    bool painted = false;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
};

PanelOptions DemoOn(const PtyPort& port) {
    PanelOptions options;
    options.filePath = QString::fromStdString(buildpaths::BinaryDir() + "/share/demo.ZCS");
    options.portDevice = port.path;
    return options;
}

void BM_StartupToFirstPaintWithDemo(benchmark::State& state) {
    PtyPort port;
    for (auto _ : state) {
        FirstPaint paint;
        auto panel = std::make_unique<MainPanel>(DemoOn(port));
        panel->installEventFilter(&paint);
        panel->show();
        while (!paint.painted) QApplication::processEvents();
        state.PauseTiming();
        panel->removeEventFilter(&paint);
        panel.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstPaintWithDemo)->Unit(benchmark::kMillisecond);

void BM_StatusLineRefresh(benchmark::State& state) {
    PtyPort port;
    MainPanel panel(DemoOn(port));
    for (auto _ : state) panel.RefreshStatus();
}
BENCHMARK(BM_StatusLineRefresh)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
