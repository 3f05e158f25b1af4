#include "capture/FrameImage.h"
#include "engine/GameEngine.h"

// Placeholder layout until the court drawing lands: sizes the buffers only.
void GameEngine::layoutCourt(int newGame) {
  releaseCourtBuffers();
  workFrame.assign(frameBytes(frameWidth, frameHeight), 0);
  shownFrame.assign(frameBytes(frameWidth, frameHeight), 0);
  const std::size_t box = static_cast<std::size_t>(2 * ballRadius) * (2 * ballRadius);
  ballImage.assign(box * 3, 0);
  ballBackground.assign(box * 3, 0);
  ballOverlayColor.assign(box * 3, 0);
  ballOverlayAlpha.assign(box, 0);
  ballMask.assign(box, 0);
  for (auto& plane : motionPlanes) plane.assign(box, 0);
  motionWork.assign(box, 0);
  if (newGame) {
    leftScore = rightScore = 0;
    gameStartTick = computerTick = clock.now();
  }
}

void GameEngine::releaseCourtBuffers() {
  for (Bytes* buffer : {&workFrame, &shownFrame, &ballImage, &ballBackground, &ballOverlayColor,
                        &ballOverlayAlpha, &ballMask, &backdrop, &overlayColor, &overlayAlpha,
                        &courtMap}) {
    buffer->clear();
    buffer->shrink_to_fit();
  }
}
void GameEngine::buildBackdrop(int) {}
void GameEngine::prepareFieldImage() {}
