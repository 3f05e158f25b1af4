#include "render/CourtLayout.h"

#include <algorithm>

#include "render/Backdrop.h"

namespace {

// Beside the picture on each side: the backboard, the ring and its perspective, a margin.
int sideWidth(const Court& court) {
  return court.backboardThickness + court.basketSize + court.basketSize / 5 + 10;
}

}  // namespace

Size neededField(const Court& court, const CourtFit& fit) {
  const int diameter = 2 * fit.ballRadius;
  const int height = std::max(fit.frameHeight + diameter + 60,
                              court.backboardHeight + court.ringHeight + diameter);
  return {fit.frameWidth + 2 * (sideWidth(court) + diameter), height};
}

// The throw's speed is a real division: a third of the height above the top border.
void placeBallAtStart(Ball& ball, const Court& court) {
  const int r = ball.radius;
  const int startY = court.frameRect.top - r - 5;
  ball.x = court.fieldWidth / 2;
  ball.y = startY;
  ball.vx = 0.0;
  ball.vy = -((startY - r) / 3.0);
  ball.drawnX = static_cast<int>(ball.x);
  ball.drawnY = static_cast<int>(ball.y);
}

void layoutCourt(Court& court, const CourtFit& fit, Size field) {
  releaseCourtPictures(court);
  court.leftRingRect.right = sideWidth(court);  // the backdrop build sets both again
  court.scoreBoxRect.bottom = 60;
  court.fieldRect = {0, 0, field.width, field.height};
  court.fieldWidth = field.width;
  court.fieldHeight = field.height;
  const Rect& whole = court.fieldRect;
  court.frameRect.left = (whole.left + whole.right - fit.frameWidth) / 2;
  court.frameRect.top = whole.bottom - fit.frameHeight;
  court.frameRect.right = court.frameRect.left + fit.frameWidth;
  court.frameRect.bottom = whole.bottom;

  const std::size_t pixels = static_cast<std::size_t>(court.fieldWidth) * court.fieldHeight;
  court.backdrop.assign(pixels * pixelBytes, 0);
  court.overlayColor.assign(pixels * pixelBytes, 0);
  court.overlayAlpha.assign(pixels, 0);
  court.courtMap.assign(pixels, 0);
  buildBackdrop(court, fit.leftIsPerson, fit.rightIsPerson);
}

void releaseCourtPictures(Court& court) {
  for (Bytes* picture :
       {&court.backdrop, &court.overlayColor, &court.overlayAlpha, &court.courtMap}) {
    picture->clear();
    picture->shrink_to_fit();
  }
}
