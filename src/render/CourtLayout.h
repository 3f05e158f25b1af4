#pragma once
#include "model/Ball.h"
#include "model/Court.h"
#include "model/Geometry.h"

// What a court is laid out around.
struct CourtFit {
  int frameWidth = 0;          // px, the camera picture
  int frameHeight = 0;         // px
  int ballRadius = 0;          // px
  bool leftIsPerson = true;    // whose target rings are drawn
  bool rightIsPerson = true;
};

// The smallest field that holds the court: the picture with the score band above it, the
// backboards and rings beside it, and a ball's diameter round them. Whoever shows the field
// makes it at least this large.
Size neededField(const Court& court, const CourtFit& fit);
// Places every rectangle of the court on a field of `field` size, the picture at its bottom
// centre, and draws its pictures afresh.
void layoutCourt(Court& court, const CourtFit& fit, Size field);
// A new rally: the ball above the picture's middle, thrown upward.
void placeBallAtStart(Ball& ball, const Court& court);
// Frees the court's pictures (the court is then no longer laid out).
void releaseCourtPictures(Court& court);
