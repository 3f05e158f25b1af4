#pragma once

class GameEngine;
class QWidget;

// The camera's own settings, opened from the video dialog. Both do nothing for a source
// without settings (the demo camera, a replay).

// Format dialog; the court fits a new mode's frame size and the running game goes on.
void showFormatPages(QWidget* owner, GameEngine& engine);
// Picture controls; they act while the capture runs, and Cancel does not undo them.
void showSourcePages(QWidget* owner, GameEngine& engine);
