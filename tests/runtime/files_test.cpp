// Whole-file I/O, output files that never replace anything, and the file search, on real
// folders.
#include "runtime/files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <string>
#include <vector>

#include "runtime/posix/wildcard.h"
#include "support/temp_folder.h"

namespace {

using ::testing::ElementsAre;
using testing_support::ReadWholeFile;
using testing_support::TempFolder;
using testing_support::WriteWholeFile;

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  rt::FileSearch search = nullptr;
  for (std::string name = rt::FileSearchFirst(folder + "/*", search); !name.empty();
       name = rt::FileSearchNext(search)) {
    names.push_back(name);
  }
  EXPECT_EQ(search, nullptr) << "a search that ran to its end is closed";
  return names;
}

rt::Bytes BytesOf(std::string_view text) {
  return rt::Bytes(text.begin(), text.end());
}

TEST(WriteNewFile, WritesANewFileAndNeverReplacesAnything) {
  const TempFolder folder;
  const std::string path = folder.File("1.png");
  EXPECT_EQ(rt::WriteNewFile(path, BytesOf("first")), rt::NewFileResult::Written);
  EXPECT_EQ(ReadWholeFile(path), "first");

  EXPECT_EQ(rt::WriteNewFile(path, BytesOf("second")), rt::NewFileResult::NameTaken);
  EXPECT_EQ(ReadWholeFile(path), "first");

  ASSERT_EQ(::mkdir(folder.File("2.png").c_str(), 0755), 0);
  EXPECT_EQ(rt::WriteNewFile(folder.File("2.png"), BytesOf("x")), rt::NewFileResult::NameTaken);

  EXPECT_EQ(rt::WriteNewFile(folder.File("empty.png"), rt::Bytes{}), rt::NewFileResult::Written);
  EXPECT_EQ(ReadWholeFile(folder.File("empty.png")), "");
  // Nothing of the private names stays behind.
  EXPECT_THAT(Names(folder.Path()), ElementsAre("1.png", "empty.png"));
}

TEST(WriteNewFile, FailureLeavesNothingBehind) {
  const TempFolder folder;
  EXPECT_EQ(rt::WriteNewFile(folder.File("missing/1.png"), BytesOf("x")),
            rt::NewFileResult::Failed);
  EXPECT_EQ(rt::WriteNewFile("", BytesOf("x")), rt::NewFileResult::Failed);
  WriteWholeFile(folder.File("file"), "kept");
  EXPECT_EQ(rt::WriteNewFile(folder.File("file/1.png"), BytesOf("x")), rt::NewFileResult::Failed);

  // A disk that fills up halfway: a size limit binds root too.
  struct rlimit saved {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const rt::NewFileResult full = rt::WriteNewFile(folder.File("big.png"), rt::Bytes(5000, 7));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(full, rt::NewFileResult::Failed);
  EXPECT_THAT(Names(folder.Path()), ElementsAre("file"));
  EXPECT_EQ(ReadWholeFile(folder.File("file")), "kept");
}

TEST(ReadWholeFile, GivesAllBytesOrAnEmptyBuffer) {
  const TempFolder folder;
  WriteWholeFile(folder.File("data"), std::string("a\0b", 3));
  WriteWholeFile(folder.File("empty"), "");
  // A named pipe with no writer would block a plain open for ever.
  ASSERT_EQ(::mkfifo(folder.File("pipe").c_str(), 0644), 0);
  EXPECT_EQ(rt::ReadWholeFile(folder.File("data")), (rt::Bytes{'a', 0, 'b'}));
  for (const std::string& path :
       {folder.File("empty"), folder.File("missing"), folder.Path(), std::string()}) {
    EXPECT_TRUE(rt::ReadWholeFile(path).empty()) << path;
  }
}

TEST(FileExists, KnowsFilesFoldersAndLinksOfExactlyThatName) {
  const TempFolder folder;
  WriteWholeFile(folder.File("file"), "x");
  ASSERT_EQ(::symlink("nowhere", folder.File("dangling").c_str()), 0);
  EXPECT_TRUE(rt::FileExists(folder.File("file")));
  EXPECT_TRUE(rt::FileExists(folder.Path()));
  EXPECT_TRUE(rt::FileExists(folder.File("dangling")));
  EXPECT_FALSE(rt::FileExists(folder.File("missing")));
  EXPECT_FALSE(rt::FileExists(folder.File("file/inside")));
  EXPECT_FALSE(rt::FileExists(""));
}

TEST(FileSearch, ListsMatchingFilesSortedSkippingFolders) {
  const TempFolder folder;
  for (const char* name : {"b.png", "a.jpg", ".hidden", "noext", "A.JPG"}) {
    WriteWholeFile(folder.File(name), "x");
  }
  ASSERT_EQ(::mkdir(folder.File("sub.jpg").c_str(), 0755), 0);
  ASSERT_EQ(::symlink(folder.File("sub.jpg").c_str(), folder.File("to-folder").c_str()), 0);
  ASSERT_EQ(::symlink(folder.File("a.jpg").c_str(), folder.File("to-file").c_str()), 0);

  struct Case {
    const char* pattern;
    std::vector<std::string> names;
  };
  const Case cases[] = {
      {"*.*", {".hidden", "A.JPG", "a.jpg", "b.png", "noext", "to-file"}},
      {"*", {".hidden", "A.JPG", "a.jpg", "b.png", "noext", "to-file"}},
      {"*.jpg", {"a.jpg"}},
      {"?.png", {"b.png"}},
      {"noext.*", {"noext"}},
      {"z*", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> found;
    rt::FileSearch search = nullptr;
    for (std::string name = rt::FileSearchFirst(folder.File(c.pattern), search); !name.empty();
         name = rt::FileSearchNext(search)) {
      found.push_back(name);
    }
    EXPECT_EQ(found, c.names) << c.pattern;
    EXPECT_EQ(search, nullptr);
  }

  rt::FileSearch missing = nullptr;
  EXPECT_EQ(rt::FileSearchFirst(folder.File("missing/*.*"), missing), "");
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(rt::FileSearchNext(missing), "");

  // A search closed before its end.
  rt::FileSearch open = nullptr;
  EXPECT_EQ(rt::FileSearchFirst(folder.File("*.*"), open), ".hidden");
  rt::FileSearchClose(open);
  EXPECT_EQ(open, nullptr);
  rt::FileSearchClose(open);
}

TEST(Wildcard, MatchesAsTheFileSearchPromises) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const Case cases[] = {
      {"*.*", "a", true},
      {"*.*", ".x", true},
      {"*.*", "a.b.c", true},
      {"*", "", true},
      {"a*b", "ab", true},
      {"a*b", "aXXb", true},
      {"a*b", "aXXbc", false},
      {"?", "", false},
      {"??", "ab", true},
      {"*.jpg", "a.jpeg", false},
      {"a.*", "a", true},
      {"a.*", "ab", false},
      {"*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rt::posix::MatchesWildcard(c.pattern, c.name), c.matches)
        << c.pattern << " ~ " << c.name;
  }
}

}  // namespace
