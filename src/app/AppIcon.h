#pragma once
#include <QIcon>
#include <QImage>

// The program's icon, drawn in code: an orange ball dropping into a red ring with a white net.
QImage drawAppIcon(int size);
QIcon appIcon();
