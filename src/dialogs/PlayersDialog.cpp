#include "dialogs/PlayersDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>
#include <array>

#include "dialogs/SettingsForm.h"
#include "dialogs/TopTenDialog.h"

namespace {

constexpr std::array<double, 6> periodEntries = {5, 8, 10, 12, 15, 20};  // minutes
constexpr int fewestMoves = 2;  // moves per frame of the first speed entry
constexpr int mostMoves = 10;
constexpr int nameLength = 10;  // characters
constexpr int nameBytes = 11;   // UTF-8 bytes a top-ten row holds before its NUL

// Keeps a name whole in its top-ten row: ten characters fit as long as they are ASCII;
// other letters take two or more bytes each and so allow fewer.
class NameFitsRow final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    return input.toUtf8().size() <= nameBytes ? Acceptable : Invalid;
  }
};

// An editable list of a default name and "Computer"; any other name becomes a third entry.
QComboBox* makeNameList(const QString& defaultName, const QString& name,
                        const QString& objectName) {
  auto* list = new QComboBox;
  list->setObjectName(objectName);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  // No completion: typing "Com" must not turn the side into the computer.
  list->setCompleter(nullptr);
  list->lineEdit()->setMaxLength(nameLength);
  list->lineEdit()->setValidator(new NameFitsRow(list));
  list->addItems({defaultName, computerName});
  if (name != defaultName && name != computerName) list->addItem(name);
  list->setCurrentIndex(std::max(0, list->findText(name)));
  return list;
}

QStringList speedTexts() {
  QStringList texts;
  for (int moves = fewestMoves; moves <= mostMoves; ++moves)
    texts << QString::asprintf("%d move per frame", moves);
  return texts;
}

QStringList periodTexts() {
  QStringList texts;
  for (double minutes : periodEntries) texts << QString::asprintf("%d minutes", int(minutes));
  return texts;
}

}  // namespace

PlayersDialog::PlayersDialog(const PlayersValues& initial, const TopTenTable& topTen,
                             QWidget* parent)
    : QDialog(parent), values(initial), topTen(topTen) {
  setWindowTitle(QStringLiteral("Score and player properties"));
  leftList = makeNameList(QStringLiteral("Player1"), values.leftName, QStringLiteral("leftPlayer"));
  rightList =
      makeNameList(QStringLiteral("Player2"), values.rightName, QStringLiteral("rightPlayer"));
  skillList = makeChoiceList({QStringLiteral("bad school team"), QStringLiteral("school team"),
                              QStringLiteral("low division"), QStringLiteral("mid division"),
                              QStringLiteral("high division"), QStringLiteral("All STARS")},
                             -1, QStringLiteral("skill"));
  speedList = makeChoiceList(speedTexts(), 0, QStringLiteral("speed"));
  periodList = makeChoiceList(periodTexts(), -1, QStringLiteral("period"));
  // Values from a settings file outside the lists show the nearest entry.
  skillList->setCurrentIndex(std::min<int>(values.timing.computerSkill, skillList->count() - 1));
  speedList->setCurrentIndex(
      std::clamp(values.timing.movesPerFrame - fewestMoves, 0, speedList->count() - 1));
  periodList->setCurrentIndex(nearestEntry(periodEntries, values.timing.periodMinutes));

  // Created before the confirm buttons, so that tabbing reaches it first.
  auto* topTenButton = new QPushButton(QStringLiteral("Top ten..."));
  topTenButton->setObjectName(QStringLiteral("topTen"));
  topTenButton->setAutoDefault(false);
  connect(topTenButton, &QPushButton::clicked, this, &PlayersDialog::showTopTen);
  auto* buttonRow = new QHBoxLayout;
  buttonRow->addWidget(topTenButton);
  buttonRow->addStretch();
  buttonRow->addWidget(confirmButtons(*this, QStringLiteral("OK/New Game")));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(labelledGroup(
      QStringLiteral("Players"),
      {{QStringLiteral("Left player"), leftList}, {QStringLiteral("Right player"), rightList}}));
  layout->addWidget(
      labelledGroup(QStringLiteral("Timings"), {{QStringLiteral("Computer game skill"), skillList},
                                                {QStringLiteral("Game speed"), speedList},
                                                {QStringLiteral("Game period"), periodList}}));
  layout->addLayout(buttonRow);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PlayersDialog::accept() {
  values.leftName = leftList->currentText();
  values.rightName = rightList->currentText();
  TimingSettings& timing = values.timing;
  timing.periodMinutes = static_cast<std::uint8_t>(periodEntries[periodList->currentIndex()]);
  timing.movesPerFrame = static_cast<std::uint8_t>(speedList->currentIndex() + fewestMoves);
  timing.computerSkill = static_cast<std::uint8_t>(skillList->currentIndex());
  QDialog::accept();
}

void PlayersDialog::showTopTen() {
  TopTenDialog dialog(topTen, this);
  dialog.exec();
}
