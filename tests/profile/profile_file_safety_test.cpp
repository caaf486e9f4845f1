// A write either replaces the whole file or leaves it exactly as it was.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/posix/profile/profile_file_reader.h"
#include "runtime/profile.h"
#include "temp_folder.h"

namespace profile_test {
namespace {

constexpr std::string_view kOldContent = "[S]\r\nK=old\r\n";

mode_t PermissionBits(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info.st_mode & 07777;
}

TEST(ProfileFileSafety, WriteFailsWhenFolderIsMissing) {
  const TempFolder folder;
  const std::string path = folder.PathOf("missing/config.ini");

  EXPECT_FALSE(rt::WriteProfileValue("S", "K", "v", path));

  EXPECT_TRUE(FolderEntries(folder.Path()).empty());
}

TEST(ProfileFileSafety, FolderAtPathIsNeitherReadNorWritten) {
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  std::filesystem::create_directory(path);

  EXPECT_FALSE(rt::WriteProfileValue("S", "K", "v", path));
  EXPECT_EQ(ReadInto(16, "S", "K", "dflt", path).buffer.substr(0, 5), std::string("dflt\0", 5));

  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_TRUE(FolderEntries(path).empty());
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"config.ini"});
}

TEST(ProfileFileSafety, WriteFailsWhenParentIsAFile) {
  const TempFolder folder;
  const std::string parent = folder.PathOf("not-a-folder");
  WriteFileBytes(parent, kOldContent);

  EXPECT_FALSE(rt::WriteProfileValue("S", "K", "v", parent + "/config.ini"));

  EXPECT_EQ(ReadFileBytes(parent), std::string(kOldContent));
}

// Root ignores permission bits, so the layer itself must refuse a file nobody may write.
TEST(ProfileFileSafety, WriteRefusesReadOnlyFile) {
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  WriteFileBytes(path, kOldContent);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);

  EXPECT_FALSE(rt::WriteProfileValue("S", "K", "new", path));

  EXPECT_EQ(ReadFileBytes(path), std::string(kOldContent));
  EXPECT_EQ(PermissionBits(path), 0444u);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"config.ini"});
}

TEST(ProfileFileSafety, RewriteKeepsPermissionsAndOwner) {
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  WriteFileBytes(path, kOldContent);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  // Only root can hand a file to another owner, and only then can the owner be checked.
  const bool canChangeOwner = ::geteuid() == 0;
  if (canChangeOwner) {
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
  }

  ASSERT_TRUE(rt::WriteProfileValue("S", "K", "new", path));

  EXPECT_EQ(ReadFileBytes(path), std::string("[S]\r\nK=new\r\n"));
  EXPECT_EQ(PermissionBits(path), 0640u);
  if (canChangeOwner) {
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4322u);
  }
}

// Caps the size of files this process writes, as a nearly full disk would, until it goes away.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : previousHandler_(std::signal(SIGXFSZ, SIG_IGN)) {
    EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &saved_), 0);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousHandler_);
  }

 private:
  void (*previousHandler_)(int);
  rlimit saved_{};
};

TEST(ProfileFileSafety, WriteCutShortLeavesOldFileAndNoLeftovers) {
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  WriteFileBytes(path, kOldContent);

  {
    const FileSizeLimit limit(4096);
    EXPECT_FALSE(rt::WriteProfileValue("S", "K", std::string(8192, 'x'), path));
  }

  EXPECT_EQ(ReadFileBytes(path), std::string(kOldContent));
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"config.ini"});
}

TEST(ProfileFileSafety, WritesThroughSymlink) {
  const TempFolder folder;
  std::filesystem::create_directory(folder.PathOf("real"));
  std::filesystem::create_directory(folder.PathOf("program"));
  const std::string target = folder.PathOf("real/config.ini");
  const std::string link = folder.PathOf("program/config.ini");
  WriteFileBytes(target, kOldContent);
  std::filesystem::create_symlink("../real/config.ini", link);

  ASSERT_TRUE(rt::WriteProfileValue("S", "K", "new", link));

  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadFileBytes(target), std::string("[S]\r\nK=new\r\n"));
  EXPECT_EQ(FolderEntries(folder.PathOf("real")), std::vector<std::string>{"config.ini"});
}

TEST(ProfileFileSafety, OversizedFileIsNeitherReadNorWritten) {
  const TempFolder folder;
  const std::string path = folder.PathOf("config.ini");
  WriteFileBytes(path, kOldContent);
  const auto oversized = static_cast<std::uintmax_t>(rt::profile::kMaxProfileFileBytes) + 1;
  std::filesystem::resize_file(path, oversized);  // sparse: cheap to make

  EXPECT_FALSE(rt::WriteProfileValue("S", "K", "new", path));
  EXPECT_EQ(ReadInto(16, "S", "K", "dflt", path).count, 4u);

  EXPECT_EQ(std::filesystem::file_size(path), oversized);
  EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"config.ini"});
}

}  // namespace
}  // namespace profile_test
