#include "app/DialogFlows.h"

// Placeholders until the dialogs land.
bool videoDialogFlow(QWidget*, GameEngine&) { return true; }
void playersDialogFlow(QWidget*, GameEngine&) {}
void environmentDialogFlow(QWidget*, GameEngine&) {}
