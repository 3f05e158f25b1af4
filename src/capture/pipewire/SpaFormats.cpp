#include "capture/pipewire/SpaFormats.h"

#include <spa/param/format.h>
#include <spa/param/video/raw.h>
#include <spa/pod/builder.h>

#include <algorithm>
#include <iterator>

#include "capture/PixelConverters.h"
#include "capture/pipewire/SpaPod.h"

namespace {

struct FormatName {
  std::uint32_t spa;
  std::uint32_t fourcc;
  const char* name;
};

// The padded 32-bit formats light up once the converters know their fourccs.
constexpr FormatName knownFormats[] = {
    {SPA_VIDEO_FORMAT_YUY2, fourcc('Y', 'U', 'Y', 'V'), "YUY2"},
    {SPA_VIDEO_FORMAT_UYVY, fourcc('U', 'Y', 'V', 'Y'), "UYVY"},
    {SPA_VIDEO_FORMAT_NV12, fourcc('N', 'V', '1', '2'), "NV12"},
    {SPA_VIDEO_FORMAT_I420, fourcc('Y', 'U', '1', '2'), "I420"},
    {SPA_VIDEO_FORMAT_RGB, fourcc('R', 'G', 'B', '3'), "RGB"},
    {SPA_VIDEO_FORMAT_BGR, fourcc('B', 'G', 'R', '3'), "BGR"},
    {SPA_VIDEO_FORMAT_BGRx, fourcc('X', 'R', '2', '4'), "BGRx"},
    {SPA_VIDEO_FORMAT_RGBx, fourcc('X', 'B', '2', '4'), "RGBx"},
};
constexpr std::uint32_t mjpegFourcc = fourcc('M', 'J', 'P', 'G');

struct Size {
  std::uint32_t width;
  std::uint32_t height;
};
// Sizes worth offering from a camera that takes any size in a range.
constexpr Size commonSizes[] = {{320, 240}, {640, 480}, {1280, 720}, {1920, 1080}};

struct Rate {
  std::uint32_t num;  // frames per second = num / denom
  std::uint32_t denom;
};

// What one format pod offers, before it is spread into modes.
struct PodOffer {
  std::uint32_t mediaType = 0;
  std::uint32_t subtype = 0;
  std::vector<std::uint32_t> formats;
  std::vector<Size> sizes;
  std::vector<Rate> rates;
};

template <typename T>
void addOnce(std::vector<T>& list, const T& value, bool (*same)(const T&, const T&)) {
  if (std::none_of(list.begin(), list.end(), [&](const T& v) { return same(v, value); }))
    list.push_back(value);
}

bool sameSize(const Size& a, const Size& b) { return a.width == b.width && a.height == b.height; }
bool sameRate(const Rate& a, const Rate& b) {
  return std::uint64_t(a.num) * b.denom == std::uint64_t(b.num) * a.denom && a.denom && b.denom;
}
bool sameId(const std::uint32_t& a, const std::uint32_t& b) { return a == b; }

bool isRange(const PodValues& v) {
  return (v.choice == SPA_CHOICE_Range || v.choice == SPA_CHOICE_Step) && v.count >= 3;
}

// Every listed id: the default and the alternatives of an enum alike.
std::vector<std::uint32_t> readIds(const PodValues& v) {
  std::vector<std::uint32_t> ids;
  if (v.type != SPA_TYPE_Id) return ids;
  for (std::uint32_t i = 0; i < v.count; ++i) addOnce(ids, v.word(i), sameId);
  return ids;
}

bool inside(const Size& s, const Size& low, const Size& high) {
  return s.width >= low.width && s.width <= high.width && s.height >= low.height &&
         s.height <= high.height;
}

std::vector<Size> readSizes(const PodValues& v) {
  std::vector<Size> sizes;
  if (v.type != SPA_TYPE_Rectangle) return sizes;
  const auto at = [&v](std::uint32_t i) { return Size{v.word(i, 0), v.word(i, 1)}; };
  if (isRange(v)) {
    addOnce(sizes, at(0), sameSize);
    for (const Size& common : commonSizes)
      if (inside(common, at(1), at(2))) addOnce(sizes, common, sameSize);
  } else {
    for (std::uint32_t i = 0; i < v.count; ++i) addOnce(sizes, at(i), sameSize);
  }
  sizes.erase(std::remove_if(sizes.begin(), sizes.end(),
                             [](const Size& s) {
                               return s.width == 0 || s.height == 0 || s.width > 16384 ||
                                      s.height > 16384;
                             }),
              sizes.end());
  return sizes;
}

std::vector<Rate> readRates(const PodValues& v) {
  std::vector<Rate> rates;
  if (v.type != SPA_TYPE_Fraction) return rates;
  const auto at = [&v](std::uint32_t i) { return Rate{v.word(i, 0), v.word(i, 1)}; };
  const std::uint32_t last = isRange(v) ? 3 : v.count;  // a range: default, then its fastest
  for (std::uint32_t i = 0; i < last; ++i) {
    if (isRange(v) && i == 1) continue;
    const Rate rate = at(i);
    if (rate.denom != 0) addOnce(rates, rate, sameRate);
  }
  return rates;
}

PodOffer readOffer(const void* pod, std::size_t length, bool& ok) {
  PodOffer offer;
  std::uint32_t objectType = 0;
  ok = forEachPodProperty(pod, length, objectType, [&offer](std::uint32_t key, const PodValues& v) {
    switch (key) {
      case SPA_FORMAT_mediaType: offer.mediaType = v.type == SPA_TYPE_Id ? v.word(0) : 0; break;
      case SPA_FORMAT_mediaSubtype: offer.subtype = v.type == SPA_TYPE_Id ? v.word(0) : 0; break;
      case SPA_FORMAT_VIDEO_format: offer.formats = readIds(v); break;
      case SPA_FORMAT_VIDEO_size: offer.sizes = readSizes(v); break;
      case SPA_FORMAT_VIDEO_framerate: offer.rates = readRates(v); break;
      default: break;
    }
  });
  ok = ok && objectType == SPA_TYPE_OBJECT_Format && offer.mediaType == SPA_MEDIA_TYPE_video;
  return offer;
}

const char* nameOf(std::uint32_t code) {
  if (code == mjpegFourcc) return "MJPG";
  for (const FormatName& known : knownFormats)
    if (known.fourcc == code) return known.name;
  return "";
}

// The fourccs of the pod that the converters take.
std::vector<std::uint32_t> convertibleFourccs(const PodOffer& offer) {
  std::vector<std::uint32_t> codes;
  if (offer.subtype == SPA_MEDIA_SUBTYPE_mjpg) codes.push_back(mjpegFourcc);
  if (offer.subtype == SPA_MEDIA_SUBTYPE_raw)
    for (std::uint32_t spa : offer.formats) codes.push_back(fourccOfSpaFormat(spa));
  codes.erase(std::remove_if(codes.begin(), codes.end(),
                             [](std::uint32_t c) {
                               return c == 0 || pixelLayoutOf(c) == PixelLayout::Unsupported;
                             }),
              codes.end());
  return codes;
}

}  // namespace

std::uint32_t fourccOfSpaFormat(std::uint32_t spaFormat) {
  for (const FormatName& known : knownFormats)
    if (known.spa == spaFormat) return known.fourcc;
  return 0;
}

std::uint32_t spaFormatOfFourcc(std::uint32_t code) {
  for (const FormatName& known : knownFormats)
    if (known.fourcc == code) return known.spa;
  return SPA_VIDEO_FORMAT_UNKNOWN;
}

void appendPodModes(const void* pod, std::size_t length, std::vector<CameraMode>& modes) {
  bool ok = false;
  PodOffer offer = readOffer(pod, length, ok);
  if (!ok) return;
  if (offer.rates.empty()) offer.rates.push_back({0, 0});  // the node names no rate
  for (std::uint32_t code : convertibleFourccs(offer)) {
    for (const Size& size : offer.sizes) {
      for (const Rate& rate : offer.rates) {
        CameraMode mode;
        mode.pixelFormat = code;
        mode.formatName = nameOf(code);
        mode.width = static_cast<int>(size.width);
        mode.height = static_cast<int>(size.height);
        // A variable rate (0/1) counts as no rate.
        mode.intervalNumerator = rate.num == 0 ? 0 : rate.denom;
        mode.intervalDenominator = rate.num;
        const bool known = std::any_of(modes.begin(), modes.end(),
                                       [&mode](const CameraMode& m) { return m.sameAs(mode); });
        if (!known) modes.push_back(mode);
      }
    }
  }
}

const spa_pod* buildFormatPod(const CameraMode& mode, std::uint8_t* buffer, std::size_t size) {
  const bool mjpeg = mode.pixelFormat == mjpegFourcc;
  const std::uint32_t spa = spaFormatOfFourcc(mode.pixelFormat);
  if ((!mjpeg && spa == SPA_VIDEO_FORMAT_UNKNOWN) || mode.width <= 0 || mode.height <= 0)
    return nullptr;
  spa_pod_builder builder;
  spa_pod_builder_init(&builder, buffer, static_cast<std::uint32_t>(size));
  spa_pod_frame frame;
  spa_pod_builder_push_object(&builder, &frame, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat);
  spa_pod_builder_add(&builder, SPA_FORMAT_mediaType, SPA_POD_Id(SPA_MEDIA_TYPE_video),
                      SPA_FORMAT_mediaSubtype,
                      SPA_POD_Id(mjpeg ? SPA_MEDIA_SUBTYPE_mjpg : SPA_MEDIA_SUBTYPE_raw), 0);
  if (!mjpeg) spa_pod_builder_add(&builder, SPA_FORMAT_VIDEO_format, SPA_POD_Id(spa), 0);
  const spa_rectangle dimensions{static_cast<std::uint32_t>(mode.width),
                                 static_cast<std::uint32_t>(mode.height)};
  spa_pod_builder_add(&builder, SPA_FORMAT_VIDEO_size, SPA_POD_Rectangle(&dimensions), 0);
  if (mode.intervalNumerator != 0) {
    const spa_fraction rate{mode.intervalDenominator, mode.intervalNumerator};
    spa_pod_builder_add(&builder, SPA_FORMAT_VIDEO_framerate, SPA_POD_Fraction(&rate), 0);
  } else {
    const spa_fraction any{0, 1}, fastest{1000, 1};
    spa_pod_builder_add(&builder, SPA_FORMAT_VIDEO_framerate,
                        SPA_POD_CHOICE_RANGE_Fraction(&any, &any, &fastest), 0);
  }
  auto* pod = static_cast<const spa_pod*>(spa_pod_builder_pop(&builder, &frame));
  return builder.state.offset <= size ? pod : nullptr;
}
