#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "system/SysInstance.h"

namespace {

// A folder tree of its own under /tmp, removed again at the end.
class InstanceLock : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/vorlumen-lock-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
  }
  void TearDown() override {
    for (auto it = made.rbegin(); it != made.rend(); ++it) rmdir(it->c_str());
    rmdir(root.c_str());
  }
  std::string MakeDir(const std::string& relative) {
    std::string path = root;
    std::size_t from = 0;
    while (from <= relative.size()) {
      const std::size_t slash = relative.find('/', from);
      const std::size_t end = slash == std::string::npos ? relative.size() : slash;
      path += "/" + relative.substr(from, end - from);
      if (mkdir(path.c_str(), 0755) == 0) made.push_back(path);
      from = end + 1;
    }
    return path;
  }
  std::string root;
  std::vector<std::string> made;
};

TEST_F(InstanceLock, OneCopyPerFolderAndTheLockGoesWithItsHolder) {
  const std::string dir = MakeDir("game");
  CInstanceLock first, second;
  ASSERT_TRUE(first.Acquire(dir));
  EXPECT_FALSE(second.Acquire(dir));
  EXPECT_FALSE(second.Acquire(dir + "/"));            // the same folder spelled otherwise
  EXPECT_FALSE(second.Acquire(dir + "/../game"));
  first.Release();
  EXPECT_TRUE(second.Acquire(dir));
}

TEST_F(InstanceLock, LongFoldersThatDifferOnlyAtTheEndDoNotCollide) {
  // Both paths run far past what a socket address holds.
  const std::string shared =
      "a-rather-long-folder-name-for-games/another-long-folder-name-inside-it/"
      "and-one-more-to-be-sure-it-is-long";
  const std::string one = MakeDir(shared + "/copy-1");
  const std::string two = MakeDir(shared + "/copy-2");
  ASSERT_GT(one.size(), 120u);
  CInstanceLock first, second, again;
  ASSERT_TRUE(first.Acquire(one));
  EXPECT_TRUE(second.Acquire(two));
  EXPECT_FALSE(again.Acquire(one));
  EXPECT_FALSE(again.Acquire(two));
}

}  // namespace
