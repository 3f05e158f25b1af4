#pragma once
#include "model/Ball.h"
#include "model/Court.h"
#include "platform/WindowLink.h"

// What a court is laid out around.
struct CourtFit {
  int frameWidth = 0;          // px, the camera picture
  int frameHeight = 0;         // px
  int ballRadius = 0;          // px
  bool leftIsPerson = true;    // whose target rings are drawn
  bool rightIsPerson = true;
};

// Grows the window (never shrinks it) around the picture and centres it on the screen,
// places every rectangle of the court, and draws its pictures afresh. Without a window the
// field gets exactly the size it asks for.
void layoutCourt(Court& court, const CourtFit& fit, WindowLink* window);
// A new rally: the ball above the picture's middle, thrown upward.
void placeBallAtStart(Ball& ball, const Court& court);
// Frees the court's pictures (the court is then no longer laid out).
void releaseCourtPictures(Court& court);
