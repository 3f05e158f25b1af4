#include "app/Preferences.h"

#include <QSettings>
#include <QStandardPaths>
#include <algorithm>

QString preferencesFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/swishcam/swishcam.ini");
}

Preferences loadPreferences(const QString& file) {
  QSettings ini(file, QSettings::IniFormat);
  Preferences p;
  p.fullScreen = ini.value(QStringLiteral("window/fullScreen"), p.fullScreen).toBool();
  p.readout = ini.value(QStringLiteral("window/readout"), p.readout).toBool();
  p.motionView = ini.value(QStringLiteral("window/motionView"), p.motionView).toBool();
  p.muted = ini.value(QStringLiteral("sound/muted"), p.muted).toBool();
  p.clipEveryBasket =
      ini.value(QStringLiteral("clips/everyBasket"), p.clipEveryBasket).toBool();
  p.volume = std::clamp(ini.value(QStringLiteral("sound/volume"), p.volume).toDouble(), 0.0, 1.0);
  return p;
}

bool savePreferences(const QString& file, const Preferences& p) {
  QSettings ini(file, QSettings::IniFormat);
  ini.setValue(QStringLiteral("window/fullScreen"), p.fullScreen);
  ini.setValue(QStringLiteral("window/readout"), p.readout);
  ini.setValue(QStringLiteral("window/motionView"), p.motionView);
  ini.setValue(QStringLiteral("sound/muted"), p.muted);
  ini.setValue(QStringLiteral("sound/volume"), p.volume);
  ini.setValue(QStringLiteral("clips/everyBasket"), p.clipEveryBasket);
  ini.sync();
  return ini.status() == QSettings::NoError;
}
