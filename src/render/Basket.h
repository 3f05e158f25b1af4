#pragma once

// The measures of one basket of ring width bs, all in pixels (integer divisions).
struct BasketShape {
  int ringHalfHeight;    // e = (bs/6)/2, the ring seen in perspective
  int netHeight;         // nh = trunc(0.8 bs)
  int netBottomWidth;    // nb = trunc(0.6 bs)
  int bottomHalfWidth;   // nb/2, of the net's bottom ellipse
  int bottomHalfHeight;  // (nb/6)/2
  double leftSlope;      // kL = 2 nh / (nb − bs), the net's left side
  double rightSlope;     // kR = −kL
};

BasketShape basketShape(int basketSize);
