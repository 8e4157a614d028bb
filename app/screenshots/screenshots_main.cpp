#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>
#include <map>
#include <string>

#include "app/screenshots/scene_registry.h"

namespace brondavel::test {

static std::map<std::string, SceneFunction>& Scenes() {
    static std::map<std::string, SceneFunction> scenes;
    return scenes;
}

bool RegisterScene(const char* name, SceneFunction scene) {
    Scenes()[name] = std::move(scene);
    return true;
}

void ShotContext::Settle(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

void ShotContext::SaveScreenArea(const QRect& area, const QString& name) {
    Settle();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    const QString path = QDir(outdir_).filePath(name + ".png");
    if (!shot.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++failures_;
    } else {
        std::printf("%s\n", qPrintable(path));
    }
}

void ShotContext::SaveWindow(QWidget* window, const QString& name) {
    Settle();
    SaveScreenArea(window->frameGeometry(), name);
}

}  // namespace brondavel::test

int main(int argc, char** argv) {
    // The scenes store window places and recent files: never in the user's
    // own configuration, whatever the environment names.
    QTemporaryDir home;
    if (!home.isValid() || !QDir(home.path()).mkpath("config") ||
        !QDir(home.path()).mkpath("runtime")) {
        std::fprintf(stderr, "brondavel-screenshots: cannot make a temporary configuration\n");
        return 1;
    }
    QFile::setPermissions(home.filePath("runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", home.filePath("config").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.filePath("runtime").toLocal8Bit());
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: brondavel-screenshots OUTDIR [SCENE...]\n");
        return 2;
    }
    QDir().mkpath(argv[1]);
    brondavel::test::ShotContext shot(argv[1]);
    for (auto& [name, scene] : brondavel::test::Scenes()) {
        bool wanted = argc == 2;
        for (int i = 2; i < argc; ++i) wanted |= name == argv[i];
        if (!wanted) continue;
        scene(shot);
        for (QWidget* w : QApplication::topLevelWidgets()) w->close();
        shot.Settle(100);
    }
    return shot.failures() == 0 ? 0 : 1;
}
