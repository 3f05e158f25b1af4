#pragma once
#include <semaphore>

// Held for every drawing into the field surface and the window: ball steps and frame
// composition on the capture thread, the repaint and score copies on the window thread.
// No holder calls another holder, so it is never taken twice by one thread.
extern std::binary_semaphore drawLock;

class DrawLockGuard {
 public:
  DrawLockGuard() { drawLock.acquire(); }
  ~DrawLockGuard() { drawLock.release(); }
  DrawLockGuard(const DrawLockGuard&) = delete;
  DrawLockGuard& operator=(const DrawLockGuard&) = delete;
};
