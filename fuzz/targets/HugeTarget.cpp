// SPDX-License-Identifier: GPL-3.0-or-later
// Every reader on a huge file: the input, a short pattern, is repeated into a
// file of up to 2 MB, and each reader of outside data takes it whole. Run
// under a memory limit and a time limit, this finds what only size brings
// out: a scan that is quadratic in the file, a value copied per key, a
// reader that holds many times the file. The same text is then read as a
// file that fstat says is of any size and kind (a 50 GB file, a FIFO), which
// no disk need hold: each limit refuses what is larger before any read.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "FuzzInput.h"
#include "FuzzTargets.h"
#include "calc/WireTable.h"
#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"
#include "lang/LanguageTable.h"
#include "settings/SettingsRecord.h"
#include "textfile/FileIO.h"
#include "textfile/KeyedTextFile.h"
#include "textfile/Limits.h"

namespace velmora::fuzz {

namespace {

// The largest file the target builds: big enough that a quadratic scan takes
// minutes and a per-key copy gigabytes, small enough for many runs a second.
constexpr std::size_t kMaxHugeBytes = 2u << 20;

// The pattern repeated up to the size, then the tail once (a file that ends
// differently from its body, as most do).
std::string Expand(std::string_view pattern, std::string_view tail, std::size_t size) {
  std::string text;
  if (pattern.empty()) pattern = "E ";
  text.reserve(size + tail.size());
  while (text.size() + pattern.size() <= size) text.append(pattern);
  text.append(tail);
  return text;
}

// The file the injected calls show: an empty device opened in its place,
// the size and kind the input chose, and the text as its bytes.
struct FakeFile {
  std::string_view bytes;
  struct stat st {};
  std::size_t at = 0;
  int reads = 0;
};
thread_local FakeFile* t_fake = nullptr;

int FakeOpen(const char*, int, unsigned) { return ::open("/dev/null", O_RDONLY | O_CLOEXEC); }
int FakeFstat(int, struct stat* st) {
  *st = t_fake->st;
  return 0;
}
std::ptrdiff_t FakeRead(int, void* data, std::size_t size) {
  ++t_fake->reads;
  const std::size_t n = std::min(size, t_fake->bytes.size() - t_fake->at);
  std::memcpy(data, t_fake->bytes.data() + t_fake->at, n);
  t_fake->at += n;
  return static_cast<std::ptrdiff_t>(n);
}

// Reads the text with every limit as a file that claims `claimed` bytes.
void CheckBoundedReads(std::string_view text, long long claimed, std::uint8_t kindPick) {
  static constexpr mode_t kKinds[] = {S_IFREG, S_IFIFO, S_IFCHR, S_IFDIR, S_IFSOCK};
  for (const std::size_t limit : {constants::kMaxSettingsFileBytes, constants::kMaxMaterialFileBytes,
                                  constants::kMaxCoreDatabaseBytes, constants::kMaxTextFileBytes}) {
    FakeFile fake{text};
    fake.st.st_mode = kKinds[kindPick % 5] | 0644;
    fake.st.st_size = static_cast<off_t>(claimed);
    t_fake = &fake;
    FileOps ops;
    ops.open = FakeOpen;
    ops.fstat = FakeFstat;
    ops.read = FakeRead;
    SetFileOpsForTesting(&ops);
    ReadStatus status;
    const auto bytes = ReadWholeFile("/dev/null", limit, OpenMode::ReadOnly, &status);
    SetFileOpsForTesting(nullptr);
    t_fake = nullptr;
    if (!S_ISREG(fake.st.st_mode)) {
      VELMORA_FUZZ_CHECK(status.failure == ReadFailure::NotRegularFile && fake.reads == 0);
    } else if (claimed < 0 || static_cast<unsigned long long>(claimed) > limit) {
      VELMORA_FUZZ_CHECK(!bytes && fake.reads == 0);
    } else if (text.size() <= limit) {
      VELMORA_FUZZ_CHECK(bytes && *bytes == text);
    } else {  // grown past the limit after it was measured
      VELMORA_FUZZ_CHECK(status.failure == ReadFailure::TooLarge && fake.at <= limit + 1);
    }
  }
}

}  // namespace

int FuzzHuge(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  const std::size_t bytes = static_cast<std::size_t>(in.TakeInt(1, static_cast<int>(kMaxHugeBytes)));
  const std::string tail = in.TakeString(64);
  const std::uint8_t claim = in.TakeByte();
  const std::uint8_t kind = in.TakeByte();
  const std::string text = Expand(in.Rest(), tail, bytes);
  // What fstat tells: the true size, one byte more, 50 GB or a negative size.
  const long long sizes[] = {static_cast<long long>(text.size()), static_cast<long long>(text.size()) + 1, 50LL << 30,
                             -1};
  CheckBoundedReads(text, sizes[claim % 4], kind);

  // The core database: every shape listed, the first entries read and removed.
  for (int shape = kShapeE; shape <= kShapeOther; ++shape) {
    const std::vector<std::string> names = ListCoreNames(text, shape);
    for (std::size_t i = 0; i < std::min<std::size_t>(names.size(), 3); ++i) {
      ReadCoreTexts(text, names[i]);
      ReadCoreExtras(text, names[i]);
      VELMORA_FUZZ_CHECK(RemoveCoreRecord(text, names[i]).size() <= text.size());
    }
  }
  // The keyed files: no value is longer than its cut.
  const std::vector<std::string> materials = ParseMaterialList(text);
  for (const std::string& name : materials) VELMORA_FUZZ_CHECK(name.size() <= constants::kMaxValueBytes);
  MaterialRecord material;
  ParseMaterialText(text, material);
  LanguageTable table;
  ParseLanguageText(text, table);
  for (const std::string& slot : table.others) VELMORA_FUZZ_CHECK(slot.size() <= constants::kMaxLanguageTextBytes);
  SettingsRecord settings;
  ParseSettings(text, true, settings);
  VELMORA_FUZZ_CHECK(settings.core.size() <= constants::kMaxValueBytes);
  ParseWireTable(text);
  return 0;
}

}  // namespace velmora::fuzz
