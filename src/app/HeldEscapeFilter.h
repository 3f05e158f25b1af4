#pragma once
#include <QObject>
#include <optional>

// Keeps a held Escape from closing more than one window. Escape closes the window it is
// pressed in; held down, or with its release lost (xdotool sends the release to the window
// the press has just closed, so the X server goes on holding the key), it repeats into the
// window behind, which would close too: the game itself, behind a settings dialog. Installed
// on the application, the filter lets no repeat of Escape through: neither those Qt flags nor
// those it misses, whose press carries its release's very timestamp, as the X server's do.
class HeldEscapeFilter final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::optional<quint64> m_releasedAt;  // ms, the last Escape release
};
