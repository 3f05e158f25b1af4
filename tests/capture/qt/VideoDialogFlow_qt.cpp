#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "dialogs/DialogFlows.h"
#include "capture/CameraSettings.h"
#include "capture/CaptureMessages.h"
#include "capture/qt/FormatDialog.h"
#include "capture/qt/SourceControlsDialog.h"
#include "capture/qt/VideoDialog.h"
#include "engine/GameEngine.h"
#include "platform/HeadlessWindow.h"
#include "platform/MemorySurface.h"

namespace {

const std::uint32_t yuyv = fourcc('Y', 'U', 'Y', 'V');

// A camera with two sizes and one control; start and stop only count.
class SettingsSource final : public FrameSource, public CameraSettings {
 public:
  FrameFormat format() const override { return {current.width, current.height}; }
  CaptureError start(FrameSink&) override {
    ++starts;
    return CaptureError::None;
  }
  void stop() override { ++stops; }
  CameraSettings* settings() override { return this; }
  bool streamLost() const override { return unplugged; }

  std::vector<CameraMode> modes() override { return offered; }
  CameraMode mode() const override { return current; }
  CaptureError setMode(const CameraMode& mode) override {
    current = mode;
    return CaptureError::None;
  }
  std::vector<CameraControl> controls() override {
    CameraControl brightness;
    brightness.id = 7;
    brightness.name = "Brightness";
    brightness.minimum = 0;
    brightness.maximum = 100;
    brightness.value = brightnessValue;
    return {brightness};
  }
  bool setControl(std::uint32_t id, int value) override {
    if (id == 7) brightnessValue = value;
    return id == 7;
  }

  std::vector<CameraMode> offered{{yuyv, "YUYV", 320, 240, 1, 30}, {yuyv, "YUYV", 640, 480, 1, 30}};
  CameraMode current = offered[0];
  int brightnessValue = 50;
  bool unplugged = false;
  int starts = 0;
  int stops = 0;
};

class SettingsProvider final : public SourceProvider {
 public:
  std::vector<std::string> deviceNames() override { return names; }
  std::unique_ptr<FrameSource> open(std::size_t, CaptureError& error) override {
    ++opens;
    error = openError;
    if (openError != CaptureError::None) return nullptr;
    auto source = std::make_unique<SettingsSource>();
    last = source.get();
    return source;
  }

  std::vector<std::string> names{"Cam 2", "Cam"};
  CaptureError openError = CaptureError::None;
  SettingsSource* last = nullptr;
  int opens = 0;
};

// The engine on the settings camera, built and running with "Cam" in use.
struct FlowScene {
  FlowScene() {
    catalog.add(provider);
    engine = std::make_unique<GameEngine>(clock, surface, catalog,
                                          folder.filePath("Swishcam.prm").toStdString());
    engine->videoDeviceName = "Cam";
    QVERIFY(engine->buildCaptureGraph(window) == 0);
  }

  QTemporaryDir folder;
  ManualTickClock clock{100000};
  MemorySurface surface;
  HeadlessWindow window;
  SettingsProvider provider;
  SourceCatalog catalog;
  std::unique_ptr<GameEngine> engine;
};

// Runs `act` on the next modal dialog of type Dialog, once the event loop shows it.
template <typename Dialog>
void whenShown(std::function<void(Dialog*)> act) {
  auto* timer = new QTimer;
  timer->setInterval(0);
  QObject::connect(timer, &QTimer::timeout, [timer, act] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    timer->stop();
    timer->deleteLater();
    act(dialog);
  });
  timer->start();
}

}  // namespace

class VideoDialogFlowTest : public QObject {
  Q_OBJECT

 private slots:
  void listsTheCamerasSortedAndSelectsTheOneInUse() {
    DeviceNames names;
    names[0] = "zeta";
    names[1] = "Cam 2";
    names[2] = "Cam";
    VideoDialog dialog(nullptr, names, 3, "Cam", 1);
    QCOMPARE(dialog.windowTitle(), QString("Video capture properties"));
    QCOMPARE(dialog.deviceList->count(), 3);
    QCOMPARE(dialog.deviceList->itemText(0), QString("Cam"));
    QCOMPARE(dialog.deviceList->itemText(2), QString("zeta"));
    QCOMPARE(dialog.deviceList->currentText(), QString("Cam"));
    QVERIFY(dialog.flipBox->isChecked());
    QCOMPARE(dialog.flipBox->text(), QString("Flip horizontal"));
    QCOMPARE(dialog.formatButton->text(), QString("Video Format..."));
    QCOMPARE(dialog.sourceButton->text(), QString("Video Source..."));
  }

  void cancelKeepsTheMirror() {
    FlowScene scene;
    whenShown<VideoDialog>([](VideoDialog* dialog) {
      dialog->flipBox->click();
      dialog->cancelButton->click();
    });
    QVERIFY(videoDialogFlow(nullptr, *scene.engine));
    QCOMPARE(scene.engine->mirror.load(), 1u);
  }

  void okWithToggledFlipChangesOnlyTheMirror() {
    FlowScene scene;
    scene.engine->leftScore = 4;
    whenShown<VideoDialog>([](VideoDialog* dialog) {
      dialog->flipBox->click();
      dialog->okButton->click();
    });
    QVERIFY(videoDialogFlow(nullptr, *scene.engine));
    QCOMPARE(scene.engine->mirror.load(), 0u);
    QCOMPARE(scene.provider.opens, 1);
    QCOMPARE(scene.provider.last->stops, 0);
    QCOMPARE(scene.provider.last->starts, 1);
    QCOMPARE(scene.engine->leftScore, 4);
  }

  void theShorterNameInUseIsSelectedAndOkWithoutChangeDoesNotRebuild() {
    FlowScene scene;
    QCOMPARE(scene.engine->videoDeviceName, std::string("Cam"));
    QString shown;
    whenShown<VideoDialog>([&](VideoDialog* dialog) {
      shown = dialog->deviceList->currentText();
      dialog->okButton->click();
    });
    QVERIFY(videoDialogFlow(nullptr, *scene.engine));
    QCOMPARE(shown, QString("Cam"));
    QCOMPARE(scene.provider.opens, 1);
  }

  void anUnpluggedCameraIsOpenedAgainUnderTheSameName() {
    FlowScene scene;
    scene.provider.last->unplugged = true;
    whenShown<VideoDialog>([](VideoDialog* dialog) { dialog->okButton->click(); });
    QVERIFY(videoDialogFlow(nullptr, *scene.engine));
    QCOMPARE(scene.provider.opens, 2);
    QCOMPARE(scene.engine->videoDeviceName, std::string("Cam"));
  }

  void anotherCameraRebuildsWithANewGame() {
    FlowScene scene;
    scene.engine->leftScore = 6;
    whenShown<VideoDialog>([](VideoDialog* dialog) {
      dialog->deviceList->setCurrentIndex(dialog->deviceList->findText("Cam 2"));
      dialog->okButton->click();
    });
    QVERIFY(videoDialogFlow(nullptr, *scene.engine));
    QCOMPARE(scene.provider.opens, 2);
    QCOMPARE(scene.engine->videoDeviceName, std::string("Cam 2"));
    QCOMPARE(scene.engine->leftScore, 0);
  }

  void aCameraThatCannotBeBuiltEndsTheProgramAfterItsMessage() {
    FlowScene scene;
    scene.provider.openError = CaptureError::Connection;
    whenShown<VideoDialog>([](VideoDialog* dialog) {
      dialog->deviceList->setCurrentIndex(dialog->deviceList->findText("Cam 2"));
      dialog->okButton->click();
    });
    QVERIFY(!videoDialogFlow(nullptr, *scene.engine));
    QCOMPARE(scene.window.messages, std::vector<std::string>{messageConnection});
  }

  void aFormatChangeRelaysOutWithoutANewGame() {
    FlowScene scene;
    QCOMPARE(scene.engine->frameWidth, 320);
    scene.engine->leftScore = 8;
    SettingsSource* camera = scene.provider.last;
    whenShown<VideoDialog>([](VideoDialog* dialog) {
      whenShown<FormatDialog>([](FormatDialog* format) {
        QCOMPARE(format->sizeList->count(), 2);
        format->sizeList->setCurrentIndex(1);
        format->accept();
      });
      dialog->formatButton->click();
      dialog->cancelButton->click();  // the format change stays
    });
    QVERIFY(videoDialogFlow(nullptr, *scene.engine));
    QCOMPARE(scene.engine->frameWidth, 640);
    QCOMPARE(scene.engine->frameHeight, 480);
    QCOMPARE(scene.engine->leftScore, 8);
    QCOMPARE(camera->stops, 1);
    QCOMPARE(camera->starts, 2);
    QCOMPARE(scene.provider.opens, 1);
  }

  void sourceControlsActAtOnceAndCancelKeepsThem() {
    FlowScene scene;
    SettingsSource* camera = scene.provider.last;
    whenShown<VideoDialog>([](VideoDialog* dialog) {
      whenShown<SourceControlsDialog>([](SourceControlsDialog* source) {
        source->findChild<QSlider*>()->setValue(80);
        source->reject();
      });
      dialog->sourceButton->click();
      dialog->cancelButton->click();
    });
    QVERIFY(videoDialogFlow(nullptr, *scene.engine));
    QCOMPARE(camera->brightnessValue, 80);
    QCOMPARE(camera->stops, 0);
  }
};

QTEST_MAIN(VideoDialogFlowTest)
#include "VideoDialogFlow_qt.moc"
