#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "capture/FrameImage.h"
#include "capture/Y4mReader.h"
#include "capture/Y4mWriter.h"
#include "capture/YuvConvert.h"
#include "support/EngineScene.h"

namespace {

// Writes `text` as the whole file and opens it.
struct Y4mFile {
  explicit Y4mFile(const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
    ok = reader.open(path, error);
  }
  TemporaryFolder folder;
  std::filesystem::path path = folder.file("clip.y4m");
  Y4mReader reader;
  std::string error;
  bool ok = false;
};

std::string planes(std::size_t bytes, char value) { return std::string(bytes, value); }

std::vector<std::uint8_t> bgrOf(int y, int cb, int cr) {
  std::vector<std::uint8_t> bgr(3);
  yuvToBgr(y, cb, cr, bgr.data());
  return bgr;
}

}  // namespace

TEST(YuvConvert, LimitedRangeEndsAndGrey) {
  EXPECT_EQ(bgrOf(16, 128, 128), (std::vector<std::uint8_t>{0, 0, 0}));
  EXPECT_EQ(bgrOf(235, 128, 128), (std::vector<std::uint8_t>{255, 255, 255}));
  EXPECT_EQ(bgrOf(126, 128, 128), (std::vector<std::uint8_t>{128, 128, 128}));
  EXPECT_EQ(bgrOf(0, 0, 255), (std::vector<std::uint8_t>{0, 0, 184}));  // clamped, not wrapped
  const std::uint8_t white[3] = {255, 255, 255};
  EXPECT_EQ(bgrToYuv(white).y, 235);
  EXPECT_EQ(bgrToYuv(white).cb, 128);
  EXPECT_EQ(bgrToYuv(white).cr, 128);
}

TEST(YuvConvert, EveryColourSurvivesTheRoundTripWithinRounding) {
  int worst = 0;
  for (int b = 0; b < 256; b += 5)
    for (int g = 0; g < 256; g += 5)
      for (int r = 0; r < 256; r += 5) {
        const std::uint8_t in[3] = {static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
                                    static_cast<std::uint8_t>(r)};
        const Yuv yuv = bgrToYuv(in);
        std::uint8_t out[3];
        yuvToBgr(yuv.y, yuv.cb, yuv.cr, out);
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(out[c] - in[c]));
      }
  EXPECT_LE(worst, 3);
}

TEST(Y4mReader, Reads420AsBottomUpBgrWithSharedChroma) {
  // 4 × 2 picture: luma rows 16… and 235…, one chroma sample per 2 × 2 block.
  const std::string luma = "\x10\x10\xEB\xEB" "\x10\x10\xEB\xEB";
  Y4mFile file("YUV4MPEG2 W4 H2 F30:1 Ip A1:1 C420jpeg\nFRAME\n" + luma + "\x80\x80" + "\x80\xF0");
  ASSERT_TRUE(file.ok) << file.error;
  EXPECT_EQ(file.reader.frameCount(), 1u);
  EXPECT_DOUBLE_EQ(file.reader.header().rate.perSecond(), 30.0);
  std::vector<std::uint8_t> bgr(frameBytes(4, 2));
  ASSERT_TRUE(file.reader.readFrame(0, bgr.data()));
  // Bottom row first: it is the file's second row, the same as the first here.
  EXPECT_EQ(std::vector<std::uint8_t>(bgr.begin(), bgr.begin() + 3), bgrOf(16, 128, 128));
  EXPECT_EQ(std::vector<std::uint8_t>(bgr.begin() + 6, bgr.begin() + 9), bgrOf(235, 128, 240));
  EXPECT_EQ(std::vector<std::uint8_t>(bgr.begin() + 9, bgr.begin() + 12), bgrOf(235, 128, 240));
}

TEST(Y4mReader, EverySitingOf420And444MonoAndNoColourTagAreRead) {
  for (const char* chroma : {"", " C420", " C420jpeg", " C420paldv", " C420mpeg2"}) {
    Y4mFile file(std::string("YUV4MPEG2 W2 H2 F25:1") + chroma + "\nFRAME\n" + planes(6, '\x80'));
    EXPECT_TRUE(file.ok) << chroma << ": " << file.error;
  }
  Y4mFile mono("YUV4MPEG2 W2 H2 F25:1 Cmono\nFRAME\n\xEB\xEB\x10\x10");
  ASSERT_TRUE(mono.ok) << mono.error;
  std::vector<std::uint8_t> bgr(12);
  ASSERT_TRUE(mono.reader.readFrame(0, bgr.data()));
  EXPECT_EQ(bgr, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 255}));
  Y4mFile odd("YUV4MPEG2 W3 H3 F25:1 C420\nFRAME\n" + planes(9 + 2 * 4, '\x80'));
  EXPECT_TRUE(odd.ok) << "odd sizes round the chroma planes up: " << odd.error;
}

TEST(Y4mReader, Reads422And411WithChromaSharedAlongTheRow) {
  // 4 × 1 pictures: 4:2:2 has two chroma samples, 4:1:1 one.
  Y4mFile wide("YUV4MPEG2 W4 H1 F30:1 C422\nFRAME\n" + planes(4, '\x7E') + "\x80\x80" + "\x80\xF0");
  ASSERT_TRUE(wide.ok) << wide.error;
  std::vector<std::uint8_t> bgr(12);
  ASSERT_TRUE(wide.reader.readFrame(0, bgr.data()));
  EXPECT_EQ(std::vector<std::uint8_t>(bgr.begin() + 3, bgr.begin() + 6), bgrOf(126, 128, 128));
  EXPECT_EQ(std::vector<std::uint8_t>(bgr.begin() + 6, bgr.begin() + 9), bgrOf(126, 128, 240));
  Y4mFile narrow("YUV4MPEG2 W4 H1 F30:1 C411\nFRAME\n" + planes(4, '\x7E') + "\x80" + "\xF0");
  ASSERT_TRUE(narrow.ok) << narrow.error;
  ASSERT_TRUE(narrow.reader.readFrame(0, bgr.data()));
  EXPECT_EQ(std::vector<std::uint8_t>(bgr.begin(), bgr.begin() + 3), bgrOf(126, 128, 240));
  EXPECT_EQ(std::vector<std::uint8_t>(bgr.begin() + 9, bgr.begin() + 12), bgrOf(126, 128, 240));
}

TEST(Y4mRecording, ReplaysTheRecordedFramesWithinColourRounding) {
  TemporaryFolder folder;
  const auto path = folder.file("run.y4m");
  std::vector<std::vector<std::uint8_t>> frames;
  for (int k = 0; k < 3; ++k) {
    std::vector<std::uint8_t> frame(frameBytes(5, 3));
    for (std::size_t i = 0; i < frame.size(); ++i) frame[i] = static_cast<std::uint8_t>(i * 37 + k * 91);
    frames.push_back(frame);
  }
  {
    Y4mWriter writer;
    std::string error;
    ASSERT_TRUE(writer.open(path, 5, 3, {30000, 1001}, error)) << error;
    for (const auto& frame : frames) writer.write(frame.data());
    EXPECT_EQ(writer.framesWritten(), 3u);
  }
  Y4mReader reader;
  std::string error;
  ASSERT_TRUE(reader.open(path, error)) << error;
  EXPECT_EQ(reader.header().chroma, Y4mChroma::Yuv444);
  EXPECT_EQ(reader.header().rate.numerator, 30000u);
  EXPECT_EQ(reader.header().rate.denominator, 1001u);
  ASSERT_EQ(reader.frameCount(), 3u);
  std::vector<std::uint8_t> back(frameBytes(5, 3));
  for (std::size_t k = 0; k < 3; ++k) {
    ASSERT_TRUE(reader.readFrame(k, back.data()));
    for (std::size_t i = 0; i < back.size(); ++i)
      ASSERT_LE(std::abs(back[i] - frames[k][i]), 3) << "frame " << k << " byte " << i;
  }
}

TEST(Y4mReader, TruncatedLastFrameIsDroppedWithANote) {
  const std::string frame = "FRAME\n" + planes(6, '\x80');
  for (const std::string& tail : {frame.substr(0, 9), frame.substr(0, 3), std::string("FRAME")}) {
    testing::internal::CaptureStderr();
    Y4mFile file("YUV4MPEG2 W2 H2 F25:1\n" + frame + frame + tail);
    const std::string note = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(file.ok) << file.error;
    EXPECT_EQ(file.reader.frameCount(), 2u);
    EXPECT_NE(note.find("truncated"), std::string::npos) << note;
  }
}

struct BadFile {
  const char* what;
  std::string text;
  const char* expected;  // part of the error
};

void PrintTo(const BadFile& file, std::ostream* out) { *out << file.what; }

class Y4mBadInput : public testing::TestWithParam<BadFile> {};

TEST_P(Y4mBadInput, IsRefusedWithAClearError) {
  testing::internal::CaptureStderr();  // a cut frame is also noted there
  Y4mFile file(GetParam().text);
  testing::internal::GetCapturedStderr();
  EXPECT_FALSE(file.ok);
  EXPECT_NE(file.error.find(GetParam().expected), std::string::npos) << file.error;
  for (const char c : file.error)
    ASSERT_TRUE(std::isprint(static_cast<unsigned char>(c))) << file.error;
}

INSTANTIATE_TEST_SUITE_P(
    Y4m, Y4mBadInput,
    testing::Values(
        BadFile{"empty", "", "truncated or overlong header"},
        BadFile{"no newline", "YUV4MPEG2 W2 H2 F25:1", "truncated or overlong header"},
        BadFile{"overlong", "YUV4MPEG2 X" + std::string(5000, 'x') + "\n", "overlong"},
        BadFile{"not y4m", "RIFF W2 H2 F25:1\n", "not a YUV4MPEG2 file"},
        BadFile{"no width", "YUV4MPEG2 H2 F25:1\nFRAME\n", "lacks"},
        BadFile{"no rate", "YUV4MPEG2 W2 H2\nFRAME\n", "lacks"},
        BadFile{"zero width", "YUV4MPEG2 W0 H2 F25:1\n", "bad frame width"},
        BadFile{"fractional width", "YUV4MPEG2 W3.5 H2 F25:1\n", "bad frame width"},
        BadFile{"huge height", "YUV4MPEG2 W2 H99999 F25:1\n", "bad frame height"},
        BadFile{"zero rate", "YUV4MPEG2 W2 H2 F0:1\n", "bad frame rate"},
        BadFile{"zero denominator", "YUV4MPEG2 W2 H2 F25:0\n", "bad frame rate"},
        BadFile{"absurd rate", "YUV4MPEG2 W2 H2 F100000:1\n", "bad frame rate"},
        BadFile{"unknown colours", "YUV4MPEG2 W2 H2 F25:1 C420p10\n", "unknown colour space"},
        BadFile{"escape codes", "YUV4MPEG2 W\x1b[2J\x1b]0;x\x07 H2 F25:1\n",
                "'W\\x1b[2J\\x1b]0;x\\x07'"},
        BadFile{"embedded nul", std::string("YUV4MPEG2 W2 H2 F25:1 C4\0" "20\n", 28),
                "'4\\x0020' (420jpeg"},
        BadFile{"long word", "YUV4MPEG2 W2 H2 F" + std::string(300, '9') + "\n",
                "'F999999999999999...' (1"},
        BadFile{"no frame", "YUV4MPEG2 W2 H2 F25:1\n", "no complete frame"},
        BadFile{"only a cut frame", "YUV4MPEG2 W2 H2 F25:1\nFRAME\n\x80", "no complete frame"},
        BadFile{"bad frame header", "YUV4MPEG2 W2 H2 F25:1\nFRAME\n" + planes(6, 1) + "FRAMES\n" + planes(6, 1),
                "bad frame header at frame 2"}),
    [](const testing::TestParamInfo<BadFile>& info) {
      std::string name = info.param.what;
      for (char& c : name)
        if (c == ' ') c = '_';
      return name;
    });

TEST(Y4mReader, AnythingButARegularFileIsRefusedAtOnce) {
  TemporaryFolder folder;
  ASSERT_EQ(::mkfifo(folder.file("pipe.y4m").c_str(), 0600), 0);  // would block an open
  const std::pair<std::filesystem::path, const char*> cases[] = {
      {folder.file("absent.y4m"), "cannot open the file (No such file or directory)"},
      {folder.path, "(Is a directory)"},
      {folder.file("pipe.y4m"), "(Not a regular file)"},
      {"/dev/zero", "(Not a regular file)"},
  };
  for (const auto& [path, expected] : cases) {
    Y4mReader reader;
    std::string error;
    EXPECT_FALSE(reader.open(path, error));
    EXPECT_NE(error.find(expected), std::string::npos) << error;
  }
}

TEST(Y4mReader, CrlfLinesAndANewlineAfterTheLastFrameAreRead) {
  const std::string planes6 = planes(6, '\x80');
  const std::string files[] = {
      "YUV4MPEG2 W2 H2 F25:1\r\nFRAME\r\n" + planes6 + "FRAME\r\n" + planes6,
      "YUV4MPEG2 W2 H2 F25:1\nFRAME\n" + planes6 + "FRAME\n" + planes6 + "\n",
      "YUV4MPEG2 W2 H2 F25:1\r\nFRAME\r\n" + planes6 + "FRAME\r\n" + planes6 + "\r\n",
  };
  for (const std::string& text : files) {
    Y4mFile file(text);
    ASSERT_TRUE(file.ok) << file.error;
    EXPECT_EQ(file.reader.frameCount(), 2u);
  }
}
