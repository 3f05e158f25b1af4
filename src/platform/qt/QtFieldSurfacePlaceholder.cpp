#include "platform/qt/QtFieldSurface.h"

// Placeholder until the Qt surface lands.
void QtFieldSurface::create(int width, int height) { m_image = QImage(width, height, QImage::Format_RGB32); }
void QtFieldSurface::putImage(const std::uint8_t*, int, int, int, int, int, int, int, int) {}
void QtFieldSurface::getImage(std::uint8_t*) const {}
void QtFieldSurface::present(const Rect& area) { if (m_presenter) m_presenter(area); }
void QtFieldSurface::drawText(int, int, std::string_view, const TextFont&, Rgb) {}
int QtFieldSurface::textWidth(std::string_view, const TextFont&) const { return 0; }
void QtFieldSurface::setPresenter(std::function<void(const Rect&)> presenter) { m_presenter = std::move(presenter); }
bool QtFieldSurface::savePng(const QString& path) const { return m_image.save(path, "PNG"); }
