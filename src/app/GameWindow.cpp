#include "app/GameWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScreen>
#include <QStandardPaths>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "app/AppIcon.h"
#include "app/DialogUnits.h"
#include "app/FieldOverlays.h"
#include "dialogs/DialogFlows.h"
#include "app/FieldCursor.h"
#include "capture/CaptureMessages.h"
#include "platform/DrawLock.h"
#include "platform/WindowPlacement.h"
#include "platform/qt/PeriodOverEvent.h"
#include "app/WinnerScreen.h"

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

GameWindow::GameWindow(SourceCatalog& sources, std::filesystem::path settingsPath,
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

GameWindow::~GameWindow() {
  // The capture thread draws into this window: stop it before anything is torn down.
  m_engine.closeCamera();
  m_alive = false;
}

bool GameWindow::start() {
  if (!m_engine.settingsLoad.ok()) showMessage(m_engine.settingsLoad.message);
  if (!m_engine.openCamera(*this)) return false;
  updateView();
  if (m_prefs.motionView) setMotionView(true);
  if (m_prefs.readout) setReadout(true);
  if (m_prefs.fullScreen) setFullScreen(true);
  return true;
}

void GameWindow::bringToFront() {
  if (!isVisible()) return;  // not laid out yet, or closing
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
}

void GameWindow::reportStreamLost() {
  QMetaObject::invokeMethod(this, [this] { showMessage(messageDeviceLost); }, Qt::QueuedConnection);
}

void GameWindow::done(int result) {
  m_engine.stopCapture();
  m_engine.closeCamera();
  m_alive = false;
  if (HelpWindow* help = m_helpKey.window()) help->close();
  // Saved here, not at destruction, while the window can still tell of a failure.
  if (!m_engine.lastSave && !m_engine.saveSettings().ok()) showMessage(m_engine.lastSave->message);
  QDialog::done(result);
}

void GameWindow::postPeriodOver() { QCoreApplication::postEvent(this, new PeriodOverEvent); }

// In full screen the window is only placed for the way back; the field is shown scaled.
Size GameWindow::fitField(Size needed) {
  if (!m_fullScreen) m_frame = frameExtent();
  const QSize current = fieldRoom();
  const WindowPlacement place =
      placeWindowFor(needed, {current.width(), current.height()},
                     {m_frame.width(), m_frame.height()}, availableArea());
  m_shrunk = place.scaled;
  m_windowed = QRect(QPoint(place.x, place.y),
                     QSize(place.outer.width, place.outer.height) - m_frame);
  if (!m_fullScreen) showPlaced();
  m_sizeChanged = false;  // this resize is the layout's own
  if (m_fullScreen || m_shrunk) return place.field;
  return {width(), height()};
}

void GameWindow::showPlaced() {
  m_asked = m_windowed.size();
  m_refused = QSize();
  // A visible window gets its resize event at once; a hidden one when show() sends it.
  resize(m_windowed.size().expandedTo(QSize(1, 1)));
  move(m_windowed.topLeft());
  show();
  raise();
}

// The first size after a placement that falls short of the size asked for is the window
// manager's refusal: a layout there would only ask for the same size again.
void GameWindow::noteWindowManagerAnswer(QSize size) {
  if (!m_asked.isValid() || size == m_asked) return;
  if (size.width() < m_asked.width() || size.height() < m_asked.height()) m_refused = size;
  m_asked = QSize();
}

Rect GameWindow::availableArea() const {
  const QScreen* shownOn = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  if (shownOn == nullptr) return {};
  const QRect area = shownOn->availableGeometry();
  return {area.left(), area.top(), area.right() + 1, area.bottom() + 1};
}

// Known once the window system has framed the window; before, the platform's estimate.
QSize GameWindow::frameExtent() {
  winId();  // the platform window holds the margins
  const QMargins margins = windowHandle()->frameMargins();
  return QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

// What the field grows from: the client area as the user left it; nothing where the field
// was shown scaled, for it was then only as large as it needed.
QSize GameWindow::fieldRoom() const {
  if (m_shrunk) return {};
  return m_fullScreen ? m_windowed.size() : size();
}

QSize GameWindow::fieldSize() const {
  return QSize(m_engine.court.fieldWidth, m_engine.court.fieldHeight);
}

void GameWindow::showMessage(const std::string& text) {
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

void GameWindow::beginRelayout() {
  repaint();
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void GameWindow::endRelayout() {
  QApplication::restoreOverrideCursor();
  updateView();
  repaint();
}

bool GameWindow::openFlow(FieldArea area) {
  switch (area) {
    case FieldArea::Video: return videoDialogFlow(this, m_engine);
    case FieldArea::Players: playersDialogFlow(this, m_engine); break;
    case FieldArea::Environment: environmentDialogFlow(this, m_engine); break;
  }
  return true;
}

void GameWindow::showWinner(const std::string& winnerText) {
  if (m_sound != nullptr && !m_prefs.muted)
    m_sound->play(Sound::Fanfare, static_cast<float>(m_prefs.volume));
  WinnerScreen screen(this, QString::fromStdString(winnerText));
  // Nobody may be there to close it in an unattended demo.
  if (m_engine.camera.automaticPlayer())
    QTimer::singleShot(demoWinnerSeconds * 1000, &screen, &QWidget::close);
  screen.exec();
}

void GameWindow::paintEvent(QPaintEvent* event) {
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
void GameWindow::paintField(QPainter& painter, const QRect& area) {
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

void GameWindow::paintMotion(QPainter& painter) {
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

void GameWindow::paintOverlays(QPainter& painter) {
  const QRect area = m_view.scaled() ? m_view.target() : m_surface.image().rect();
  if (m_stallShown)
    drawBannerLine(painter, area, stallText(), true);
  else if (!m_hint.isEmpty())
    drawBannerLine(painter, area, m_hint, true);
  if (m_prefs.readout && !m_readoutLine.isEmpty())
    drawBannerLine(painter, area, m_readoutLine, false);
}

// The capture thread presented `field`: show it, and what the frame step recorded.
void GameWindow::showPresented(const QRect& field) {
  update(m_view.toWindow(field));
  playSounds();
  takeLightingHint();
}

void GameWindow::playSounds() {
  if (m_sound == nullptr) return;
  playRecordedSounds(m_engine.sounds, *m_sound, m_prefs.muted,
                     static_cast<float>(m_prefs.volume), m_soundDelays);
}

void GameWindow::takeLightingHint() {
  const LightingHint hint = m_engine.lighting.take();
  if (hint == LightingHint::None) return;
  showFieldLine(hintText(hint));
}

void GameWindow::showFieldLine(const QString& text) {
  m_hint = text;
  m_hintTimer.start(fieldLineMs);
  update();
}

void GameWindow::saveClip() { m_clips.saveLast(clipsFolder()); }

void GameWindow::showClipResult(const ClipResult& result) {
  showFieldLine(clipSavedText(QString::fromStdString(result.path.string()),
                              QString::fromStdString(result.problem), result.basket));
}

void GameWindow::watchStall() {
  m_engine.watchStall();
  const bool stalled = m_engine.stall.stalled();
  if (stalled == m_stallShown) return;
  m_stallShown = stalled;
  update();
}

void GameWindow::mousePressEvent(QMouseEvent* event) {
  layoutIfResized();  // a click right after a resize is tested against the new court
  if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
    const QPoint at = m_view.toField(event->position());
    dispatchClick(at.x(), at.y());
  }
  QDialog::mousePressEvent(event);
}

void GameWindow::dispatchClick(int x, int y) {
  const ClickTargets targets = clickTargets(m_engine.court, x, y);
  if (targets.video && !openFlow(FieldArea::Video)) {
    done(0);
    return;
  }
  if (targets.players) openFlow(FieldArea::Players);
  if (targets.environment) openFlow(FieldArea::Environment);
}

void GameWindow::mouseMoveEvent(QMouseEvent* event) {
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

void GameWindow::enterEvent(QEnterEvent* event) {
  layoutIfResized();
  QDialog::enterEvent(event);
}

void GameWindow::resizeEvent(QResizeEvent* event) {
  // Laid out at the next mouse movement, not while the user drags; a scaled field only
  // scales anew, and the way back to the field's own size needs nothing.
  noteWindowManagerAnswer(event->size());
  m_sizeChanged = !m_fullScreen && !m_shrunk && event->size() != fieldSize();
  updateView();
  QDialog::resizeEvent(event);
}

void GameWindow::updateView() {
  m_view = FieldView(m_surface.image().size(), size(), m_fullScreen || m_shrunk);
  update();
}

void GameWindow::layoutIfResized() {
  m_asked = QSize();  // the window manager has answered by the time the user acts
  if (!m_sizeChanged) return;
  if (size() != m_refused) m_engine.fitWindow();
  m_sizeChanged = false;
}

void GameWindow::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_F2: setReadout(!m_prefs.readout); return;
    case Qt::Key_F3: setMotionView(!m_prefs.motionView); return;
    case Qt::Key_F11: setFullScreen(!m_fullScreen); return;
    case Qt::Key_M: setMuted(!m_prefs.muted); return;
    case Qt::Key_S: saveClip(); return;
    case Qt::Key_Escape:
      if (m_fullScreen) {
        setFullScreen(false);
        return;
      }
      break;
    default: break;
  }
  QDialog::keyPressEvent(event);
}

void GameWindow::setFullScreen(bool on) {
  m_prefs.fullScreen = on;
  savePreferences();
  if (on == m_fullScreen) return;
  m_fullScreen = on;
  if (on) {
    m_frame = frameExtent();
    m_windowed = QRect(pos(), size());
    updateView();
    showFullScreen();
  } else {
    updateView();
    showNormal();
    resize(m_windowed.size());
    move(m_windowed.topLeft());
  }
  updateView();
}

std::uint64_t GameWindow::sourceDropped() const {
  return m_engine.camera.source ? m_engine.camera.source->droppedFrames() : 0;
}

void GameWindow::setReadout(bool on) {
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

void GameWindow::setMotionView(bool on) {
  m_prefs.motionView = on;
  savePreferences();
  m_engine.showMotionView(on);
  update();
}

void GameWindow::setMuted(bool on) {
  m_prefs.muted = on;
  savePreferences();
}

void GameWindow::savePreferences() {
  if (!::savePreferences(m_prefsFile, m_prefs))
    std::fprintf(stderr, "swishcam: cannot write the preferences %s\n", qPrintable(m_prefsFile));
}

void GameWindow::customEvent(QEvent* event) {
  if (event->type() != PeriodOverEvent::type()) return;
  playSounds();  // the buzzer
  m_engine.onPeriodOver([this](const std::string& winnerText) { showWinner(winnerText); });
}
