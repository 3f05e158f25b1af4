#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <functional>
#include <memory>

#include "app/AboutBox.h"
#include "app/HelpWindow.h"
#include "dialogs/FormatDialog.h"
#include "dialogs/SourceControlsDialog.h"
#include "dialogs/VideoDialog.h"
#include "dialogs/EnvironmentDialog.h"
#include "dialogs/PlayersDialog.h"
#include "dialogs/TopTenDialog.h"
#include "model/Ball.h"
#include "support/ModalDriver.h"

namespace {

// Picture controls with names as long as a webcam's driver gives them.
class LongNamedCamera final : public CameraSettings {
 public:
  std::vector<CameraMode> modes() override { return {mode()}; }
  CameraMode mode() const override {
    return {fourcc('M', 'J', 'P', 'G'), "Motion-JPEG, compressed", 1280, 720, 1, 30};
  }
  CaptureError setMode(const CameraMode&) override { return CaptureError::None; }
  std::vector<CameraControl> controls() override {
    using Kind = CameraControl::Kind;
    return {{1, Kind::Slider, "White Balance Temperature", 2800, 6500, 10, 4600, 4600, false, {}},
            {2, Kind::CheckBox, "White Balance, Automatic", 0, 1, 1, 1, 1, false, {}},
            {3, Kind::Menu, "Power Line Frequency", 0, 2, 1, 1, 1, false,
             {{0, "Disabled"}, {1, "50 Hz"}, {2, "60 Hz"}}}};
  }
  bool setControl(std::uint32_t, int) override { return true; }
};

// The size a widget needs to show its text whole: the text and the style's decoration
// round it. A push button is measured without the style's least width, which is no text's.
QSize textNeeds(QWidget* widget) {
  if (auto* button = qobject_cast<QPushButton*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    return button->style()->sizeFromContents(QStyle::CT_PushButton, &option, text, button);
  }
  if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && label->wordWrap())
    return {widget->width(), widget->heightForWidth(widget->width())};
  if (qobject_cast<QGroupBox*>(widget)) return widget->minimumSizeHint();  // title and frame
  return widget->sizeHint();
}

// Every shown text whose widget is smaller than the text needs, with both sizes.
QStringList cutTexts(QWidget& window) {
  QStringList cut;
  const auto check = [&cut](QWidget* widget, const QString& text) {
    if (!widget->isVisibleTo(widget->window()) || text.isEmpty()) return;
    const QSize needs = textNeeds(widget);
    if (widget->width() < needs.width() || widget->height() < needs.height())
      cut << QStringLiteral("\"%1\" needs %2 × %3, has %4 × %5").arg(text).arg(needs.width())
                 .arg(needs.height()).arg(widget->width()).arg(widget->height());
  };
  for (auto* label : window.findChildren<QLabel*>()) check(label, label->text());
  for (auto* button : window.findChildren<QAbstractButton*>()) check(button, button->text());
  for (auto* list : window.findChildren<QComboBox*>()) check(list, list->currentText());
  for (auto* group : window.findChildren<QGroupBox*>()) check(group, group->title());
  return cut;
}

using WindowMaker = std::function<std::unique_ptr<QWidget>()>;

}  // namespace

class WindowTextsTest : public QObject {
  Q_OBJECT

 private slots:
  void everyTextShowsWhole_data() {
    QTest::addColumn<WindowMaker>("make");
    DeviceNames cameras{"HD Pro Webcam C920", "Integrated Camera: Integrated C"};
    static LongNamedCamera camera;
    static const TopTenTable none{};
    QTest::newRow("video") << WindowMaker(
        [cameras] { return std::make_unique<VideoDialog>(nullptr, cameras, 2, cameras[1], 1); });
    QTest::newRow("format") << WindowMaker(
        [] { return std::make_unique<FormatDialog>(nullptr, camera.modes(), camera.mode()); });
    QTest::newRow("source") << WindowMaker([] { return std::make_unique<SourceControlsDialog>(nullptr, camera); });
    QTest::newRow("environment") << WindowMaker([] {
      return std::make_unique<EnvironmentDialog>(EnvironmentSettings{}, Ball{}.gravityUnit);
    });
    QTest::newRow("players") << WindowMaker([] {
      PlayersValues values;
      values.leftName = QStringLiteral("Computer");
      values.timing.computerSkill = 4;  // "high division"
      return std::make_unique<PlayersDialog>(values, none);
    });
    QTest::newRow("top ten") << WindowMaker([] { return std::make_unique<TopTenDialog>(none); });
    QTest::newRow("help") << WindowMaker([] { return std::make_unique<HelpWindow>(nullptr); });
  }

  // At the smallest size the window allows: the user may shrink any window that lets them.
  void everyTextShowsWhole() {
    QFETCH(WindowMaker, make);
    const std::unique_ptr<QWidget> window = make();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->resize(1, 1);  // held at the window's least size
    QCoreApplication::processEvents();
    const QStringList cut = cutTexts(*window);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
  }

  void theAboutBoxShowsWhole() {
    QStringList cut{QStringLiteral("no About box")};
    whenModal([&cut](QWidget* modal) {
      if (modal == nullptr) return;
      cut = cutTexts(*modal);
      modal->close();
    });
    showAboutBox(nullptr);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
  }
};

QTEST_MAIN(WindowTextsTest)
#include "WindowTexts_qt.moc"
