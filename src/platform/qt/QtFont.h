#pragma once
#include <QFont>

#include "platform/FieldSurface.h"

// A font as the game asks for one (cell height, average width, weight, face) as a QFont.
// "Arial" is served by Liberation Sans.
QFont makeFont(const TextFont& request);
