#include <cstdint>

#include "app/DialogFlows.h"
#include "dialogs/EnvironmentDialog.h"
#include "engine/GameEngine.h"

// The court is laid out again even when nothing changed; scores and clock run on.
void environmentDialogFlow(QWidget* owner, GameEngine& engine) {
  EnvironmentDialog dialog({engine.gravity, engine.gravityUnit, engine.ballRadius,
                            engine.basketSize, engine.ringHeight, engine.skinIndex},
                           owner);
  if (dialog.exec() != QDialog::Accepted) return;
  engine.stopCapture();
  engine.gravity = dialog.values.gravity;
  engine.ballRadius = dialog.values.ballRadius;
  engine.ringHeight = dialog.values.ringHeight;
  engine.basketSize = dialog.values.basketSize;
  engine.skinIndex = static_cast<std::uint8_t>(dialog.values.skinIndex);
  engine.relayout(0);
  engine.startCapture();
}
