#include "dialogs/DialogFlows.h"
#include "dialogs/PlayersDialog.h"
#include "engine/GameEngine.h"

// "OK/New Game" starts a new game even without changes. Before the court has been laid
// out once there is no game to restart, so the values are dropped then.
void playersDialogFlow(QWidget* owner, GameEngine& engine) {
  Match& match = engine.match;
  PlayersDialog dialog(
      {match.periodMinutes, match.movesPerFrame, match.computerSkill,
       QString::fromStdString(match.leftName), QString::fromStdString(match.rightName)},
      match.topTen, owner);
  if (dialog.exec() != QDialog::Accepted || !engine.court.laidOut()) return;
  engine.stopCapture();
  const PlayersValues& chosen = dialog.values;
  match.periodMinutes = chosen.periodMinutes;
  match.movesPerFrame = chosen.movesPerFrame;
  match.computerSkill = chosen.computerSkill;
  match.setNames(chosen.leftName.toStdString(), chosen.rightName.toStdString());
  engine.relayout(true);
  engine.startCapture();
}
