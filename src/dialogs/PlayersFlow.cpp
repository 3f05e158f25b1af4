#include "app/DialogFlows.h"
#include "dialogs/PlayersDialog.h"
#include "engine/GameEngine.h"

// "OK/New Game" starts a new game even without changes. Before the court has been laid
// out once there is no game to restart, so the values are dropped then.
void playersDialogFlow(QWidget* owner, GameEngine& engine) {
  PlayersDialog dialog(
      {engine.periodMinutes, engine.movesPerFrame, engine.computerSkill,
       QString::fromStdString(engine.leftName), QString::fromStdString(engine.rightName)},
      engine.topTen, owner);
  if (dialog.exec() != QDialog::Accepted || engine.backdrop.empty()) return;
  engine.stopCapture();
  const PlayersValues& chosen = dialog.values;
  engine.periodMinutes = chosen.periodMinutes;
  engine.movesPerFrame = chosen.movesPerFrame;
  engine.computerSkill = chosen.computerSkill;
  engine.leftName = chosen.leftName.toStdString();
  engine.rightName = chosen.rightName.toStdString();
  engine.leftIsPerson = chosen.leftName != computerName;
  engine.rightIsPerson = chosen.rightName != computerName;
  engine.relayout(1);
  engine.startCapture();
}
