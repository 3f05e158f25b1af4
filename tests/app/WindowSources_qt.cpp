#include <QTemporaryDir>
#include <QTest>

#include "app/WindowSources.h"
#include "capture/v4l2/V4l2Provider.h"
#include "engine/GameEngine.h"
#include "platform/MemorySurface.h"

namespace {

struct Scene {
  Scene() : sources([] {}), engine(clock, surface, sources.catalog, folder.filePath("s.prm").toStdString()) {}
  QTemporaryDir folder;
  ManualTickClock clock;
  MemorySurface surface;
  WindowSources sources;
  GameEngine engine;
};

}  // namespace

class WindowSourcesTest : public QObject {
  Q_OBJECT

 private slots:
  void theDemoCameraComesAfterTheRealCameras() {
    const std::size_t cameras = V4l2Provider().deviceNames().size();
    Scene scene;
    Options options;
    options.demo = true;
    std::string error;
    QVERIFY(scene.sources.build(options, scene.engine, error));
    const std::vector<std::string> names = scene.sources.catalog.deviceNames();
    QCOMPARE(names.size(), cameras + 1);
    QCOMPARE(names.back(), std::string("Demo camera"));
  }

  void withoutOptionsOnlyTheRealCamerasAreOffered() {
    const std::size_t cameras = V4l2Provider().deviceNames().size();
    Scene scene;
    std::string error;
    QVERIFY(scene.sources.build(Options{}, scene.engine, error));
    QCOMPARE(scene.sources.catalog.deviceNames().size(), cameras);
  }

  void anUnreadableReplayIsRefusedWithItsReason() {
    Scene scene;
    Options options;
    options.replayFile = scene.folder.filePath("missing.y4m").toStdString();
    std::string error;
    QVERIFY(!scene.sources.build(options, scene.engine, error));
    QVERIFY(!error.empty());
  }
};

QTEST_MAIN(WindowSourcesTest)
#include "WindowSources_qt.moc"
