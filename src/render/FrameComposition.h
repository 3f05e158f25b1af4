#pragma once
#include <cstdint>

#include "model/Ball.h"
#include "model/Court.h"
#include "platform/FieldSurface.h"
#include "render/BallSprite.h"

// Where the frame step draws: the off-screen field, the court on it and the ball's pictures.
struct FieldCanvas {
  FieldSurface& surface;
  Court& court;
  BallSprite& sprite;
};

// Fills the sprite's background and front layer with what the field shows in the box of
// (x, y) without the ball: the court, and over the camera area the frame `picture` (a
// FrameImage of the picture's size; null keeps the court there).
void saveUnderBall(const Court& court, BallSprite& sprite, int x, int y,
                   const std::uint8_t* picture);
// Moves the drawn ball to the ball's place within a frame; the camera area still shows
// `shownFrame`, the frame of the previous step.
void drawBallStep(FieldCanvas& canvas, Ball& ball, const std::uint8_t* shownFrame);
// Puts the new camera frame and the ball at its place, and presents what changed.
void composeFrame(FieldCanvas& canvas, Ball& ball, const std::uint8_t* frame);
// Presents the whole field.
void repaintField(FieldCanvas& canvas);
