#pragma once
#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "capture/DeviceChoice.h"
#include "capture/FrameImage.h"
#include "capture/FrameSource.h"

// The camera as the game holds it: the running source, the devices found, the frame size
// and the frame of this step beside the frame of the previous one.
struct CameraSide {
  std::unique_ptr<FrameSource> source;  // the running capture; null while there is none
  DeviceNames deviceNames;              // names found by the last device search
  int deviceCount = 0;                  // filled entries of deviceNames, 0 to 10
  int frameWidth = 0;                   // px, as negotiated with the source
  int frameHeight = 0;                  // px
  std::vector<std::uint8_t> workFrame;  // this step's frame, copied or mirrored
  std::vector<std::uint8_t> shownFrame; // the previous step's frame
  // Turn frames left for right; the video dialog changes it while frames flow.
  std::atomic<bool> mirror{true};

  std::size_t frameSize() const { return frameBytes(frameWidth, frameHeight); }
  bool automaticPlayer() const { return source && source->automaticPlayer(); }
  // Both frames at the current size, zeroed; called by each layout so no frame allocates.
  void allocateFrames() {
    workFrame.assign(frameSize(), 0);
    shownFrame.assign(frameSize(), 0);
  }
  // This frame becomes the previous one; no bytes move.
  void keepAsPrevious() { std::swap(workFrame, shownFrame); }
};
