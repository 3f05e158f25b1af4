#pragma once
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "dialogs/DialogFlows.h"
#include "platform/HeadlessWindow.h"
#include "support/EngineScene.h"

// Runs `act` on the modal dialog of type Dialog as soon as its event loop runs. A modal
// of another type is closed, so that a failing test never hangs in exec().
template <typename Dialog>
void whenModal(std::function<void(Dialog&)> act) {
  QTimer::singleShot(0, [act] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* dialog = qobject_cast<Dialog*>(modal);
    if (dialog == nullptr) {
      if (modal != nullptr) modal->close();
      QFAIL("the expected modal dialog is not open");
    }
    act(*dialog);
  });
}

inline void clickButton(QWidget& dialog, const char* name);

// Runs `flow`, lets `act` work on its dialog and then presses the button named `button`
// ("confirm" or "cancel").
template <typename Dialog>
void runFlow(void (*flow)(QWidget*, GameEngine&), GameEngine& engine,
             std::function<void(Dialog&)> act, const char* button) {
  whenModal<Dialog>([act, button](Dialog& dialog) {
    act(dialog);
    clickButton(dialog, button);
  });
  flow(nullptr, engine);
}

inline void clickButton(QWidget& dialog, const char* name) {
  auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
  QVERIFY(button != nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
}

inline QComboBox& listOf(QWidget& dialog, const char* name) {
  auto* list = dialog.findChild<QComboBox*>(QString::fromLatin1(name));
  Q_ASSERT(list != nullptr);
  return *list;
}

inline QStringList entriesOf(const QComboBox& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.itemText(i);
  return texts;
}

// The entries the named lists show, in the order of `names`.
inline QStringList currentTexts(QWidget& dialog, std::initializer_list<const char*> names) {
  QStringList texts;
  for (const char* name : names) texts << listOf(dialog, name).currentText();
  return texts;
}

// The names of the first `count` tab stops from `first` on, `first` included; the edit
// field of an editable list counts as its list.
inline QStringList tabStops(QWidget& first, int count) {
  QStringList names;
  for (QWidget* widget = &first; names.size() < count; widget = widget->nextInFocusChain()) {
    if (!(widget->focusPolicy() & Qt::TabFocus)) continue;
    QWidget* stop =
        qobject_cast<QComboBox*>(widget->parentWidget()) ? widget->parentWidget() : widget;
    if (names.isEmpty() || names.back() != stop->objectName()) names << stop->objectName();
  }
  return names;
}

// Every top-level window closed, so that no dialog outlives its test.
inline void closeTopLevels() {
  for (QWidget* widget : QApplication::topLevelWidgets()) widget->close();
}

// The headless window that also counts the court layouts made for it.
class CountingWindow final : public WindowLink {
 public:
  bool isWindow() const override { return window.isWindow(); }
  void postFrameEvent(std::intptr_t lParam) override { window.postFrameEvent(lParam); }
  Size clientSize() const override { return window.clientSize(); }
  Size outerSize() const override { return window.outerSize(); }
  Size screenSize() const override { return window.screenSize(); }
  void placeWindow(int x, int y, int outerWidth, int outerHeight) override {
    window.placeWindow(x, y, outerWidth, outerHeight);
  }
  void clearSizeChanged() override { window.clearSizeChanged(); }
  void showMessage(const std::string& text) override { window.showMessage(text); }
  void beginRelayout() override { ++relayouts; }
  void endRelayout() override {}

  HeadlessWindow window;
  int relayouts = 0;
};

// An engine whose court has been laid out once, with a new game, on a counting window.
struct LaidOutScene {
  LaidOutScene() { scene.engine->buildCaptureGraph(window); }
  GameEngine& engine() { return *scene.engine; }
  ScriptedSource& camera() { return *scene.provider.last; }

  CountingWindow window;  // before the scene: the engine draws into it until it goes
  EngineScene scene;
};
