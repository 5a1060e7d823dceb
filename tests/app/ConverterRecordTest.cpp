// SPDX-License-Identifier: GPL-3.0-or-later
// The converter request kept with the design: the "[CONVERTER]" section, its
// round trip through Save and Load, and the design's own lines read as before.
#include <string>

#include "WindowFixture.h"
#include "app/ConverterCommands.h"
#include "app/ConverterRecord.h"
#include "app/MasExchange.h"
#include "settings/SettingsRecord.h"

namespace velmora::test {
namespace {

using converter::ConverterRequest;
using converter::RippleUnit;
using converter::Topology;

const ConverterRequest kBuck{
    .vinMin = 9, .vinMax = 16, .vout = 5, .iout = 6, .ripple = 0.3, .fsw_kHz = 300, .efficiency = 0.9, .vd = 0.45};
const ConverterRequest kInverting{.topology = Topology::kBuckBoost,
                                  .vinMin = 9,
                                  .vinMax = 16,
                                  .vout = 5,
                                  .iout = 6,
                                  .ioutMin = 0.5,
                                  .rippleUnit = RippleUnit::kAmperes,
                                  .ripple = 1.25,
                                  .fsw_kHz = 300,
                                  .efficiency = 0.9,
                                  .vsw = 0.1,
                                  .vd = 0.45};

TEST(ConverterRecord, TheSectionReadsBackTheRequestAndRefusesWhatItCannotUse) {
  for (const ConverterRequest& r : {kBuck, kInverting})
    EXPECT_EQ(ParseConverterSection("x\r\n" + SerializeConverterSection(r)), r);
  EXPECT_EQ(
      SerializeConverterSection(kBuck),
      crlf({"[CONVERTER]", "conv_topology\t= buck", "conv_vin_min\t= 9", "conv_vin_max\t= 16", "conv_vout\t= 5",
            "conv_iout\t= 6", "conv_ripple\t= 0.3", "conv_fsw_khz\t= 300", "conv_efficiency\t= 0.9",
            "conv_drop_switch\t= 0", "conv_drop_diode\t= 0.45", "conv_ripple_unit\t= share", "conv_light_load\t= "}));
  const std::string good = SerializeConverterSection(kBuck);
  const auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  // No section, an unknown topology, a missing or unreadable number, a request with an error.
  for (const std::string& text :
       {std::string("[INI_DATA]\r\nL\t= 15\r\n"), replaced("buck", "flyback"), replaced("conv_vout\t= 5\r\n", ""),
        replaced("= 300", "= 3OO"), replaced("= 0.3", "= 5"), replaced("= share", "= volts")})
    EXPECT_FALSE(ParseConverterSection(text)) << text;
}

// No key of the section holds a key of the design's lines: a file with the
// section reads as the same file without it, even where a line is missing.
TEST(ConverterRecord, TheDesignLinesReadAsWithoutTheSection) {
  const std::string section = SerializeConverterSection(kInverting);
  int count = 0;
  const char* const* keys = SettingsKeys(&count);
  for (int i = 0; i < count; ++i) EXPECT_EQ(section.find(keys[i]), std::string::npos) << keys[i];
  // Without its "L" line the design's lookup searches the rest of the file.
  std::string lines = SerializeSettings(SettingsRecord{}, false);
  lines.erase(lines.find("L\t= 15\r\n"), 8);
  SettingsRecord plain, withSection;
  ParseSettings(lines, false, plain);
  ParseSettings(lines + section, false, withSection);
  EXPECT_EQ(plain, withSection);
}

class ConverterRecordWindowTest : public WindowTest {};

TEST_F(ConverterRecordWindowTest, SaveAndLoadKeepTheRequestAndAnOlderDesignLoadsAsBefore) {
  Start();
  const std::string plain = SerializeSettings(dlg().Model().SettingsForWriting(), false);
  dir.write("older.sav", plain);
  const auto saveAs = [this](const std::string& name) {
    host.QueueDriver([name](ui::Dialog& d) {
      d.UserType(1012, name);
      d.UserClick(ui::IDOK);
    });
    Click(ids::IDC_SAVE);
  };
  saveAs("none.sav");
  EXPECT_EQ(dir.read("none.sav"), plain);  // without a request, the bytes of before

  dlg().Model().SetDesignRequest(kInverting);
  saveAs("with.sav");
  EXPECT_EQ(dir.read("with.sav"),
            SerializeSettings(dlg().Model().SettingsForWriting(), false) + SerializeConverterSection(kInverting));
  dlg().Model().SetDesignRequest(std::nullopt);
  Load("with.sav");
  EXPECT_EQ(dlg().Model().DesignRequest(), kInverting);
  const SettingsRecord afterWith = dlg().Model().Settings();
  Load("older.sav");
  EXPECT_FALSE(dlg().Model().DesignRequest());
  EXPECT_EQ(dlg().Model().Settings(), afterWith);
}

class ConverterMasTest : public WindowTest {
 protected:
  void SetUp() override { dir.copyShippedData(); }
};

// Applied, exported, imported over another design: the request and the
// choke's inputs come back, a buck as an output choke. The inverting
// buck-boost has no topology in the format: other use, named in the message.
// A document without a converter leaves the design none.
TEST_F(ConverterMasTest, TheRequestTravelsThroughMas) {
  ConverterRequest buck = kBuck, boost = kBuck;
  buck.vsw = 0.3;  // no name in the format: the choke's voltage holds it
  boost.topology = Topology::kBoost, boost.vinMin = 5, boost.vinMax = 9, boost.vout = 12, boost.iout = 2,
  boost.vsw = 0.1;
  const struct {
    std::optional<ConverterRequest> request, back;
    int use;
  } cases[] = {{buck, buck, 0}, {boost, boost, 1}, {kInverting, std::nullopt, 1}, {std::nullopt, std::nullopt, 1}};
  CVelmoraDlg& w = Start();
  const auto inputs = [this] {
    std::string texts;
    for (const int id : {ids::IDC_EDIT_L, ids::IDC_EDIT_INOM, ids::IDC_EDIT_U1, ids::IDC_EDIT_U2, ids::IDC_EDIT_FC})
      texts += Text(id) + " ";
    return texts;
  };
  for (const auto& c : cases) {
    host.ExpectBoxes(6);  // the designs may warn about the core they land on
    if (c.request) ReplaceInputs(w, ConverterInputChanges(FieldsFor(*c.request, DesignConverter(*c.request).design)));
    w.Model().SetDesignRequest(c.request);
    const std::string before = inputs();
    ASSERT_TRUE(ExportMas(w, dir.path() + "/doc.json"));
    ReplaceInputs(w, {{"use", "0"}, {"L", "100"}, {"Uimpulsa", "30"}, {"Udc", "20"}});
    w.Model().SetDesignRequest(kBuck);
    TakeBoxes();
    ASSERT_TRUE(ImportMas(w, dir.path() + "/doc.json"));
    EXPECT_EQ(w.Model().DesignRequest(), c.back);
    EXPECT_EQ(w.Model().Settings().use, c.use);
    EXPECT_EQ(inputs(), before);
    std::string told;
    for (const auto& box : TakeBoxes()) told += box.text;
    EXPECT_EQ(told.find("Inverting buck-boost") != std::string::npos, c.request == kInverting) << told;
  }
}

}  // namespace
}  // namespace velmora::test
