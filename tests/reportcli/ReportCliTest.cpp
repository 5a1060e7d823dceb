// SPDX-License-Identifier: GPL-3.0-or-later
// velmora-cli report end to end: the report of the design `calc` shows, as
// PDF and HTML, with the same numbers.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/ShellRun.h"
#include "support/TempDir.h"

namespace velmora::test {
namespace {

class ReportCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    data.copyShippedData();
    std::filesystem::create_directory(dir.path() + "/out");
  }

  CliRun Cli(const std::vector<std::string>& args) {
    std::string cmd = "cd " + Quote(dir.path() + "/out") + " && XDG_DATA_HOME=" + Quote(dir.path() + "/none") +
                      " SOURCE_DATE_EPOCH=86400 " + Quote(VELMORA_CLI) + " --dir " + Quote(data.path());
    for (const auto& a : args) cmd += " " + Quote(a);
    return RunShell(cmd, dir);
  }

  // The window's result labels from calc --json, by control ID.
  std::vector<std::pair<std::string, std::string>> ResultLabels(const std::vector<std::string>& design) {
    std::vector<std::string> args{"calc"};
    args.insert(args.end(), design.begin(), design.end());
    args.push_back("--json");
    const CliRun calc = Cli(args);
    EXPECT_EQ(calc.exit, 0) << calc.err;
    std::vector<std::pair<std::string, std::string>> labels;
    for (const char* id : {"1040", "1051", "1056", "1052", "1071", "1105", "1002", "1049", "1050", "1076", "1113",
                           "1008", "1132", "1148"}) {
      std::smatch m;
      const std::regex re(std::string("\"") + id + "\": \"([^\"]*)\"");
      EXPECT_TRUE(std::regex_search(calc.out, m, re)) << id;
      labels.emplace_back(id, m[1].str());
    }
    return labels;
  }

  TempDir dir;  // the current folder of the test program; the command runs in out/
  TempDir data;
};

const std::vector<std::string> kDesign = {"--set", "core=E 30/15/7", "--set",      "L=47",
                                          "--set", "Inom=6",         "--set",      "Fc=150",
                                          "--set", "zazor=0.4",      "--material", "3C95 Ferroxcube"};

TEST_F(ReportCliTest, HtmlAndPdfHoldCalcsNumbers) {
  const auto labels = ResultLabels(kDesign);
  std::vector<std::string> args{"report"};
  args.insert(args.end(), kDesign.begin(), kDesign.end());
  std::vector<std::string> html = args, pdf = args;
  html.insert(html.end(), {"-o", "r.html"});
  pdf.insert(pdf.end(), {"-o", "sub.pdf"});
  // Relative names are the current folder's, not the data folder's.
  const CliRun h = Cli(html), p = Cli(pdf);
  ASSERT_EQ(h.exit, 0) << h.err;
  ASSERT_EQ(p.exit, 0) << p.err;
  EXPECT_TRUE(h.err.empty()) << h.err;
  ASSERT_TRUE(dir.exists("out/r.html"));
  ASSERT_TRUE(dir.exists("out/sub.pdf"));
  EXPECT_FALSE(data.exists("r.html"));
  const std::string text = dir.read("out/r.html");
  for (const auto& [id, value] : labels) {
    ASSERT_FALSE(value.empty()) << id;
    EXPECT_NE(text.find("<b>" + value + "</b>"), std::string::npos) << id << " " << value;
  }
  EXPECT_NE(text.find("E 30/15/7"), std::string::npos);
  EXPECT_NE(text.find("3C95 Ferroxcube"), std::string::npos);
  EXPECT_NE(text.find("1970-01-02 00:00"), std::string::npos);  // SOURCE_DATE_EPOCH
  EXPECT_EQ(dir.read("out/sub.pdf").rfind("%PDF-", 0), 0u);
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext is not installed";
  ASSERT_EQ(std::system(("pdftotext -enc UTF-8 " + Quote(dir.path() + "/out/sub.pdf")).c_str()), 0);
  const std::string pdfText = dir.read("out/sub.txt");
  for (const auto& [id, value] : labels) EXPECT_NE(pdfText.find(value), std::string::npos) << id << " " << value;
  for (const char* part : {"Choke design report", "Winding instruction", "Worst case", "Temperature rise"})
    EXPECT_NE(pdfText.find(part), std::string::npos) << part;
  const auto pages = std::count(pdfText.begin(), pdfText.end(), '\f');
  EXPECT_GE(pages, 1);
  EXPECT_LE(pages, 3);  // with the inductance under bias and its curve
}

TEST_F(ReportCliTest, UsageErrorsAndWriteFailures) {
  EXPECT_EQ(Cli({"report"}).exit, 2);                           // no -o
  EXPECT_EQ(Cli({"report", "-o", "r.txt"}).exit, 2);            // no known format
  EXPECT_EQ(Cli({"calc", "-o", "r.pdf"}).exit, 2);              // -o is the report's
  EXPECT_EQ(Cli({"report", "--json", "-o", "r.pdf"}).exit, 2);  // --json is calc's
  // The helper's usage errors read as velmora-cli's: one line, then the help.
  const CliRun material = Cli({"report", "--material", "Unobtainium", "-o", "r.pdf"});
  EXPECT_EQ(material.exit, 2);
  EXPECT_EQ(material.err.substr(material.err.find('\n')), "\nTry 'velmora-cli report --help'.\n") << material.err;
  const CliRun missing = Cli({"report", "-o", "no/such/folder/r.pdf"});
  EXPECT_EQ(missing.exit, 1);
  EXPECT_NE(missing.err.find("cannot write"), std::string::npos) << missing.err;
  EXPECT_FALSE(dir.exists("out/r.pdf"));
  // A design the input checks stop: no report, the check's message, exit 1.
  const CliRun stopped = Cli({"report", "--set", "L=0", "-o", "s.pdf"});
  EXPECT_EQ(stopped.exit, 1);
  EXPECT_NE(stopped.err.find("The inductance must be above 0"), std::string::npos) << stopped.err;
  EXPECT_FALSE(dir.exists("out/s.pdf"));
}

// Hostile names and settings: what is written, what is kept, the exit status.
TEST_F(ReportCliTest, OutputsNeverReplaceWhatTheyShouldNot) {
  dir.write("out/notes.pdf", "notes");
  dir.write("out/отчёт.html", "notes");
  dir.write("out/same.html", "notes");
  const std::string longest = std::string(250, 'n') + ".html";  // 255 bytes
  struct Case {
    std::vector<std::string> args;
    const char* epoch;  // SOURCE_DATE_EPOCH
    int exit;
    const char* written;  // "" for nothing
    const char* error;    // a part of the error text
  } const cases[] = {
      {{"-o", "Notes.pdf"}, "86400", 0, "Notes.pdf", ""},
      {{"-o", "ОТЧЁТ.html"}, "86400", 0, "ОТЧЁТ.html", ""},
      {{"same.html", "-o", "same.html"}, "86400", 1, "", "made from"},
      {{"-o", "."}, "86400", 2, "", ".pdf or .html"},
      {{"-o", "folder.pdf"}, "86400", 1, "", "Is a directory"},
      {{"-o", longest}, "86400", 0, longest.c_str(), ""},
      {{"-o", "e.html"}, "abc", 2, "", "SOURCE_DATE_EPOCH"},
      {{"-o", "e.html"}, "99999999999999999999", 2, "", "SOURCE_DATE_EPOCH"},
      {{"-o", "e.html"}, "253402300800", 2, "", "SOURCE_DATE_EPOCH"},
      {{"-o", "e.html"}, "-1", 2, "", "SOURCE_DATE_EPOCH"},
      {{"-o", "e.html"}, "253402300799", 0, "e.html", ""},
      {{"--do", "click 2", "-o", "x.html"}, "86400", 3, "", "ended"},
  };
  std::filesystem::create_directory(dir.path() + "/out/folder.pdf");
  for (const Case& c : cases) {
    std::vector<std::string> args{"report"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    std::string cmd = "cd " + Quote(dir.path() + "/out") + " && SOURCE_DATE_EPOCH=" + Quote(c.epoch) + " " +
                      Quote(VELMORA_CLI) + " --dir " + Quote(data.path());
    for (const auto& a : args) cmd += " " + Quote(a);
    const CliRun run = RunShell(cmd, dir);
    EXPECT_EQ(run.exit, c.exit) << c.args.back() << " " << c.epoch << "\n" << run.err;
    EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
    if (*c.written) {
      EXPECT_NE(dir.read("out/" + std::string(c.written)).find("<"), std::string::npos);
    }
    for (const char* kept : {"notes.pdf", "отчёт.html", "same.html"})
      EXPECT_EQ(dir.read("out/" + std::string(kept)), "notes") << kept;
  }
  EXPECT_FALSE(dir.exists("out/x.html"));
  // A velmora-cli copied without velmora-report: the message alone, exit 1.
  std::filesystem::copy_file(VELMORA_CLI, dir.path() + "/velmora-cli");
  const CliRun alone = RunShell(Quote(dir.path() + "/velmora-cli") + " report -o r.pdf", dir);
  EXPECT_EQ(alone.exit, 1);
  EXPECT_NE(alone.err.find("velmora-report"), std::string::npos) << alone.err;
  EXPECT_EQ(alone.err.find("\n", alone.err.find('\n') + 1), std::string::npos) << alone.err;  // one line
}

// The same design and SOURCE_DATE_EPOCH give the same bytes, in any run; the
// date follows the variable, and a design file's name shows in any script.
TEST_F(ReportCliTest, ReproducibleBytes) {
  dir.write("out/设计.sav",
            crlf({"[INI_DATA]", "L = 47", "Fc = 150", "Uimpulsa = 24", "Udc = 12", "Inom = 6", "j = 5"}));
  for (const char* name : {"a.pdf", "b.pdf", "a.html", "b.html"}) {
    const CliRun run = Cli({"report", "设计.sav", "-o", name});
    ASSERT_EQ(run.exit, 0) << run.err;
  }
  EXPECT_EQ(dir.read("out/a.pdf"), dir.read("out/b.pdf"));
  EXPECT_EQ(dir.read("out/a.html"), dir.read("out/b.html"));
  EXPECT_NE(dir.read("out/a.pdf").find("/CreationDate (D:19700102000000"), std::string::npos);
  EXPECT_NE(dir.read("out/a.html").find("设计.sav"), std::string::npos);
}

// velmora-cli itself links no Qt: calc runs without it, report hands over to
// velmora-report.
TEST_F(ReportCliTest, CalcProgramLinksNoQt) {
  if (std::system("command -v ldd >/dev/null 2>&1") != 0) GTEST_SKIP() << "ldd is not installed";
  ASSERT_EQ(std::system(("ldd " + Quote(VELMORA_CLI) + " > " + Quote(dir.path() + "/ldd.txt")).c_str()), 0);
  const std::string libs = dir.read("ldd.txt");
  EXPECT_EQ(libs.find("libQt"), std::string::npos) << libs;
}

}  // namespace
}  // namespace velmora::test
