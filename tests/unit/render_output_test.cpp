// Output failures name the file and the system's reason, and never leave a
// half-written file behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "tools/output_file.h"
#include "tools/partial_file.h"

namespace {

namespace fs = std::filesystem;

class RenderOutputTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("render_output_test_" + std::to_string(testing::UnitTest::GetInstance()->random_seed()) +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  static std::string ErrorOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const OutputError& error) {
      return error.what();
    }
    return "no error";
  }

  fs::path folder_;
};

TEST_F(RenderOutputTest, CommittedFileTakesItsNameAndAnAbandonedOneIsRemoved) {
  {
    PartialFile file(folder_ / "done.y4m", "done.y4m");
    file.File().Write("abc", 3);
    EXPECT_EQ(Names(), std::vector<std::string>{"done.y4m.partial"});
    file.Commit();
  }
  { PartialFile(folder_ / "abandoned.y4m", "abandoned.y4m").File().Write("xyz", 3); }
  EXPECT_EQ(Names(), std::vector<std::string>{"done.y4m"});
  std::ifstream in(folder_ / "done.y4m");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "abc");
}

// Named as an existing folder, the frame cannot take its name; the reason is
// the system's, never "Success".
TEST_F(RenderOutputTest, AFolderInTheWayGivesTheSystemsReasonAndLeavesNothing) {
  fs::create_directory(folder_ / "frame-00001.png");
  const std::string error = ErrorOf([&] {
    PartialFile file(folder_ / "frame-00001.png", "out/frame-00001.png");
    file.File().Write("png", 3);
    file.Commit();
  });
  EXPECT_EQ(error.rfind("cannot write out/frame-00001.png: ", 0), 0u) << error;
  EXPECT_EQ(error.find("Success"), std::string::npos) << error;
  EXPECT_GT(error.size(), std::string("cannot write out/frame-00001.png: ").size() + 3) << error;
  EXPECT_EQ(Names(), std::vector<std::string>{"frame-00001.png"});
}

TEST_F(RenderOutputTest, AMissingFolderIsReportedWhenTheFileIsCreated) {
  const std::string error = ErrorOf([&] { PartialFile(folder_ / "no" / "such.png", "no/such.png"); });
  EXPECT_EQ(error, "cannot write no/such.png: " + std::string(std::strerror(ENOENT)));
}

#if !defined(_WIN32)
// A named pipe (like a device) is written in place: renaming a finished file
// over it would replace the pipe its reader is waiting on.
TEST_F(RenderOutputTest, ANamedPipeIsWrittenInPlace) {
  const fs::path pipe = folder_ / "video";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] {
    std::ifstream in(pipe, std::ios::binary);
    received.assign(std::istreambuf_iterator<char>(in), {});
  });
  {
    PartialFile file(pipe, "video");
    file.File().Write("stream", 6);
    file.Commit();
  }
  reader.join();
  EXPECT_EQ(received, "stream");
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_EQ(Names(), std::vector<std::string>{"video"});
}

// A full disk: the failure may surface at the write, the flush or the close,
// and must say "No space left on device" whichever it is.
TEST_F(RenderOutputTest, AFullDeviceGivesTheSystemsReason) {
  OutputFile full("/dev/full", "/dev/full");
  const std::string error = ErrorOf([&] {
    const std::string line(100, 'x');
    full.Write(line.data(), line.size());
    full.Close();
  });
  EXPECT_EQ(error, "cannot write /dev/full: " + std::string(std::strerror(ENOSPC)));
}
#endif

}  // namespace
