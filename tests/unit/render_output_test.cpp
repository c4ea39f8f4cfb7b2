// Here on both platforms; how the tool reports output failures on Linux is
// its end-to-end test.
#include <gmock/gmock.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include "tools/native_files.h"
#include "tools/partial_file.h"

namespace {

namespace fs = std::filesystem;
using ::testing::AllOf, ::testing::ElementsAre, ::testing::Gt, ::testing::HasSubstr,
    ::testing::Not, ::testing::SizeIs, ::testing::StartsWith, ::testing::ThrowsMessage;

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

  fs::path folder_;
};

TEST_F(RenderOutputTest, CommittedFileTakesItsNameAndAnAbandonedOneIsRemoved) {
  {
    PartialFile file(folder_ / "done.y4m", "done.y4m");
    file.File().Write("abc", 3);
    // GoogleTest's regular expressions on Windows know no classes or counts.
    const auto fresh_name = [](const std::string& name) {
      const std::string prefix = "done.y4m.", suffix = ".partial";
      if (name.size() != prefix.size() + 10 + suffix.size()) return false;
      if (!name.starts_with(prefix) || !name.ends_with(suffix)) return false;
      return std::all_of(name.begin() + prefix.size(), name.end() - suffix.size(),
                         [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
    };
    EXPECT_THAT(Names(), ElementsAre(::testing::Truly(fresh_name)));
    file.Commit();
  }
  { PartialFile(folder_ / "abandoned.y4m", "abandoned.y4m").File().Write("xyz", 3); }
  EXPECT_EQ(Names(), std::vector<std::string>{"done.y4m"});
  std::ifstream in(folder_ / "done.y4m");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "abc");
}

// Named as an existing folder, the frame cannot take its name: one line with
// the system's reason (never "Success"), and the folder alone is left.
TEST_F(RenderOutputTest, AFolderInTheWayGivesTheSystemsReasonAndLeavesNothing) {
  fs::create_directory(folder_ / "frame-00001.png");
  const std::string prefix = "cannot write out/frame-00001.png: ";
  EXPECT_THAT(([&] {
                PartialFile file(folder_ / "frame-00001.png", "out/frame-00001.png");
                file.File().Write("png", 3);
                file.Commit();
              }),
              ThrowsMessage<OutputError>(AllOf(StartsWith(prefix), SizeIs(Gt(prefix.size() + 3)),
                                               Not(HasSubstr("Success")), Not(HasSubstr("\n")), Not(HasSubstr("\r")))));
  EXPECT_EQ(Names(), std::vector<std::string>{"frame-00001.png"});
  EXPECT_TRUE(fs::is_empty(folder_ / "frame-00001.png"));
}

#if !defined(_WIN32)
// Whatever has the name already, a link above all, is never opened: the
// creation fails as a name taken, and the link's target is neither made nor
// changed.
TEST_F(RenderOutputTest, ExclusiveCreationOpensNothingThatIsThere) {
  {
    std::ofstream(folder_ / "target") << "the user's own";
  }
  fs::create_symlink(folder_ / "target", folder_ / "link");
  fs::create_symlink(folder_ / "made", folder_ / "dangling");
  for (const char* name : {"target", "link", "dangling"}) {
    const NativeOpen opened = CreateExclusive(folder_ / name);
    EXPECT_EQ(opened.file, nullptr) << name;
    EXPECT_TRUE(opened.name_taken) << name;
  }
  std::ifstream in(folder_ / "target");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the user's own");
  EXPECT_FALSE(fs::exists(folder_ / "made"));
}

// Renaming a finished file over a pipe would replace the pipe its reader is
// waiting on.
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
#endif

}  // namespace
