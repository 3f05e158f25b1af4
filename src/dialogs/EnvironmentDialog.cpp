#include "dialogs/EnvironmentDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "dialogs/SettingsForm.h"

namespace {

// Each list's entry values, by index; filling the list and reading it back use the same
// formulas.
double gravityEntry(int i) { return i < 5 ? (i + 1) * 0.2 : (i - 5) * 0.5 + 1.5; }  // g
int ballRadiusEntry(int i) { return 24 + 2 * i; }                                   // px
int basketSizeEntry(int i) { return static_cast<int>((24 + 2 * i) * 3.75); }        // px
int ringHeightEntry(int i) { return (i + 8) * 20; }                                 // px

constexpr int gravityCount = 9;
constexpr int sizeCount = 10;  // ball and basket sizes
constexpr int ringHeightCount = 8;

template <int N, typename Entry>
std::array<double, N> entryValues(Entry entry) {
  std::array<double, N> values{};
  for (int i = 0; i < N; ++i) values[i] = entry(i);
  return values;
}

template <int N, typename Entry>
QStringList entryTexts(Entry text) {
  QStringList texts;
  for (int i = 0; i < N; ++i) texts << text(i);
  return texts;
}

}  // namespace

EnvironmentDialog::EnvironmentDialog(const EnvironmentSettings& initial, double gravityUnit,
                                     QWidget* parent)
    : QDialog(parent), values(initial), gravityUnit(gravityUnit) {
  setWindowTitle(QStringLiteral("Environment Properties"));
  const auto number = [](int value) { return QString::number(value); };
  ballSizeList =
      makeChoiceList(entryTexts<sizeCount>([&](int i) { return number(ballRadiusEntry(i)); }), 3,
                     QStringLiteral("ballSize"));
  basketSizeList =
      makeChoiceList(entryTexts<sizeCount>([&](int i) { return number(basketSizeEntry(i)); }), 3,
                     QStringLiteral("basketSize"));
  ringHeightList =
      makeChoiceList(entryTexts<ringHeightCount>([&](int i) { return number(ringHeightEntry(i)); }),
                     2, QStringLiteral("ringHeight"));
  skinList = makeChoiceList(
      {QStringLiteral("Jalousie"), QStringLiteral("Magic chess"), QStringLiteral("Green field"),
       QStringLiteral("Buttons"), QStringLiteral("Bubbles")},
      3, QStringLiteral("skin"));
  gravityList = makeChoiceList(
      entryTexts<gravityCount>([](int i) { return QString::asprintf("%1.1f g", gravityEntry(i)); }),
      4, QStringLiteral("gravitation"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(labelledGroup(QStringLiteral("Geometrical"),
                                  {{QStringLiteral("Ball Size"), ballSizeList},
                                   {QStringLiteral("Basket Size"), basketSizeList},
                                   {QStringLiteral("Ring Height"), ringHeightList}}));
  layout->addWidget(labelledGroup(
      QStringLiteral("Common"),
      {{QStringLiteral("Bk Skin"), skinList}, {QStringLiteral("Gravitation"), gravityList}}));
  layout->addWidget(confirmButtons(*this, QStringLiteral("OK")));
  layout->setSizeConstraint(QLayout::SetFixedSize);
  preselect();
}

void EnvironmentDialog::preselect() {
  gravityList->setCurrentIndex(
      nearestEntry(entryValues<gravityCount>(gravityEntry), values.gravity / gravityUnit));
  ballSizeList->setCurrentIndex(
      nearestEntry(entryValues<sizeCount>(ballRadiusEntry), values.ballRadius));
  basketSizeList->setCurrentIndex(
      nearestEntry(entryValues<sizeCount>(basketSizeEntry), values.basketSize));
  ringHeightList->setCurrentIndex(
      nearestEntry(entryValues<ringHeightCount>(ringHeightEntry), values.ringHeight));
  // Skins beyond the list (the noise skin a settings file can select) show the last one.
  skinList->setCurrentIndex(std::clamp<int>(values.skinIndex, 0, skinList->count() - 1));
}

void EnvironmentDialog::accept() {
  values.gravity = gravityEntry(gravityList->currentIndex()) * gravityUnit;
  values.ballRadius = ballRadiusEntry(ballSizeList->currentIndex());
  values.basketSize = basketSizeEntry(basketSizeList->currentIndex());
  values.ringHeight = ringHeightEntry(ringHeightList->currentIndex());
  values.skinIndex = static_cast<std::uint8_t>(skinList->currentIndex());
  QDialog::accept();
}
