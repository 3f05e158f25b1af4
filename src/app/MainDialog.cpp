#include "app/MainDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <algorithm>

#include "app/AppIcon.h"
#include "app/DialogFlows.h"
#include "app/FieldCursor.h"
#include "app/HelpWindow.h"
#include "capture/CaptureMessages.h"
#include "platform/DrawLock.h"
#include "platform/qt/FrameEvent.h"
#include "render/qt/WinScreen.h"

MainDialog::MainDialog(SourceCatalog& sources, std::filesystem::path settingsPath,
                       TickClock* clock)
    : m_presents([this](const QRect& area) { update(area); }),
      m_engine(clock != nullptr ? *clock : m_steadyClock, m_surface, sources,
               std::move(settingsPath)),
      m_fieldCursor(makeFieldCursor()) {
  setWindowTitle(QStringLiteral("Swish Cam"));
  setWindowIcon(appIcon());
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_OpaquePaintEvent);  // paintEvent covers every pixel itself
  setMouseTracking(true);
  m_surface.setPresenter([this](const Rect& area) { m_presents.post(area); });
  QCoreApplication::instance()->installEventFilter(&m_heldEscape);
}

MainDialog::~MainDialog() {
  // The capture thread draws into this window: stop it before anything is torn down.
  m_engine.releaseCaptureGraph();
  m_alive = false;
}

bool MainDialog::start() { return m_engine.buildCaptureGraph(*this) == 0; }

void MainDialog::bringToFront() {
  if (!isVisible()) return;  // not laid out yet, or closing
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void MainDialog::reportStreamLost() {
  QMetaObject::invokeMethod(this, [this] { showMessage(messageDeviceLost); }, Qt::QueuedConnection);
}

void MainDialog::done(int result) {
  m_engine.stopCapture();
  m_engine.releaseCaptureGraph();
  m_alive = false;
  if (m_help) m_help->close();
  QDialog::done(result);
}

void MainDialog::postFrameEvent(std::intptr_t lParam) {
  QCoreApplication::postEvent(this, new FrameEvent(lParam));
}

Size MainDialog::clientSize() const { return {width(), height()}; }

Size MainDialog::outerSize() const {
  const QRect outer = frameGeometry();
  return {outer.width(), outer.height()};
}

Size MainDialog::screenSize() const {
  const QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  if (shownOn == nullptr) return {};
  return {shownOn->geometry().width(), shownOn->geometry().height()};
}

void MainDialog::placeWindow(int x, int y, int outerWidth, int outerHeight) {
  const QSize frame = frameGeometry().size() - size();
  // A visible window gets its resize event at once; a hidden one when show() sends it.
  resize(std::max(outerWidth - frame.width(), 1), std::max(outerHeight - frame.height(), 1));
  move(x, y);
  show();
  raise();
}

void MainDialog::showMessage(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(messageCaption), shown, QMessageBox::Ok,
                  this);
  // The texts break their own lines; widen the label so Qt does not break them again.
  int widest = 0;
  for (const QString& line : shown.split(u'\n'))
    widest = std::max(widest, box.fontMetrics().horizontalAdvance(line));
  box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: %1px; }").arg(widest + 8));
  box.exec();
}

void MainDialog::beginRelayout() {
  repaint();
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void MainDialog::endRelayout() {
  QApplication::restoreOverrideCursor();
  repaint();
}

bool MainDialog::openFlow(FieldArea area) {
  switch (area) {
    case FieldArea::Video: return videoDialogFlow(this, m_engine);
    case FieldArea::Players: playersDialogFlow(this, m_engine); break;
    case FieldArea::Environment: environmentDialogFlow(this, m_engine); break;
  }
  return true;
}

void MainDialog::showWinner(const std::string& winnerText) {
  WinScreen screen(this, QString::fromStdString(winnerText));
  screen.exec();
}

void MainDialog::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  QRect field;
  {
    DrawLockGuard guard;  // the capture thread never leaves the surface half drawn under it
    const QImage& image = m_surface.image();
    field = image.rect();
    const QRect copied = event->rect() & field;
    if (!copied.isEmpty()) painter.drawImage(copied.topLeft(), image, copied);
  }
  // Between a resize and the next layout the window is larger than the field.
  for (const QRect& rest : event->region() - QRegion(field))
    painter.fillRect(rest, palette().window());
}

void MainDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
    const QPoint at = event->position().toPoint();
    dispatchClick(at.x(), at.y());
  }
  QDialog::mousePressEvent(event);
}

void MainDialog::dispatchClick(int x, int y) {
  const ClickTargets targets = clickTargets(m_engine, x, y);
  if (targets.video && !openFlow(FieldArea::Video)) {
    done(0);
    return;
  }
  if (targets.players) openFlow(FieldArea::Players);
  if (targets.environment) openFlow(FieldArea::Environment);
}

void MainDialog::mouseMoveEvent(QMouseEvent* event) {
  layoutIfResized();
  const QPoint at = event->position().toPoint();
  const bool wanted = showsFieldCursor(m_engine, at.x(), at.y());
  if (wanted != (cursor().shape() == Qt::BitmapCursor)) {
    if (wanted)
      setCursor(m_fieldCursor);
    else
      unsetCursor();
  }
  QDialog::mouseMoveEvent(event);
}

void MainDialog::enterEvent(QEnterEvent* event) {
  layoutIfResized();
  QDialog::enterEvent(event);
}

void MainDialog::resizeEvent(QResizeEvent* event) {
  m_sizeChanged = true;  // laid out at the next mouse movement, not while the user drags
  QDialog::resizeEvent(event);
}

void MainDialog::layoutIfResized() {
  if (!m_sizeChanged) return;
  if (!m_engine.backdrop.empty()) {
    m_engine.stopCapture();
    m_engine.relayout(0);
    m_engine.startCapture();
  }
  m_sizeChanged = false;
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) {
    showHelp();
    return;
  }
  QDialog::keyPressEvent(event);
}

void MainDialog::showHelp() {
  if (!m_help) m_help = new HelpWindow(this);
  m_help->show();
  m_help->raise();
  m_help->activateWindow();
}

void MainDialog::customEvent(QEvent* event) {
  if (event->type() != FrameEvent::frameEventType) return;
  m_engine.onFrameEvent(static_cast<FrameEvent*>(event)->lParam,
                        [this](const std::string& winnerText) { showWinner(winnerText); });
}
