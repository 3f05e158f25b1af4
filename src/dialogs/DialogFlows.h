#pragma once

class GameEngine;
class QWidget;

// The settings flows the main window runs for a click. Each opens its dialog modally over
// `owner` and hands a confirmed change to the game's entry point.

// Camera choice and mirroring. False when the program must end (a camera that could not be
// rebuilt, after its message has been shown).
bool videoDialogFlow(QWidget* owner, GameEngine& engine);
// Names, skill, speed and period; OK always starts a new game.
void playersDialogFlow(QWidget* owner, GameEngine& engine);
// Ball, basket, ring height, gravitation and skin; the running game goes on.
void environmentDialogFlow(QWidget* owner, GameEngine& engine);
