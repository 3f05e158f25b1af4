#pragma once
#include <QString>

// What the player chose about the window and the sound. The settings file has no room for
// them, so they live in an INI file of their own in the user's configuration folder.
struct Preferences {
  bool fullScreen = false;
  bool muted = false;
  double volume = 0.8;       // 0–1
  bool readout = false;      // the frame-rate line (F2)
  bool motionView = false;   // the sensed motion over the picture (F3)
  bool clipEveryBasket = false;  // save a clip of each basket by itself
};

// $XDG_CONFIG_HOME/swishcam/swishcam.ini (~/.config/swishcam/swishcam.ini).
QString preferencesFile();
Preferences loadPreferences(const QString& file);
// False when the file could not be written.
bool savePreferences(const QString& file, const Preferences& preferences);
