#include "capture/v4l2/V4l2Controls.h"

#include <linux/videodev2.h>

#include <string>

namespace {

bool kindOf(std::uint32_t type, CameraControl::Kind& kind) {
  switch (type) {
    case V4L2_CTRL_TYPE_INTEGER: kind = CameraControl::Kind::Slider; return true;
    case V4L2_CTRL_TYPE_BOOLEAN: kind = CameraControl::Kind::CheckBox; return true;
    case V4L2_CTRL_TYPE_MENU:
    case V4L2_CTRL_TYPE_INTEGER_MENU: kind = CameraControl::Kind::Menu; return true;
    default: return false;
  }
}

void readMenu(V4l2Io& io, int fd, const v4l2_queryctrl& query, CameraControl& control) {
  for (int index = query.minimum; index <= query.maximum; ++index) {
    v4l2_querymenu item{};
    item.id = query.id;
    item.index = static_cast<std::uint32_t>(index);
    if (io.ioctl(fd, VIDIOC_QUERYMENU, &item) != 0) continue;  // drivers leave gaps
    control.menu.emplace_back(index, query.type == V4L2_CTRL_TYPE_INTEGER_MENU
                                         ? std::to_string(item.value)
                                         : v4l2Text(item.name, sizeof item.name));
  }
}

CameraControl controlFrom(V4l2Io& io, int fd, const v4l2_queryctrl& query,
                          CameraControl::Kind kind) {
  CameraControl control;
  control.id = query.id;
  control.kind = kind;
  control.name = v4l2Text(query.name, sizeof query.name);
  control.minimum = query.minimum;
  control.maximum = query.maximum;
  control.step = query.step > 0 ? query.step : 1;
  control.defaultValue = query.default_value;
  control.readOnly = (query.flags & (V4L2_CTRL_FLAG_READ_ONLY | V4L2_CTRL_FLAG_GRABBED |
                                     V4L2_CTRL_FLAG_INACTIVE)) != 0;
  v4l2_control current{};
  current.id = query.id;
  control.value = io.ioctl(fd, VIDIOC_G_CTRL, &current) == 0 ? current.value : query.default_value;
  if (kind == CameraControl::Kind::Menu) readMenu(io, fd, query, control);
  return control;
}

}  // namespace

std::vector<CameraControl> listCameraControls(V4l2Io& io, int fd) {
  std::vector<CameraControl> controls;
  v4l2_queryctrl query{};
  query.id = V4L2_CTRL_FLAG_NEXT_CTRL;
  while (io.ioctl(fd, VIDIOC_QUERYCTRL, &query) == 0) {
    CameraControl::Kind kind;
    if ((query.flags & V4L2_CTRL_FLAG_DISABLED) == 0 && kindOf(query.type, kind))
      controls.push_back(controlFrom(io, fd, query, kind));
    query.id |= V4L2_CTRL_FLAG_NEXT_CTRL;
  }
  return controls;
}

bool setCameraControl(V4l2Io& io, int fd, std::uint32_t id, int value) {
  v4l2_control control{};
  control.id = id;
  control.value = value;
  return io.ioctl(fd, VIDIOC_S_CTRL, &control) == 0;
}
