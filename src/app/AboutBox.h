#pragma once

class QWidget;

// "About Swish Cam": icon, name, version and an OK button, modal over `owner`.
void showAboutBox(QWidget* owner);
