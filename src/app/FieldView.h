#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the field appears in the window: 1:1 at the top left, or scaled to the largest size
// that fits with its aspect kept and centred (in full screen, and in a window where the
// field is larger than the screen).
class FieldView {
 public:
  FieldView() = default;
  FieldView(QSize field, QSize window, bool scaled);

  bool scaled() const { return m_scaled; }
  const QRect& target() const { return m_target; }  // the field's place in the window
  // A window point as a field pixel (outside the field when it is on the black border).
  QPoint toField(QPointF window) const;
  // The window rectangle that shows a field rectangle, grown to whole pixels.
  QRect toWindow(const QRect& field) const;

 private:
  QSize m_field;
  QRect m_target;
  bool m_scaled = false;
};
