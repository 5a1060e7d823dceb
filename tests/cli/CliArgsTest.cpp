// SPDX-License-Identifier: GPL-3.0-or-later
// The command line read with CLI11: each command's options, values that
// begin with '-', the first usage error in the order given.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliArgs.h"

namespace velmora::cli {
namespace {

TEST(CliArgs, UsageErrorsNameTheFirstFault) {
  const struct {
    std::vector<std::string> argv;
    const char* error;  // empty: none
  } cases[] = {
      {{}, "no command given"},
      {{"calc", "--ambient", "-40", "--set", "L=-5", "--vd", "-0.1"}, "the converter needs --converter"},
      {{"draw"}, "unknown command draw"},
      {{"--set", "L=5", "calc"}, "unknown option --set"},
      {{"calc", "--top", "3"}, "unknown option --top"},
      {{"calc", "a.sav", "b.sav"}, "more than one design file"},
      {{"calc", "--set", "L"}, "--set needs KEY=VALUE"},
      {{"calc", "--set", "--json"}, "--set needs KEY=VALUE"},  // a value as the old parser took it
      {{"calc", "--material"}, "--material needs a name"},
      {{"calc", "--ambient", "300", "--frob"}, "--ambient needs a temperature in C from -55 to 150 (300)"},
      {{"advise", "--ambient", "-240"}, "--ambient needs a temperature in C from -55 to 150 (-240)"},
      {{"report", "--ambient", "150.5", "-o", "r.pdf"}, "--ambient needs a temperature in C from -55 to 150 (150.5)"},
      {{"calc", "--do", "frob 1"}, "--do 'frob 1': "},
      {{"calc", "--fsw"}, "--fsw needs a value"},
      {{"calc", "-o", "r.pdf"}, "unknown option -o"},
      {{"report", "-o"}, "-o needs a file name"},
      {{"report", "--json", "-o", "r.pdf"}, "unknown option --json"},
      {{"report"}, "report needs -o FILE.pdf or -o FILE.html"},
      {{"advise", "--details"}, "--details belongs to calc"},
      {{"calc", "--from-mas", "d.json", "--converter", "buck", "--vin", "9:16", "--vout", "5", "--iout", "6", "--ripple",
        "30 %", "--fsw", "300"},
       "--converter and --from-mas both set the design: give one"},
      {{"advise", "--shape", "EE"}, "--shape takes E, EI, ER, ETD, R or other"},
      {{"advise", "--top", "2x"}, "--top needs a whole number of at least 1"},
      {{"advise", "--max-rise"}, "--max-rise needs a temperature rise in K above 0"},
      {{"loss", "--set", "L=5"}, "unknown option --set of loss"},
      {{"loss", "--material", "N87", "--flux", "0.1"}, "loss needs --material NAME, --frequency KHZ and --flux T"},
      {{"loss", "--duty", "1", "--flux", "0"}, "--duty needs a share of the period between 0 and 1 (1)"},
  };
  for (const auto& c : cases) {
    const ParseResult r = ParseArgs(c.argv);
    const std::string given = c.argv.empty() ? "" : c.argv.back();
    if (*c.error) EXPECT_EQ(r.error.rfind(c.error, 0), 0u) << given << ": " << r.error;
    else EXPECT_EQ(r.error, "") << given;
  }
}

TEST(CliArgs, OptionsReachTheirCommand) {
  ParseResult r =
      ParseArgs({"calc",      "d.sav",  "--set", "L=5",     "--dir",      "data",          "--material", "N87",
                 "--set",     "Fc=100", "--do",  "click 1", "--do",       "answer cancel", "--details",  "--json",
                 "--ambient", "-10",    "--mas", "m.json",  "--material", "N97",           "--help"});
  ASSERT_EQ(r.error, "");
  const CliArgs& a = r.args;
  EXPECT_EQ(a.designFile, "d.sav");
  EXPECT_EQ(a.dir, "data");
  EXPECT_EQ(a.material, "N97");  // the last one given
  ASSERT_EQ(a.sets.size(), 2u);
  EXPECT_EQ(a.sets[1], std::make_pair(std::string("Fc"), std::string("100")));
  ASSERT_EQ(a.actions.size(), 2u);
  EXPECT_EQ(a.actions[1].source, "answer cancel");
  EXPECT_TRUE(a.details && a.json && a.help);
  EXPECT_EQ(a.ambient_C, -10.0);
  EXPECT_EQ(a.mas.output, "m.json");

  r = ParseArgs({"advise", "-",           "--material", "N87",      "--json", "--csv",
                 "--all",  "--top",       "3",          "--sort",   "turns",  "--al-tolerance",
                 "5",      "--converter", "buck",       "--vin",    "9:14",   "--vout",
                 "5",      "--iout",      "2",          "--ripple", "30%",    "--fsw",
                 "200"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.args.designFile, "-");
  EXPECT_EQ(r.args.advise.material, "N87");
  EXPECT_FALSE(r.args.material);
  EXPECT_EQ(r.args.advise.format, AdviseArgs::Format::Csv);
  EXPECT_TRUE(r.args.advise.all);
  EXPECT_EQ(r.args.advise.sort, advise::SortKey::Turns);
  EXPECT_EQ(r.args.alTolerancePercent, 5.0);
  EXPECT_EQ(r.args.converter.request.vinMax, 14.0);

  r = ParseArgs({"--dir", "x", "loss", "--material", "N87", "--frequency", "100", "--flux", "0.1", "--duty", "0.3"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.args.loss.duty, 0.3);
  EXPECT_EQ(r.args.loss.temperature_C, 100.0);
  EXPECT_EQ(ParseArgs({"--version", "--dir", "x"}).args.version, true);
}

}  // namespace
}  // namespace velmora::cli
