// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of every file the user names as an output: the name written, the
// exact match of names, the input never replaced, the reason of a failure.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "support/TempDir.h"
#include "textfile/FaultInjection.h"
#include "textfile/OutputFile.h"

namespace velmora {
namespace {

TEST(OutputFile, NameWritten) {
  struct Case {
    const char* typed;
    const char* written;
  } const cases[] = {
      {"report", "report.pdf"},
      {"report.pdf", "report.pdf"},
      {"REPORT.PDF", "REPORT.PDF"},
      {"r.htm", "r.htm"},
      {"r.HTML", "r.HTML"},
      {".pdf", ".pdf.pdf"},
      {"dir.pdf/plot", "dir.pdf/plot.pdf"},
      {"plot.png", "plot.png.pdf"},
  };
  for (const Case& c : cases) EXPECT_EQ(OutputName(c.typed, {".pdf", ".html", ".htm"}, ".pdf"), c.written) << c.typed;
}

// Each case: the files there before, the name written, the inputs; then
// whether the write succeeds and which files hold what.
TEST(OutputFile, NamesMatchedExactlyAndInputsKept) {
  struct Case {
    const char* existing;  // holds "old"
    const char* target;
    const char* input;  // "" for none
    bool written;
  } const cases[] = {
      {"notes.pdf", "Notes.pdf", "", true},            // a new file beside the old one
      {"отчёт.html", "ОТЧЁТ.html", "", true},          // Cyrillic letter case too
      {"same.html", "same.html", "same.html", false},  // the input itself
      {"same.html", "same.html", "SAME.html", false},  // the input as the data files find it
      {"same.html", "same.html", "link.html", false},  // through a link
      {"other.html", "same.html", "other.html", true},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    dir.write(c.existing, "old");
    ASSERT_EQ(::symlink(c.existing, (dir.path() + "/link.html").c_str()), 0);
    const std::vector<std::string> inputs =
        *c.input ? std::vector<std::string>{dir.path() + "/" + c.input} : std::vector<std::string>{};
    const WriteStatus status = WriteOutputFile(dir.path() + "/" + c.target, "new", inputs);
    EXPECT_EQ(status.ok(), c.written) << c.target << " " << status.Reason();
    if (c.written) {
      EXPECT_EQ(dir.read(c.target), "new") << c.target;
    } else {
      EXPECT_NE(status.Reason().find("made from"), std::string::npos);
    }
    if (std::string(c.existing) != c.target || !c.written) {
      EXPECT_EQ(dir.read(c.existing), "old") << c.target;
    }
  }
}

TEST(OutputFile, FailuresTellTheirReason) {
  test::TempDir dir;
  ASSERT_EQ(::mkdir((dir.path() + "/folder.pdf").c_str(), 0755), 0);
  struct Case {
    std::string target;
    const char* reason;
  } const cases[] = {
      {dir.path() + "/missing/r.pdf", "No such file or directory"},
      {dir.path() + "/folder.pdf", "Is a directory"},
      {dir.path() + "/r.pdf/", "Is a directory"},
      {dir.path() + "/" + std::string(256, 'x'), "File name too long"},
  };
  for (const Case& c : cases) EXPECT_EQ(WriteOutputFile(c.target, "x").Reason(), c.reason) << c.target;

  // A disk that runs full while the temporary file is written.
  test::FaultPlan plan;
  plan.diskSpace = 1;
  {
    test::ScopedFaults faults(plan);
    EXPECT_EQ(WriteOutputFile(dir.path() + "/full.pdf", "more than one byte").Reason(), "No space left on device");
  }
  EXPECT_FALSE(dir.exists("full.pdf"));
}

// Names up to a folder entry's length are written, also when the temporary
// file's tail would make them longer; the cut never splits a character.
TEST(OutputFile, LongestNamesWritten) {
  test::TempDir dir;
  for (const std::string& name :
       {std::string(251, 'a') + ".pdf", std::string(120, 'b') + "\xD0\xB6" + ".html" + std::string(128, 'c')}) {
    ASSERT_LE(name.size(), 255u);
    const WriteStatus status = WriteOutputFile(dir.path() + "/" + name, "x");
    EXPECT_TRUE(status.ok()) << name.size() << " " << status.Reason();
    EXPECT_EQ(dir.read(name), "x");
  }
}

TEST(OutputFile, ExistsForAnythingOfThatName) {
  test::TempDir dir;
  dir.write("a.pdf", "x");
  ASSERT_EQ(::symlink("nowhere", (dir.path() + "/dangling.pdf").c_str()), 0);
  EXPECT_TRUE(OutputExists(dir.path() + "/a.pdf"));
  EXPECT_TRUE(OutputExists(dir.path() + "/dangling.pdf"));
  EXPECT_FALSE(OutputExists(dir.path() + "/A.pdf"));  // no letter-case lookup
  EXPECT_FALSE(OutputExists(""));
}

}  // namespace
}  // namespace velmora
