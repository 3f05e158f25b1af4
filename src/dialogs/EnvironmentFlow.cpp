#include "dialogs/DialogFlows.h"
#include "dialogs/EnvironmentDialog.h"
#include "engine/GameEngine.h"

// The court is laid out again even when nothing changed; scores and clock run on.
void environmentDialogFlow(QWidget* owner, GameEngine& engine) {
  EnvironmentDialog dialog(engine.settings().environment, engine.ball.gravityUnit, owner);
  if (dialog.exec() == QDialog::Accepted) engine.applyEnvironment(dialog.values);
}
