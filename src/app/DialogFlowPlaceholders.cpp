#include "app/DialogFlows.h"

// Placeholders until the dialogs land.
void playersDialogFlow(QWidget*, GameEngine&) {}
void environmentDialogFlow(QWidget*, GameEngine&) {}
