#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/FieldView.h"
#include "support/DemoWindow.h"

namespace {

class FakeOutput final : public SoundOutput {
 public:
  void play(Sound sound, float) override { played.push_back(sound); }
  std::vector<Sound> played;
};

// The demo window on `folder`, started, with its sounds noted.
struct Scene {
  explicit Scene(const QTemporaryDir& folder) : window(folder) {
    window.setSoundOutput(&sound);
    if (!window.start()) qFatal("the demo camera did not start");
  }
  void press(int key) { QTest::keyClick(&window, static_cast<Qt::Key>(key)); }

  FakeOutput sound;
  DemoWindow window;
};

}  // namespace

class FullScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void theFieldFitsTheScreenWithItsAspectKept_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QRect>("target");
    QTest::newRow("1080p") << QSize(1920, 1080) << QRect(0, 1, 1920, 1078);
    QTest::newRow("4K") << QSize(3840, 2160) << QRect(0, 1, 3840, 2157);
    QTest::newRow("16:10") << QSize(1600, 1000) << QRect(0, 51, 1600, 898);
    QTest::newRow("tall") << QSize(534, 1000) << QRect(0, 350, 534, 300);
  }
  void theFieldFitsTheScreenWithItsAspectKept() {
    QFETCH(QSize, screen);
    QFETCH(QRect, target);
    const FieldView view(QSize(1068, 600), screen, true);
    QCOMPARE(view.target(), target);
    QCOMPARE(view.toField(QPointF(target.topLeft())), QPoint(0, 0));
    QCOMPARE(view.toField(QPointF(target.left() + target.width() / 2.0, target.top() + target.height() / 2.0)),
             QPoint(534, 300));
    QVERIFY(view.toField(QPointF(target.left(), target.top() - 1)).y() < 0);  // the black border
    QVERIFY(view.toWindow(QRect(0, 0, 1068, 600)) == target);
    QCOMPARE(FieldView(QSize(1068, 600), screen, false).toField(QPointF(17, 23)), QPoint(17, 23));
  }

  // A click on the scaled camera picture opens the video settings under the own cursor; on
  // the black bar below the field nothing opens and the cursor is the ordinary one.
  void togglesAreRememberedAndEscapeLeavesFullScreenFirst() {
    QTemporaryDir folder;
    {
      Scene s(folder);
      for (int key : {Qt::Key_F11, Qt::Key_F2, Qt::Key_F3, Qt::Key_M}) s.press(key);
      QCoreApplication::processEvents();  // the window system's full-screen size
      QVERIFY(s.window.fieldView().scaled() && s.window.engine().showsMotion());
      const Rect& picture = s.window.engine().court.frameRect;
      const QPoint shown = s.window.fieldView().toWindow(
          QRect(picture.left, picture.top, picture.width(), picture.height())).center();
      const QRect field = s.window.fieldView().target();
      const QPoint bar(field.right() - 2, (field.bottom() + s.window.height()) / 2);
      QVERIFY2(s.window.height() - field.bottom() >= 4, "no bar to click");
      for (const auto& [at, cursor] : {std::pair{shown, Qt::BitmapCursor}, {bar, Qt::ArrowCursor}}) {
        moveMouse(s.window, at);
        QCOMPARE(s.window.cursor().shape(), cursor);
        QTest::mouseClick(&s.window, Qt::LeftButton, {}, at);
      }
      QCOMPARE(s.window.opened, QString("V"));
      s.press(Qt::Key_Escape);
      QVERIFY(!s.window.fieldView().scaled() && s.window.isVisible());
      s.press(Qt::Key_F11);
    }
    Scene again(folder);
    const Preferences& kept = again.window.preferences();
    QVERIFY(kept.fullScreen && kept.readout && kept.motionView && kept.muted);
    QVERIFY(again.window.fieldView().scaled());
    // A clip of every basket is off until the file says otherwise.
    QSettings ini(folder.filePath("swishcam.ini"), QSettings::IniFormat);
    QVERIFY(!kept.clipEveryBasket && ini.value("clips/everyBasket").toString() == "false");
    ini.setValue("clips/everyBasket", true);
    ini.sync();
    QVERIFY(loadPreferences(folder.filePath("swishcam.ini")).clipEveryBasket);
  }

  void recordedSoundsArePlayedUnlessMuted() {
    QTemporaryDir folder;
    Scene s(folder);
    const auto make = [&s](Sound sound) {
      s.window.engine().sounds.push({sound, 1.0f, std::chrono::steady_clock::now()});
      s.window.engine().repaintField();  // a present wakes the window thread
    };
    make(Sound::Swish3);
    QTRY_COMPARE(s.sound.played, std::vector<Sound>{Sound::Swish3});
    QCOMPARE(s.window.soundDelays().played, 1L);
    s.press(Qt::Key_M);  // muted: the next sound is taken and not played
    make(Sound::Bounce);
    QCoreApplication::processEvents();
    s.press(Qt::Key_M);
    make(Sound::Rim);
    QTRY_COMPARE(s.sound.played, (std::vector<Sound>{Sound::Swish3, Sound::Rim}));
  }
};

QTEST_MAIN(FullScreenTest)
#include "FullScreen_qt.moc"
