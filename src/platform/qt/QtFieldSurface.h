#pragma once
#include <QImage>
#include <QString>
#include <functional>

#include "platform/FieldSurface.h"

// The field surface as a QImage in Format_RGB32, the format Qt's raster engine draws
// fastest. Text uses Liberation Sans where "Arial" is asked for.
class QtFieldSurface final : public FieldSurface {
 public:
  void create(int width, int height) override;
  int width() const override { return m_image.width(); }
  int height() const override { return m_image.height(); }
  void putImage(const std::uint8_t* image, int imageWidth, int imageHeight, int srcX, int srcY,
                int w, int h, int dstX, int dstY) override;
  const std::uint8_t* pixels() const override;
  void present(const Rect& area) override;
  void drawText(int x, int y, std::string_view text, const TextFont& font, Rgb colour) override;
  int textWidth(std::string_view text, const TextFont& font) const override;

  // Called (from any thread, under drawLock) with each rectangle to bring to the window.
  void setPresenter(std::function<void(const Rect&)> presenter);
  // The pixels; read them only under drawLock while frames flow.
  const QImage& image() const { return m_image; }
  bool savePng(const QString& path) const;

 private:
  QImage m_image;
  std::function<void(const Rect&)> m_presenter;
};
