// SPDX-License-Identifier: GPL-3.0-or-later
// Every read is bounded: a file is measured on its opened descriptor before
// anything is read or reserved, so a file larger than its limit (a sparse
// file of 50 GB, faked here through fstat) or no regular file costs nothing
// and is told apart from one that cannot be opened.
#include <gtest/gtest.h>

#include <string>

#include "support/TempDir.h"
#include "textfile/FaultInjection.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"

namespace velmora {
namespace {

using test::TempDir;

constexpr long long k50GB = 50LL << 30;

TEST(BoundedRead, SizeAndKindAreCheckedBeforeAnyRead) {
  TempDir dir;
  dir.write("file.txt", "bytes");
  const struct {
    long long size;
    unsigned kind;
    std::size_t limit;
    ReadFailure failure;
    const char* reason;
  } cases[] = {
      {k50GB, S_IFREG, constants::kMaxSettingsFileBytes, ReadFailure::TooLarge, "it is larger than 100,000 bytes"},
      {k50GB, S_IFREG, constants::kMaxMaterialFileBytes, ReadFailure::TooLarge, "it is larger than 10,000 bytes"},
      {3LL << 30, S_IFREG, constants::kMaxCoreDatabaseBytes, ReadFailure::TooLarge,
       "it is larger than 67,108,864 bytes"},
      {10'001, S_IFREG, constants::kMaxMaterialFileBytes, ReadFailure::TooLarge, "it is larger than 10,000 bytes"},
      {10'000, S_IFREG, constants::kMaxMaterialFileBytes, ReadFailure::None, ""},
      {5, S_IFIFO, constants::kMaxTextFileBytes, ReadFailure::NotRegularFile, "it is no regular file"},
      {5, S_IFCHR, constants::kMaxTextFileBytes, ReadFailure::NotRegularFile, "it is no regular file"},
      {-1, S_IFREG, constants::kMaxTextFileBytes, ReadFailure::CannotRead, "Value too large for defined data type"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.size) + " bytes, limit " + std::to_string(c.limit));
    test::FakeStat fake{c.size, c.kind};
    test::ScopedFakeStat installed(fake);
    ReadStatus status;
    const auto bytes = ReadWholeFile("file.txt", c.limit, OpenMode::ReadOnly, &status);
    EXPECT_EQ(status.failure, c.failure);
    EXPECT_EQ(status.Reason(), c.reason);
    EXPECT_EQ(bytes.has_value(), c.failure == ReadFailure::None);
    EXPECT_TRUE(bytes || fake.reads == 0) << "refused before any read";
    EXPECT_EQ(ReasonCannotRead("file.txt", c.limit), bytes ? "it cannot be read" : c.reason);
  }
}

TEST(BoundedRead, AFileGrownPastItsLimitIsRefusedAndAMissingOneToldApart) {
  TempDir dir;
  dir.write("grown.txt", std::string(2000, 'g'));
  test::FakeStat fake{100};  // measured small, then read on past the limit
  {
    test::ScopedFakeStat installed(fake);
    ReadStatus status;
    EXPECT_FALSE(ReadWholeFile("grown.txt", 1000, OpenMode::ReadOnly, &status));
    EXPECT_EQ(status.failure, ReadFailure::TooLarge);
  }
  EXPECT_EQ(ReadWholeFile("grown.txt", 2000), std::string(2000, 'g'));  // exactly the limit
  ReadStatus status;
  EXPECT_FALSE(ReadWholeFile("missing.txt", 2000, OpenMode::ReadOnly, &status));
  EXPECT_EQ(status.failure, ReadFailure::CannotOpen);
  EXPECT_EQ(status.Reason(), "No such file or directory");
}

}  // namespace
}  // namespace velmora
