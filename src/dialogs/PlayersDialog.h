#pragma once
#include <QDialog>
#include <QString>
#include <cstdint>

#include "model/GameSettings.h"
#include "model/Match.h"
#include "model/TopTen.h"

class QComboBox;
class QPushButton;

// Who plays on each side and the game's timings, as the players dialog edits them.
struct PlayersValues {
  TimingSettings timing;  // period one of 5, 8, 10, 12, 15, 20; moves 2 to 10; skill 0 to 5
  QString leftName = QStringLiteral("Player1");
  QString rightName = QStringLiteral("Player2");
};


// "Score and player properties". Works on its own copy of the values; "OK/New Game" stores
// the names as typed or picked and the chosen timings in `values`. "Top ten..." shows a copy
// of `topTen` as it is at the moment of the click (a game may end while this dialog is open).
class PlayersDialog final : public QDialog {
  Q_OBJECT

 public:
  PlayersDialog(const PlayersValues& initial, const TopTenTable& topTen, QWidget* parent = nullptr);

  void accept() override;

  PlayersValues values;

 private:
  void showTopTen();

  const TopTenTable& topTen;
  QComboBox* leftList;
  QComboBox* rightList;
  QComboBox* skillList;
  QComboBox* speedList;
  QComboBox* periodList;
};
