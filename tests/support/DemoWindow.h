#pragma once
#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <thread>

#include "app/FrameSources.h"
#include "app/GameWindow.h"
#include "capture/SteppedSource.h"

// A manual clock and the devices, made before the window.
struct DemoWindowParts {
  ManualTickClock clock{100000};
  SourceCatalog catalog;
};

// The main window on a stepped demo camera, with the settings and preferences files of
// `folder`; the field areas it would open are noted instead (V video, P players,
// E environment, in the order tried).
class DemoWindow : public DemoWindowParts, public GameWindow {
 public:
  explicit DemoWindow(const QTemporaryDir& folder, QSize camera = QSize(320, 240))
      : GameWindow(catalog, folder.filePath("Swishcam.prm").toStdString(), &clock,
                   folder.filePath("swishcam.ini")) {
    Options options;
    options.width = camera.width(), options.height = camera.height();
    demo = makeDemoProvider(options, engine(), Delivery::Stepped);
    catalog.add(*demo);
  }
  ~DemoWindow() override { engine().closeCamera(); }  // before the demo goes
  // One frame at the clock's time from a thread of its own, as a capture thread delivers it.
  bool deliverFrame() {
    bool delivered = false;
    std::thread([&] { delivered = demo->stepped != nullptr && demo->stepped->deliver(); }).join();
    return delivered;
  }
  // Frames 33 ms apart, the clip encoder caught up after each; false once one is not delivered.
  bool play(int frames) {
    for (int n = 0; n < frames; ++n) {
      clock.advance(33);
      if (!deliverFrame()) return false;
      clips().flush();
    }
    return true;
  }
  std::unique_ptr<PainterProvider> demo;
  QString opened;
  bool videoFlowResult = true;
 protected:
  bool openFlow(FieldArea area) override {
    opened += area == FieldArea::Video ? 'V' : area == FieldArea::Players ? 'P' : 'E';
    return area != FieldArea::Video || videoFlowResult;
  }
};

// A mouse event as the window system reports it, without the move Qt puts before a press.
inline void sendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button) {
  QMouseEvent event(type, at, widget.mapToGlobal(at), button, button, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

inline void moveMouse(QWidget& widget, QPoint at) { sendMouse(widget, QEvent::MouseMove, at, Qt::NoButton); }
