#include "dialogs/DialogFlows.h"
#include "dialogs/PlayersDialog.h"
#include "engine/GameEngine.h"

// "OK/New Game" starts a new game even without changes. Before the court has been laid
// out once there is no game to restart, so the values are dropped then.
void playersDialogFlow(QWidget* owner, GameEngine& engine) {
  const Match& match = engine.match;
  PlayersDialog dialog({engine.settings().timing, QString::fromStdString(match.leftName),
                        QString::fromStdString(match.rightName)},
                       engine.settings().topTen, owner);
  if (dialog.exec() != QDialog::Accepted || !engine.court.laidOut()) return;
  const PlayersValues& chosen = dialog.values;
  engine.applyPlayers(chosen.timing, chosen.leftName.toStdString(), chosen.rightName.toStdString());
}
