// SPDX-License-Identifier: GPL-3.0-or-later
// A file is measured on its opened descriptor before anything is read: one
// larger than its limit (50 GB, faked through fstat) or no regular file is
// refused unread, with its own reason.
#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "textfile/FaultInjection.h"
#include "textfile/Limits.h"

namespace velmora {
namespace {

TEST(BoundedRead, SizeAndKindAreCheckedBeforeAnyRead) {
  test::TempDir dir;
  dir.write("file.txt", "bytes");
  const struct {
    long long size;
    unsigned kind;
    std::size_t limit;
    ReadFailure failure;
    const char* reason;
  } cases[] = {
      {50LL << 30, S_IFREG, constants::kMaxSettingsFileBytes, ReadFailure::TooLarge, "it is larger than 100,000 bytes"},
      {3LL << 30, S_IFREG, constants::kMaxCoreDatabaseBytes, ReadFailure::TooLarge,
       "it is larger than 67,108,864 bytes"},
      {10'001, S_IFREG, constants::kMaxMaterialFileBytes, ReadFailure::TooLarge, "it is larger than 10,000 bytes"},
      {10'000, S_IFREG, constants::kMaxMaterialFileBytes, ReadFailure::None, ""},
      {3, S_IFREG, 4, ReadFailure::TooLarge, "it is larger than 4 bytes"},  // grown past the limit while read
      {5, S_IFIFO, constants::kMaxTextFileBytes, ReadFailure::NotRegularFile, "it is no regular file"},
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
    EXPECT_TRUE(c.size == 3 || bytes || fake.reads == 0) << "refused before any read";
    EXPECT_EQ(ReasonCannotRead("file.txt", c.limit), bytes || c.size == 3 ? "it cannot be read" : c.reason);
  }
}

}  // namespace
}  // namespace velmora
