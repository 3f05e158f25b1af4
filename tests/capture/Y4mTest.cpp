#include <gtest/gtest.h>

#include <sys/stat.h>

#include <array>
#include <cctype>
#include <fstream>

#include "capture/Y4mReader.h"
#include "capture/Bt601.h"
#include "capture/FrameImage.h"
#include "capture/RecordingSource.h"
#include "capture/Y4mWriter.h"
#include "support/EngineScene.h"

namespace {

// Writes `text` as the whole file and opens it; a cut frame's note on stderr is swallowed.
struct Y4mFile {
  explicit Y4mFile(const std::string& text) {
    std::ofstream(folder.file("clip.y4m"), std::ios::binary) << text;
    testing::internal::CaptureStderr();
    ok = reader.open(folder.file("clip.y4m"), error);
    testing::internal::GetCapturedStderr();
  }
  TemporaryFolder folder;
  Y4mReader reader;
  std::string error;
  bool ok = false;
};

}  // namespace

// Each pixel's Y, U, V as the file holds it, top row first; read within two levels of exact
// BT.601, top row first, each fourth byte 255.
TEST(Y4mReader, ReadsEveryChromaLayoutTopRowFirst) {
  using Yuv = std::array<int, 3>;
  const std::pair<std::string, std::vector<Yuv>> rows[] = {
      {"W4 H2 C420jpeg\nFRAME\n\x10\x10\xEB\xEB\x7E\x7E\x7E\x7E\x80\x80\x80\xF0",
       {{16, 128, 128}, {16, 128, 128}, {235, 128, 240}, {235, 128, 240},
        {126, 128, 128}, {126, 128, 128}, {126, 128, 240}, {126, 128, 240}}},
      {"W4 H1 C422\nFRAME\n\x7E\x7E\x7E\x7E\x80\x80\x80\xF0",
       {{126, 128, 128}, {126, 128, 128}, {126, 128, 240}, {126, 128, 240}}},
      {"W4 H1 C411\nFRAME\n\x7E\x7E\x7E\x7E\x80\xF0", std::vector(4, Yuv{126, 128, 240})},
      {"W9 H1 C411\nFRAME\n\x7E\x7E\x7E\x7E\x7E\x7E\x7E\x7E\x7E\x10\x80\xF0\x20\x50\xF0",  // 3 samples
       {{126, 16, 32}, {126, 16, 32}, {126, 16, 32}, {126, 16, 32}, {126, 128, 80}, {126, 128, 80},
        {126, 128, 80}, {126, 128, 80}, {126, 240, 240}}},
      {"W2 H2 Cmono\nFRAME\n\xEB\xEB\x10\x7E", {{235, 128, 128}, {235, 128, 128}, {16, 128, 128}, {126, 128, 128}}},
      {"W3 H1 C444\nFRAME\n\x51\x29\x91\x5A\xF0\x36\xF0\x6E\x22", {{81, 90, 240}, {41, 240, 110}, {145, 54, 34}}},
      {"W3 H3 C420mpeg2\nFRAME\n" + std::string(9 + 2 * 4, '\x80'), std::vector(9, Yuv{128, 128, 128})},  // rounded up
  };
  for (const auto& [text, yuv] : rows) {
    Y4mFile file("YUV4MPEG2 F30:1 " + text);
    ASSERT_TRUE(file.ok) << text << ": " << file.error;
    std::vector<std::uint8_t> frame(frameBytes(file.reader.header().width, file.reader.header().height) + 1, 0xEE);
    ASSERT_TRUE(file.reader.readFrame(0, frame.data()));
    EXPECT_EQ(frame.back(), 0xEE) << text;
    for (std::size_t i = 0; i < yuv.size(); ++i) {
      const auto expected = bt601Bgr(yuv[i][0], yuv[i][1], yuv[i][2]);
      for (int c = 0; c < 3; ++c) EXPECT_NEAR(frame[4 * i + c], expected[c], 2) << text << " pixel " << i;
      EXPECT_EQ(frame[4 * i + 3], 255);
    }
  }
}

// The file's bytes are what they always were for the same picture: black, white and blue
// over red, green and grey, top row first. The reader's C444 row reads the second row back.
TEST(Y4mWriter, WritesFourFourFourPlanesTopRowFirst) {
  TemporaryFolder folder;
  const std::vector<std::uint8_t> frame{0, 0, 0, 255, 255, 255, 255, 255, 255, 0, 0, 255,
                                        0, 0, 255, 255, 0, 255, 0, 255, 130, 130, 130, 255};
  {
    Y4mWriter writer;
    std::string error;
    ASSERT_TRUE(writer.open(folder.file("out.y4m"), 3, 2, {30, 1}, error)) << error;
    writer.write(frame.data());
    EXPECT_EQ(writer.framesWritten(), 1u);
  }
  EXPECT_EQ(readFile(folder.file("out.y4m")), std::string("YUV4MPEG2 W3 H2 F30:1 Ip A1:1 C444\nFRAME\n"
                               "\x10\xEB\x29\x51\x91\x80"    // Y
                               "\x80\x80\xF0\x5A\x36\x80"    // Cb
                               "\x80\x80\x6E\xF0\x22\x80",   // Cr
                               41 + 18));
}

TEST(Y4mReader, RefusesBadFilesWithAClearErrorAndDropsACutLastFrame) {
  const std::string frame = "FRAME\n" + std::string(6, '\x80');
  const std::pair<std::string, const char*> rows[] = {
      {"", "truncated or overlong header"},
      {"YUV4MPEG2 X" + std::string(5000, 'x') + "\n", "overlong"},
      {"RIFF W2 H2 F25:1\n", "not a YUV4MPEG2 file"},
      {"YUV4MPEG2 W2 H2\nFRAME\n", "lacks"},
      {"YUV4MPEG2 W2 H99999 F25:1\n", "bad frame height"},
      {"YUV4MPEG2 W2 H2 F241:1\n", "bad frame rate"},  // one above the fastest
      {"YUV4MPEG2 W2 H2 F25:1 C420p10\n", "unknown colour space"},
      {"YUV4MPEG2 W2 H2 F25:1\nFRAME\n\x80", "no complete frame"},
      {"YUV4MPEG2 W2 H2 F25:1\n" + frame + "FRAMES\n" + frame.substr(6), "bad frame header at frame 2"},
      {"YUV4MPEG2 W2 H2 F25:1\n" + frame + frame + "FRA", ""},  // the cut third frame is dropped
      {"YUV4MPEG2 W2 H2 F25:1\r\nFRAME\r\n" + frame.substr(6) + "FRAME\r\n" + frame.substr(6), ""},
      {"YUV4MPEG2 W2 H2 F25:1\n" + frame + frame + "\r\n", ""},  // a newline after the last
      // Header bytes in a message are cut short and escaped.
      {"YUV4MPEG2 W\x1b[2J\x1b]0;x\x07 H2 F25:1\n", "'W\\x1b[2J\\x1b]0;x\\x07'"},
      {std::string("YUV4MPEG2 W2 H2 F25:1 C4\0" "20\n", 28), "'4\\x0020' (420jpeg"},
      {"YUV4MPEG2 W2 H2 F" + std::string(300, '9') + "\n", "'F999999999999999...' (1"},
  };
  for (const auto& [text, expected] : rows) {
    Y4mFile file(text);
    EXPECT_EQ(file.ok, *expected == '\0') << text.substr(0, 40) << ": " << file.error;
    EXPECT_NE(file.error.find(expected), std::string::npos) << file.error;
    if (file.ok) { EXPECT_EQ(file.reader.frameCount(), 2u); }
    for (const char c : file.error) ASSERT_TRUE(std::isprint(static_cast<unsigned char>(c))) << file.error;
  }
}

TEST(Y4mReader, AnythingButARegularFileIsRefusedAtOnce) {
  TemporaryFolder folder;
  ASSERT_EQ(::mkfifo(folder.file("pipe.y4m").c_str(), 0600), 0);  // would block an open
  const std::pair<std::filesystem::path, const char*> cases[] = {
      {folder.file("absent.y4m"), "(No such file or directory)"},
      {folder.path, "(Is a directory)"},
      {folder.file("pipe.y4m"), "(Not a regular file)"},
  };
  for (const auto& [path, expected] : cases) {
    Y4mReader reader;
    std::string error;
    EXPECT_FALSE(reader.open(path, error));
    EXPECT_NE(error.find(expected), std::string::npos) << error;
  }
}

// What the recorded camera tells of its stream reaches the game through the recording.
TEST(RecordingSource, PassesOnALostStreamAndTheFramesDropped) {
  struct Camera final : FrameSource {
    FrameFormat format() const override { return {4, 2}; }
    CaptureError start(FrameSink&) override { return CaptureError::None; }
    void stop() override {}
    bool streamLost() const override { return true; }
    std::uint64_t droppedFrames() const override { return 7; }
  };
  RecordingSource recording(std::make_unique<Camera>(), std::make_shared<Y4mWriter>());
  EXPECT_TRUE(recording.streamLost());
  EXPECT_EQ(recording.droppedFrames(), 7u);
}
