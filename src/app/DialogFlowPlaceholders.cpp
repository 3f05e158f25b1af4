#include "app/DialogFlows.h"

// Placeholder until the video dialog lands.
bool videoDialogFlow(QWidget*, GameEngine&) { return true; }
