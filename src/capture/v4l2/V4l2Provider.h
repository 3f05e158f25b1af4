#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "capture/CameraSettings.h"
#include "capture/FrameSource.h"
#include "capture/ModeChoice.h"
#include "capture/v4l2/V4l2Io.h"

// The V4L2 cameras: the /dev/video* nodes that capture video (metadata and output nodes
// are skipped), by node number, at most ten, each named by its card name cut to 79
// characters. Remembers, for this run, the mode last chosen for each camera name.
//
// `onStreamLost` is called on the capture thread when an open camera goes away (unplugged);
// the window queues it to its own thread and tells the user. The provider must outlive the
// sources it opens.
class V4l2Provider final : public SourceProvider {
 public:
  explicit V4l2Provider(std::function<void()> onStreamLost = {}, V4l2Io& io = systemV4l2Io());

  std::vector<std::string> deviceNames() override;
  std::unique_ptr<FrameSource> open(std::size_t index, CaptureError& error) override;
  // The device nodes of the last listing, in its order.
  std::vector<std::string> listedPaths() const;

 private:
  struct Node {
    std::string path;
    std::string name;
  };

  V4l2Io& io;
  std::function<void()> onStreamLost;
  std::vector<Node> listed;                        // the last deviceNames() listing
  ModeMemory chosenModes;
};
