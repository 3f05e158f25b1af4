#include "capture/PainterProvider.h"

#include "capture/PacedSource.h"
#include "capture/SteppedSource.h"

PainterProvider::PainterProvider(std::string name, PainterFactory makePainter,
                                 Delivery delivery)
    : m_name(std::move(name)), m_makePainter(std::move(makePainter)), m_delivery(delivery) {}

std::unique_ptr<FrameSource> PainterProvider::open(std::size_t index, CaptureError& error) {
  std::unique_ptr<FramePainter> painter = index == 0 ? m_makePainter() : nullptr;
  if (!painter) {
    error = CaptureError::NoDevice;
    return nullptr;
  }
  error = CaptureError::None;
  if (m_delivery == Delivery::Paced) return std::make_unique<PacedSource>(std::move(painter));
  auto source = std::make_unique<SteppedSource>(std::move(painter));
  stepped = source.get();
  return source;
}
