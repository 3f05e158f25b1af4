#include <cstdint>

#include "dialogs/DialogFlows.h"
#include "dialogs/EnvironmentDialog.h"
#include "engine/GameEngine.h"

// The court is laid out again even when nothing changed; scores and clock run on.
void environmentDialogFlow(QWidget* owner, GameEngine& engine) {
  Ball& ball = engine.ball;
  Court& court = engine.court;
  EnvironmentDialog dialog({ball.gravity, ball.gravityUnit, ball.radius, court.basketSize,
                            court.ringHeight, court.skinIndex},
                           owner);
  if (dialog.exec() != QDialog::Accepted) return;
  engine.stopCapture();
  ball.gravity = dialog.values.gravity;
  ball.radius = dialog.values.ballRadius;
  court.ringHeight = dialog.values.ringHeight;
  court.basketSize = dialog.values.basketSize;
  court.skinIndex = static_cast<std::uint8_t>(dialog.values.skinIndex);
  engine.relayout(false);
  engine.startCapture();
}
