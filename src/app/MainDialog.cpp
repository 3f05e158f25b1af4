#include "app/MainDialog.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <QStandardPaths>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "app/AppIcon.h"
#include "app/DialogUnits.h"
#include "app/FieldOverlays.h"
#include "dialogs/DialogFlows.h"
#include "app/FieldCursor.h"
#include "capture/CaptureMessages.h"
#include "demo/DemoCamera.h"
#include "platform/DrawLock.h"
#include "platform/qt/PeriodOverEvent.h"
#include "app/WinScreen.h"

namespace {

constexpr int demoWinnerSeconds = 10;  // the medal shows this long over a demo game
constexpr QSize windowUnits(528, 265);  // dialog units of the window before its first layout
constexpr int fieldLineMs = 6000;        // a line over the field shows this long

// The user's videos folder, "Swish Cam" in it.
std::filesystem::path clipsFolder() {
  return (QStandardPaths::writableLocation(QStandardPaths::MoviesLocation) +
          QStringLiteral("/Swish Cam/"))
      .toStdString();
}

}  // namespace

MainDialog::MainDialog(SourceCatalog& sources, std::filesystem::path settingsPath,
                       TickClock* clock, QString preferencesPath)
    : m_presents([this](const QRect& area) { showPresented(area); }),
      m_clips([this](const ClipResult& result) {
        QMetaObject::invokeMethod(this, [this, result] { showClipResult(result); },
                                  Qt::QueuedConnection);
      }),
      m_engine(clock != nullptr ? *clock : m_steadyClock, m_surface, sources,
               std::move(settingsPath)),
      m_fieldCursor(makeFieldCursor()),
      m_prefsFile(std::move(preferencesPath)),
      m_prefs(loadPreferences(m_prefsFile)) {
  setWindowTitle(QStringLiteral("Swish Cam"));
  setWindowIcon(appIcon());
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_OpaquePaintEvent);  // paintEvent covers every pixel itself
  // The court layout grows the window from here, never shrinks it.
  resize(dialogUnitsToPixels(windowUnits, QFontMetrics(dialogFont())));
  setMouseTracking(true);
  m_surface.setPresenter([this](const Rect& area) { m_presents.post(area); });
  m_engine.frameTap = &m_clips;
  if (m_prefs.clipEveryBasket) m_clips.saveBaskets(clipsFolder());
  m_hintTimer.setSingleShot(true);
  connect(&m_hintTimer, &QTimer::timeout, this, [this] {
    m_hint.clear();
    update();
  });
  connect(&m_readoutTimer, &QTimer::timeout, this, [this] {
    const double seconds = m_readoutClock.restart() / 1000.0;
    FrameTimes::Sums sums = m_engine.times.take();
    sums.dropped += static_cast<std::uint32_t>(sourceDropped() - m_sourceDropped);
    m_sourceDropped = sourceDropped();
    m_readoutLine = readoutText(sums, seconds, m_latencyMs, m_clips.takeDropped());
    update();
  });
  connect(&m_stallTimer, &QTimer::timeout, this, [this] { watchStall(); });
  m_stallTimer.start(250);
  QCoreApplication::instance()->installEventFilter(&m_heldEscape);
}

MainDialog::~MainDialog() {
  // The capture thread draws into this window: stop it before anything is torn down.
  m_engine.closeCamera();
  m_alive = false;
}

bool MainDialog::start() {
  if (!m_engine.settingsLoad.ok()) showMessage(m_engine.settingsLoad.message);
  if (!m_engine.openCamera(*this)) return false;
  updateView();
  if (m_prefs.motionView) setMotionView(true);
  if (m_prefs.readout) setReadout(true);
  if (m_prefs.fullScreen) setFullScreen(true);
  return true;
}

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
  m_engine.closeCamera();
  m_alive = false;
  if (HelpWindow* help = m_helpKey.window()) help->close();
  // Saved here, not at destruction, while the window can still tell of a failure.
  if (!m_engine.lastSave && !m_engine.saveSettings().ok()) showMessage(m_engine.lastSave->message);
  QDialog::done(result);
}

void MainDialog::postPeriodOver() { QCoreApplication::postEvent(this, new PeriodOverEvent); }

// In full screen the layout sees the window it had before, so the field keeps its size.
Size MainDialog::clientSize() const {
  if (m_view.scaled()) return m_windowedClient;
  return {width(), height()};
}

Size MainDialog::outerSize() const {
  if (m_view.scaled()) return m_windowedOuter;
  const QRect outer = frameGeometry();
  return {outer.width(), outer.height()};
}

Size MainDialog::screenSize() const {
  const QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  if (shownOn == nullptr) return {};
  return {shownOn->geometry().width(), shownOn->geometry().height()};
}

void MainDialog::placeWindow(int x, int y, int outerWidth, int outerHeight) {
  if (m_view.scaled()) {  // kept for the return from full screen
    m_windowedClient = {outerWidth - (m_windowedOuter.width - m_windowedClient.width),
                        outerHeight - (m_windowedOuter.height - m_windowedClient.height)};
    m_windowedOuter = {outerWidth, outerHeight};
    m_windowedPlace = QPoint(x, y);
    updateView();
    return;
  }
  m_placedFrom = size();
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
  updateView();
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
  if (m_sound != nullptr && !m_prefs.muted)
    m_sound->play(Sound::Fanfare, static_cast<float>(m_prefs.volume));
  WinScreen screen(this, QString::fromStdString(winnerText));
  // Nobody may be there to close it in an unattended demo.
  if (m_engine.settings().video.videoDeviceName == demoCameraName)
    QTimer::singleShot(demoWinnerSeconds * 1000, &screen, &QWidget::close);
  screen.exec();
}

void MainDialog::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  {
    DrawLockGuard guard;  // the capture thread never leaves the surface half drawn under it
    paintField(painter, event->rect());
    paintMotion(painter);
  }
  // Between a resize and the next layout the window is larger than the field; in full
  // screen the field is framed in black.
  const QRect shown = m_view.scaled() ? m_view.target() : m_surface.image().rect();
  for (const QRect& rest : event->region() - QRegion(shown))
    painter.fillRect(rest, m_view.scaled() ? QColor(Qt::black) : palette().window().color());
  paintOverlays(painter);
  if (m_prefs.readout)
    m_latencyMs = std::chrono::duration<double, std::milli>(
                      std::chrono::steady_clock::now() - m_engine.times.lastArrival())
                      .count();
}

// The surface 1:1, or scaled with smooth filtering: only the part that shows in `area`, read
// with a margin so that the filter's neighbours match the rest of the picture.
void MainDialog::paintField(QPainter& painter, const QRect& area) {
  const QImage& image = m_surface.image();
  if (!m_view.scaled()) {
    const QRect copied = area & image.rect();
    if (!copied.isEmpty()) painter.drawImage(copied.topLeft(), image, copied);
    return;
  }
  const QRect target = m_view.target();
  const QRect wanted = area & target;
  if (wanted.isEmpty() || image.isNull()) return;
  const double sx = static_cast<double>(target.width()) / image.width();
  const double sy = static_cast<double>(target.height()) / image.height();
  const QRect source = QRect(QPoint(static_cast<int>((wanted.left() - target.left()) / sx) - 2,
                                    static_cast<int>((wanted.top() - target.top()) / sy) - 2),
                             QPoint(static_cast<int>((wanted.right() - target.left()) / sx) + 2,
                                    static_cast<int>((wanted.bottom() - target.top()) / sy) + 2)) &
                       image.rect();
  painter.save();
  painter.setClipRect(wanted);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(target.left() + source.left() * sx, target.top() + source.top() * sy,
                           source.width() * sx, source.height() * sy),
                    image, QRectF(source));
  painter.restore();
}

void MainDialog::paintMotion(QPainter& painter) {
  if (!m_prefs.motionView) return;
  const Rect& picture = m_engine.court.frameRect;
  paintMotionHeat(m_engine.shownMotion, m_engine.motion.width, m_engine.motion.height,
                  m_motionImage);
  const QRect field(picture.left, picture.top, picture.width(), picture.height());
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(m_view.toWindow(field), m_motionImage);
  painter.restore();
}

void MainDialog::paintOverlays(QPainter& painter) {
  const QRect area = m_view.scaled() ? m_view.target() : m_surface.image().rect();
  if (m_stallShown)
    drawBannerLine(painter, area, stallText(), true);
  else if (!m_hint.isEmpty())
    drawBannerLine(painter, area, m_hint, true);
  if (m_prefs.readout && !m_readoutLine.isEmpty())
    drawBannerLine(painter, area, m_readoutLine, false);
}

// The capture thread presented `field`: show it, and what the frame step recorded.
void MainDialog::showPresented(const QRect& field) {
  update(m_view.toWindow(field));
  playSounds();
  takeLightingHint();
}

void MainDialog::playSounds() {
  if (m_sound == nullptr) return;
  playRecordedSounds(m_engine.sounds, *m_sound, m_prefs.muted,
                     static_cast<float>(m_prefs.volume), m_soundDelays);
}

void MainDialog::takeLightingHint() {
  const LightingHint hint = m_engine.lighting.take();
  if (hint == LightingHint::None) return;
  showFieldLine(hintText(hint));
}

void MainDialog::showFieldLine(const QString& text) {
  m_hint = text;
  m_hintTimer.start(fieldLineMs);
  update();
}

void MainDialog::saveClip() { m_clips.saveLast(clipsFolder()); }

void MainDialog::showClipResult(const ClipResult& result) {
  showFieldLine(clipSavedText(QString::fromStdString(result.path.string()),
                              QString::fromStdString(result.problem), result.basket));
}

void MainDialog::watchStall() {
  m_engine.watchStall();
  const bool stalled = m_engine.stall.stalled();
  if (stalled == m_stallShown) return;
  m_stallShown = stalled;
  update();
}

void MainDialog::mousePressEvent(QMouseEvent* event) {
  layoutIfResized();  // a click right after a resize is tested against the new court
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
    const QPoint at = m_view.toField(event->position());
    dispatchClick(at.x(), at.y());
  }
  QDialog::mousePressEvent(event);
}

void MainDialog::dispatchClick(int x, int y) {
  const ClickTargets targets = clickTargets(m_engine.court, x, y);
  if (targets.video && !openFlow(FieldArea::Video)) {
    done(0);
    return;
  }
  if (targets.players) openFlow(FieldArea::Players);
  if (targets.environment) openFlow(FieldArea::Environment);
}

void MainDialog::mouseMoveEvent(QMouseEvent* event) {
  layoutIfResized();
  const QPoint at = m_view.toField(event->position());
  const bool wanted = showsFieldCursor(m_engine.court, at.x(), at.y());
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
  // Laid out at the next mouse movement, not while the user drags; full screen only scales,
  // and the way back to the field's own size changes nothing.
  const QSize field(m_engine.court.fieldWidth, m_engine.court.fieldHeight);
  if (!isFullScreen() && !m_view.scaled() && event->size() != field) m_sizeChanged = true;
  updateView();
  QDialog::resizeEvent(event);
}

void MainDialog::updateView() {
  m_view = FieldView(m_surface.image().size(), size(), isFullScreen() || m_view.scaled());
  update();
}

void MainDialog::layoutIfResized() {
  if (!m_sizeChanged) return;
  // Back at the size the last layout started from: the window manager refused the size it
  // asked for, and would refuse it again.
  if (size() != m_placedFrom) m_engine.fitWindow();
  m_sizeChanged = false;
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_F2: setReadout(!m_prefs.readout); return;
    case Qt::Key_F3: setMotionView(!m_prefs.motionView); return;
    case Qt::Key_F11: setFullScreen(!m_view.scaled()); return;
    case Qt::Key_M: setMuted(!m_prefs.muted); return;
    case Qt::Key_S: saveClip(); return;
    case Qt::Key_Escape:
      if (m_view.scaled()) {
        setFullScreen(false);
        return;
      }
      break;
    default: break;
  }
  QDialog::keyPressEvent(event);
}

void MainDialog::setFullScreen(bool on) {
  m_prefs.fullScreen = on;
  savePreferences();
  if (on == m_view.scaled()) return;
  if (on) {
    m_windowedClient = {width(), height()};
    m_windowedOuter = {frameGeometry().width(), frameGeometry().height()};
    m_windowedPlace = pos();
    m_view = FieldView(m_surface.image().size(), size(), true);
    showFullScreen();
  } else {
    m_view = FieldView(m_surface.image().size(), size(), false);
    showNormal();
    resize(m_windowedClient.width, m_windowedClient.height);
    move(m_windowedPlace);
  }
  updateView();
}

std::uint64_t MainDialog::sourceDropped() const {
  return m_engine.camera.source ? m_engine.camera.source->droppedFrames() : 0;
}

void MainDialog::setReadout(bool on) {
  m_prefs.readout = on;
  savePreferences();
  m_readoutLine.clear();
  if (on) {
    m_engine.times.take();  // the first line counts from now
    m_clips.takeDropped();
    m_sourceDropped = sourceDropped();
    m_readoutClock.start();
    m_readoutTimer.start(1000);
  } else {
    m_readoutTimer.stop();
  }
  update();
}

void MainDialog::setMotionView(bool on) {
  m_prefs.motionView = on;
  savePreferences();
  m_engine.showMotionView(on);
  update();
}

void MainDialog::setMuted(bool on) {
  m_prefs.muted = on;
  savePreferences();
}

void MainDialog::savePreferences() {
  if (!::savePreferences(m_prefsFile, m_prefs))
    std::fprintf(stderr, "swishcam: cannot write the preferences %s\n", qPrintable(m_prefsFile));
}

void MainDialog::customEvent(QEvent* event) {
  if (event->type() != PeriodOverEvent::type()) return;
  playSounds();  // the buzzer
  m_engine.onPeriodOver([this](const std::string& winnerText) { showWinner(winnerText); });
}
