#pragma once
#include "model/Court.h"

// The measures of one basket of ring width basketSize, all in pixels (integer divisions).
struct BasketShape {
  int ringHalfHeight;    // (basketSize/6)/2, the ring seen in perspective
  int netHeight;         // nh = trunc(0.8 basketSize)
  int netBottomWidth;    // nb = trunc(0.6 basketSize)
  int bottomHalfWidth;   // nb/2, of the net's bottom ellipse
  int bottomHalfHeight;  // (nb/6)/2
  double leftSlope;      // kL = 2 nh / (nb − basketSize), the net's left side
  double rightSlope;     // kR = −kL
};

BasketShape basketShape(int basketSize);

// One ring and net with the ring's left end at image (x, y): the back half of the rim and
// the strings behind the ball, then the front strings, the soft net sides and the front
// half of the rim in the front layer.
void drawBasket(Court& court, int x, int y);
