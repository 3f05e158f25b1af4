#pragma once
#include <QFont>
#include <string>

// A font sized the way the game asks for one: the cell (ascent plus descent) `height` pixels
// tall, characters `averageWidth` pixels wide on average (0 keeps the face's own width),
// weight on the 100–900 scale. "Arial" is served by Liberation Sans.
QFont cellFont(int height, int averageWidth, int weight = 400, const std::string& face = "Arial");
