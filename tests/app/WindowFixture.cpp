// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixture.h"

#include <map>

#include "textfile/Cp1251.h"

namespace velmora::test {

std::string Cp(const std::string& utf8) { return Utf8ToCp1251(utf8).value(); }
std::string Utf(const std::string& cp1251) { return Cp1251ToUtf8(cp1251); }

std::string LanguageFileText(const std::string& tag, const std::string& menuCurrent) {
  struct Section {
    const char* name;
    const char* code;
    int first, last;
  };
  static constexpr Section kSections[] = {{"ABOUT", "AB", 1, 5},         {"MENU", "MN", 1, 5},
                                          {"BASE CORES", "BC", 1, 29},   {"INITIAL DATA", "ID", 1, 29},
                                          {"MAGNETIC CORE", "MC", 0, 19}, {"RESULTS", "RS", 1, 29},
                                          {"BUTTONS", "BT", 1, 9},       {"OTHERS", "OT", 1, 30}};
  const std::map<std::string, std::string> fixed = {
      {"MN4", menuCurrent},      {"OT8", "Attention"}, {"OT9", "Missing file"},
      {"OT14", "mH"},            {"OT15", "uH"},       {"OT18", "mm"},
      {"OT21", "No-data material"}, {"OT22", "Cannot write"}, {"OT26", "AWG"},
      {"OT27", "The size is not in the table, used"}};
  std::string text = "[TITLE]\r\ntitle = " + tag + "Velmora\r\nversion = " + tag + "Version\r\n\r\n";
  for (const Section& s : kSections) {
    text += std::string("[") + s.name + "]\r\n";
    for (int k = s.first; k <= s.last; ++k) {
      const std::string code = s.code + std::to_string(k);
      auto it = fixed.find(code);
      text += "s" + std::to_string(k) + " = " + (it != fixed.end() ? it->second : tag + code) + "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

namespace {

std::string Core(const std::string& name, const std::string& Ae, const std::string& An, const std::string& le,
                 const std::string& mu) {
  return "[" + name + "]\r\nAe = " + Ae + "\r\nAn = " + An + "\r\nle = " + le + "\r\nmu = " + mu + "\r\n\r\n";
}

std::string MaterialFile(const std::vector<std::string>& freqs, const std::vector<std::vector<int>>& losses,
                         const std::string& Bmax, const std::string& mu) {
  const std::vector<std::string> fluxes = {"50", "100", "200"};
  std::string t = "[Flux density]\r\n";
  for (std::size_t i = 0; i < fluxes.size(); ++i) t += "B" + std::to_string(i + 1) + " = " + fluxes[i] + "\r\n";
  t += "[Frequencies]\r\n";
  for (std::size_t i = 0; i < freqs.size(); ++i) t += "F" + std::to_string(i + 1) + " = " + freqs[i] + "\r\n";
  for (std::size_t r = 0; r < freqs.size(); ++r) {
    t += "[F_" + freqs[r] + "]\r\n";
    for (std::size_t c = 0; c < fluxes.size(); ++c)
      t += "B_" + fluxes[c] + " = " + std::to_string(losses[r][c]) + "\r\n";
  }
  t += "[Limits]\r\nBmax = " + Bmax + "\r\nBmmax = 0.2\r\nmu = " + mu + "\r\n";
  return t;
}

}  // namespace

std::string SmallCoreDatabase() {
  return Core("E 13/7/4", "50", "80", "55", "1800") + Core("E 16/8/5", "51", "80", "56", "1800") +
         Core("E 20/10/6", "52", "80", "57", "1800") + Core("E 25/13/7", "52.5", "80", "57.5", "1800") +
         Core("E 30/15/7", "60", "90", "67", "1900") + Core("E 32/16/9", "83", "100", "74", "2000") +
         Core("ER 11/5", "50", "80", "55", "1700") + Core("ER 14.5/6", "55", "80", "60", "1700") +
         Core("ETD 29/16/10", "76", "95", "72", "1900") + Core("ETD 34/17/11", "97", "120", "79", "1900") +
         Core("ETD 39/20/13", "125", "180", "92", "1900") + Core("EI 30", "60", "85", "67", "1800") +
         Core("R 20/10/7", "35", "80", "47", "2000") + Core("R 25/15/10", "50", "120", "63", "2000") +
         Core("PQ 20/16", "62", "80", "37", "2200") + Core("RM 10", "96", "85", "44", "2100");
}

void WriteSmallDataSet(const TempDir& dir) {
  dir.write("English.lng", LanguageFileText("", "English (current)"));
  dir.write("Russian.lng", LanguageFileText("ru:", Cp("Русский")));
  dir.write("Materials.txt", "Mat1 = N87 Epcos\r\nMat2 = M200\r\n");
  dir.write("N87 Epcos.txt", MaterialFile({"25", "100", "500"}, {{2, 10, 60}, {15, 70, 400}, {150, 700, 4000}},
                                          "0.39", "2200"));
  dir.write("M200.txt", MaterialFile({"50", "100", "200"}, {{8, 35, 200}, {18, 80, 450}, {45, 200, 1100}},
                                     "0.35", "2000"));
  dir.write("BaseCores.txt", SmallCoreDatabase());
  std::string wire;
  const char* sizes[] = {"0.1", "0.2", "0.3", "0.45", "0.56", "0.71", "1", "1.06", "1.5", "2", "2.5"};
  for (int i = 0; i < 11; ++i) {
    const std::string n = std::to_string(i + 1);
    wire += "d" + n + " = " + sizes[i] + "\r\ndiz" + n + " = " + sizes[i] + "5\r\n";
  }
  dir.write("Wire.txt", wire);
}

WindowTest::WindowTest() {
  host.SetStrict(true);
  host.onUnexpected = [](const ui::HeadlessHost::Shown& box) {
    ADD_FAILURE() << "unexpected message box: " << Utf(box.caption) << ": " << Utf(box.text);
  };
}

CVelmoraDlg& WindowTest::Start(VelmoraOptions options) {
  dlg_ = std::make_unique<CVelmoraDlg>(host, std::move(options));
  dlg_->Create();
  return *dlg_;
}

std::vector<ui::HeadlessHost::Shown> WindowTest::TakeBoxes() {
  auto boxes = host.shown();
  host.ClearShown();
  return boxes;
}

std::string WindowTest::SelectedCore() const {
  return dlg_->GetLBText(ids::IDC_COMBO_CORE, dlg_->GetCurSel(ids::IDC_COMBO_CORE));
}

void WindowTest::SelectCore(const std::string& name) {
  const int index = dlg_->FindString(ids::IDC_COMBO_CORE, -1, name);
  ASSERT_GE(index, 0) << name;
  dlg_->UserSelect(ids::IDC_COMBO_CORE, index);
}

std::vector<std::string> WindowTest::Results() const {
  std::vector<std::string> texts;
  for (int id : {1040, 1051, 1056, 1049, 1104, 1052, 1103, 1071, 1105, 1050, 1076, 1113, 1002, 1008, 1132, 1148})
    texts.push_back(dlg_->GetItemText(id));
  return texts;
}

void WindowTest::Load(const std::string& listedName) {
  host.QueueDriver([listedName](ui::Dialog& d) {
    const int i = d.FindString(ids::IDC_FILE_LIST, -1, listedName);
    ASSERT_GE(i, 0) << listedName;
    d.UserSelect(ids::IDC_FILE_LIST, i);
    d.UserClick(ui::IDOK);
  });
  Click(ids::IDC_LOAD);
}

}  // namespace velmora::test
