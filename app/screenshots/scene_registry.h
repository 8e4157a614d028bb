// `brondavel-screenshots OUTDIR [SCENE...]` draws real windows under Xvfb and
// saves them as PNG files. Each scene file registers its scenes with
// BRONDAVEL_SCENE; a scene builds its windows, lets them paint, and saves.
#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>

namespace brondavel::test {

class ShotContext {
  public:
    explicit ShotContext(QString outdir) : outdir_(std::move(outdir)) {}
    // Lets pending events and paints run for `ms` milliseconds.
    void Settle(int ms = 300);
    // The window as the screen shows it (its frame, with whatever overlaps it).
    void SaveWindow(QWidget* window, const QString& name);
    // A rectangle of the screen, for several windows together.
    void SaveScreenArea(const QRect& area, const QString& name);
    // Pictures that could not be written.
    int failures() const { return failures_; }

  private:
    QString outdir_;
    int failures_ = 0;
};

using SceneFunction = std::function<void(ShotContext&)>;
bool RegisterScene(const char* name, SceneFunction scene);

}  // namespace brondavel::test

#define BRONDAVEL_SCENE_CAT2(a, b) a##b
#define BRONDAVEL_SCENE_CAT(a, b) BRONDAVEL_SCENE_CAT2(a, b)
#define BRONDAVEL_SCENE(name)                                                            \
    static void BRONDAVEL_SCENE_CAT(scene_fn_, __LINE__)(brondavel::test::ShotContext&); \
    static const bool BRONDAVEL_SCENE_CAT(scene_reg_, __LINE__) =                        \
        brondavel::test::RegisterScene(name, BRONDAVEL_SCENE_CAT(scene_fn_, __LINE__));  \
    static void BRONDAVEL_SCENE_CAT(scene_fn_, __LINE__)(brondavel::test::ShotContext & shot)
