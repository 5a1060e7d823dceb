// SPDX-License-Identifier: GPL-3.0-or-later
// A random but legal user at the main window: typing any Windows-1251 text
// into every edit, clicking every radio button, check box and button,
// picking list entries, adding and deleting cores, spinning, switching units
// and languages, saving and loading designs, answering every message box
// either way, leaving and starting again. After every action the window and
// the files on disk must still be sound.
//
// Seeded and reproducible: VELMORA_DRIVE_SEED and VELMORA_DRIVE_ACTIONS choose
// the seed and the number of actions (CI runs the defaults).
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "app/ControlIds.h"
#include "app/VelmoraDlg.h"
#include "calc/CoreGeometry.h"
#include "data/CoreDatabase.h"
#include "settings/SettingsRecord.h"
#include "support/TempDir.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/Numbers.h"
#include "ui/HeadlessHost.h"

namespace velmora {
namespace {

using namespace ids;
using test::TempDir;
namespace fs = std::filesystem;

unsigned long EnvNumber(const char* name, unsigned long fallback) {
  const char* v = std::getenv(name);
  if (!v || !*v) return fallback;
  char* end = nullptr;
  const unsigned long n = std::strtoul(v, &end, 10);
  return end && *end == '\0' ? n : fallback;
}

// The platform with a random user in front of it: every OK/Cancel box is
// answered either way.
class RandomHost : public ui::HeadlessHost {
 public:
  explicit RandomHost(std::mt19937& rng) : rng_(rng) {}
  int MessageBox(ui::Dialog& owner, std::string_view text, std::string_view caption, ui::MbType type) override {
    if (type == ui::MbType::OkCancel) QueueAnswer(rng_() % 2 ? ui::IDOK : ui::IDCANCEL);
    ++boxes;
    return HeadlessHost::MessageBox(owner, text, caption, type);
  }
  long boxes = 0;

 private:
  std::mt19937& rng_;
};

// One record of the core database in its six-line layout, or with the
// optional "MLT", "Asurf", "bw", "mas" and "sold" lines of the shipped cores before the empty line.
struct CoreRec {
  std::string name, Ae, An, le, mu, extra;
  bool operator==(const CoreRec&) const = default;
};

// The database text as six-line records; nothing when it is not in that layout.
std::optional<std::vector<CoreRec>> ParseSixLineRecords(std::string_view text) {
  std::vector<CoreRec> records;
  std::size_t pos = 0;
  auto line = [&](std::string& out) {
    const auto end = text.find("\r\n", pos);
    if (end == std::string_view::npos) return false;
    out = std::string(text.substr(pos, end - pos));
    pos = end + 2;
    return out.find_first_of("\r\n") == std::string::npos;
  };
  auto value = [](const std::string& l, const char* key, std::string& out) {
    if (l.rfind(std::string(key) + " = ", 0) != 0) return false;
    out = l.substr(5);
    return true;
  };
  while (pos < text.size()) {
    std::string l[6];
    for (int k = 0; k < 5; ++k)
      if (!line(l[k])) return std::nullopt;
    CoreRec r;
    if (l[0].size() < 2 || l[0].front() != '[' || l[0].back() != ']') return std::nullopt;
    r.name = l[0].substr(1, l[0].size() - 2);
    if (!IsValidCoreName(r.name)) return std::nullopt;
    if (!value(l[1], "Ae", r.Ae) || !value(l[2], "An", r.An) || !value(l[3], "le", r.le) || !value(l[4], "mu", r.mu))
      return std::nullopt;
    if (!line(l[5])) return std::nullopt;
    for (const char* key : {"MLT = ", "Asurf = ", "bw = ", "mas = ", "sold = "}) {
      if (l[5].rfind(key, 0) != 0) continue;
      r.extra += l[5] + "\n";
      if (!line(l[5])) return std::nullopt;
    }
    if (!l[5].empty()) return std::nullopt;
    records.push_back(r);
  }
  return records;
}

std::string TrimBlanks(const std::string& s) {
  const auto a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

// A design file keeps each text without the blanks around it.
SettingsRecord AsStored(SettingsRecord r) {
  for (std::string* t : {&r.core, &r.mater, &r.gapOrAl, &r.L, &r.voltageSwitchOn, &r.Udc, &r.Inom, &r.Imin, &r.Fc, &r.j,
                         &r.wireSize, &r.lang})
    *t = TrimBlanks(*t);
  return r;
}

// The inputs of a design that a load must bring back exactly (the core and
// the material follow the data files, the nominal current and the wire size
// may be corrected by the calculation, with a message).
struct DesignInputs {
  std::string gapOrAl, L, voltageSwitchOn, Udc, Inom, Imin, Fc, j, wireSize;
  int gapChoice, use, us_Imin, use_D, yes_AWG;
  bool operator==(const DesignInputs&) const = default;
  friend void PrintTo(const DesignInputs& d, std::ostream* os) {
    *os << Cp1251ToUtf8("{zazor '" + d.gapOrAl + "' L '" + d.L + "' U1 '" + d.voltageSwitchOn + "' U2 '" + d.Udc +
                        "' Inom '" + d.Inom + "' Imin '" + d.Imin + "' Fc '" + d.Fc + "' j '" + d.j + "' dprov '" +
                        d.wireSize + "'")
        << " yes_al " << d.gapChoice << " use " << d.use << " us_Imin " << d.us_Imin << " use_D " << d.use_D
        << " yes_AWG " << d.yes_AWG << "}";
  }
};
// Every calculation shows the numbers it read with "." for a ",".
DesignInputs InputsOf(const SettingsRecord& r, bool withCorrected) {
  auto n = [](const std::string& t) { return CommaToPoint(t); };
  return {n(r.gapOrAl),
          n(r.L),
          n(r.voltageSwitchOn),
          n(r.Udc),
          withCorrected ? n(r.Inom) : "",
          n(r.Imin),
          n(r.Fc),
          n(r.j),
          withCorrected ? n(r.wireSize) : "",
          r.gapChoice,
          r.use,
          r.us_Imin,
          r.use_D,
          r.yes_AWG};
}

constexpr int kEdits[] = {IDC_EDIT_L,  IDC_EDIT_INOM,  IDC_EDIT_IMIN,  IDC_EDIT_U1,   IDC_EDIT_U2, IDC_EDIT_FC,
                          IDC_EDIT_J,  IDC_EDIT_DPROV, IDC_EDIT_ZAZOR, IDC_DIM_A,     IDC_DIM_B,   IDC_DIM_C,
                          IDC_DIM_D,   IDC_DIM_H,      IDC_DIM_h,      IDC_DIM_I,     IDC_DATA_MU, IDC_DATA_AE,
                          IDC_DATA_AN, IDC_DATA_LE,    IDC_DATA_VE,    IDC_COMBO_CORE};
constexpr int kClickables[] = {IDC_RADIO_OUTPUT, IDC_RADIO_OTHER_USE, IDC_RADIO_GAP,      IDC_RADIO_AL,
                               IDC_CHECK_IMIN,   IDC_CHECK_USE_D,     IDC_RADIO_METRIC,   IDC_RADIO_AWG,
                               IDC_SHAPE_E,      IDC_SHAPE_EI,        IDC_SHAPE_ER,       IDC_SHAPE_ETD,
                               IDC_SHAPE_R,      IDC_SHAPE_OTHER,     IDC_CHECK_ADD_DIMS, IDC_CHECK_ADD_DATA,
                               IDC_CALCULATE,    IDC_ADD_CORE,        IDC_DELETE_CORE};

class RandomDrive {
 public:
  RandomDrive(unsigned long seed, const TempDir& dir) : rng_(static_cast<std::mt19937::result_type>(seed)), dir_(dir) {}

  void Run(unsigned long actions) {
    Start();
    const std::string db = dir_.read("BaseCores.txt");
    auto parsed = ParseSixLineRecords(db);
    ASSERT_TRUE(parsed.has_value()) << "the shipped core database is not in the six-line layout";
    model_ = *parsed;
    for (action_ = 0; action_ < actions; ++action_) {
      Act();
      if (::testing::Test::HasFatalFailure()) return;
      Check();
      if (::testing::Test::HasFailure()) {
        ADD_FAILURE() << "after action " << action_ << "; the last actions:\n" << History();
        return;
      }
    }
  }

  long Boxes() const { return host_ ? host_->boxes + boxesBefore_ : boxesBefore_; }
  int Restarts() const { return restarts_; }
  int Adds() const { return adds_; }
  int Deletes() const { return deletes_; }
  int Saves() const { return saves_; }
  int Loads() const { return loads_; }
  int LoadChecks() const { return loadChecks_; }

 private:
  // ---- random user input ---------------------------------------------------------
  unsigned Pick(unsigned n) { return static_cast<unsigned>(rng_() % n); }
  bool Chance(unsigned percent) { return Pick(100) < percent; }

  // Printable Windows-1251: ASCII, the Cyrillic letters and the signs of
  // 0x80..0xBF (0x98 is unassigned).
  char PrintableByte() {
    for (;;) {
      const unsigned b = 32 + Pick(224);
      if (b != 0x7F && b != 0x98) return static_cast<char>(b);
    }
  }

  std::string Number() {
    std::ostringstream s;
    switch (Pick(6)) {
      case 0:
        s << Pick(1000);
        break;
      case 1:
        s << Pick(100000) / 100.0;
        break;
      case 2:
        s << Pick(100) << ',' << Pick(100);
        break;
      case 3:
        s << '-' << Pick(1000) / 10.0;
        break;
      case 4:
        s << Pick(10) << 'e' << static_cast<int>(Pick(20)) - 10;
        break;
      default:
        s << "0." << Pick(1000);
        break;
    }
    return s.str();
  }

  std::string AnyText() {
    static const char* const kOdd[] = {
        "nan", "inf", "-inf", "0",    "-0",       "0,0",    " 5 ",    "5abc",  "+-3",   ".",
        ",",   "--1", "1e",   "0x1A", "1e308",    "-1e308", "1e-320", "1e999", "2,5,5", "\xEF\xE5\xF2\xFC",
        "   ", "=",   "[x]",  "\xB5", "E 25/13/7"};
    switch (Pick(10)) {
      case 0:
        return "";
      case 1:
      case 2:
      case 3:
        return Number();
      case 4:
        return kOdd[Pick(std::size(kOdd))];
      case 5: {  // huge
        std::string s(200 + Pick(3000), static_cast<char>('0' + Pick(10)));
        if (Chance(30)) s.insert(s.size() / 2, ".");
        if (Chance(30)) s.insert(0, "-");
        return s;
      }
      default: {
        std::string s;
        for (unsigned n = Pick(24); n > 0; --n) s += PrintableByte();
        return s;
      }
    }
  }

  std::string CoreName() {
    switch (Pick(8)) {
      case 0:
        return "";
      case 1:
        return "bad[" + Number() + "]";
      case 2: {  // a name already listed
        const int n = dlg_->GetCount(IDC_COMBO_CORE);
        return n > 0 ? dlg_->GetLBText(IDC_COMBO_CORE, static_cast<int>(Pick(static_cast<unsigned>(n)))) : "";
      }
      case 3:
        return AnyText();
      default:
        return std::to_string(Pick(100)) + "/" + std::to_string(Pick(50)) + "/" + std::to_string(Pick(30));
    }
  }

  // ---- the window's life ------------------------------------------------------------
  void Start() {
    if (host_) boxesBefore_ += host_->boxes;
    dlg_.reset();
    host_ = std::make_unique<RandomHost>(rng_);
    dlg_ = std::make_unique<CVelmoraDlg>(*host_);
    dlg_->Create();
    ASSERT_FALSE(dlg_->Model().StartUpFailed());
    ASSERT_FALSE(dlg_->IsEnded());
  }

  void Log(std::string what) {
    history_.push_back(std::to_string(action_) + ": " + Cp1251ToUtf8(what.substr(0, 80)));
    if (history_.size() > 2500) history_.pop_front();
  }
  std::string History() const {
    std::string s;
    for (const auto& h : history_) s += "  " + h + "\n";
    return s;
  }

  // The boxes shown by the command now running.
  std::size_t Mark() const { return host_->shown().size(); }
  bool BoxShownSince(std::size_t mark) const { return host_->shown().size() > mark; }
  bool FailureReportedSince(std::size_t mark) const {
    const std::string& start = dlg_->Model().Lang()[kWriteFailed];
    for (std::size_t i = mark; i < host_->shown().size(); ++i)
      if (host_->shown()[i].text.rfind(start, 0) == 0) return true;
    return false;
  }

  // ---- actions ---------------------------------------------------------------------------
  void Act() {
    const unsigned roll = Pick(100);
    if (roll < 28) {
      const int id = kEdits[Pick(std::size(kEdits))];
      const std::string text = id == IDC_COMBO_CORE ? CoreName() : AnyText();
      Log("type into " + std::to_string(id) + ": " + text);
      dlg_->UserType(id, text);
    } else if (roll < 48) {
      const int id = kClickables[Pick(std::size(kClickables))];
      Log("click " + std::to_string(id));
      Click(id);
    } else if (roll < 52) {
      Log("enter");
      dlg_->UserEnter();
    } else if (roll < 60) {
      SelectEntry(Chance(60) ? IDC_COMBO_CORE : IDC_COMBO_MATERIAL);
    } else if (roll < 67) {
      const int delta = Chance(50) ? 1 : -1;
      Log("spin " + std::to_string(delta));
      dlg_->UserSpin(IDC_SPIN_WIRE, delta);
    } else if (roll < 70) {
      const int count = dlg_->Model().LanguageCommandCount();
      const int id = kLanguageCommandBase + 1 + static_cast<int>(Pick(static_cast<unsigned>(std::max(count, 1))));
      Log("language " + std::to_string(id));
      dlg_->UserMenu(id);
    } else if (roll < 78) {
      AddCoreSequence();
    } else if (roll < 82) {
      DeleteSequence();
    } else if (roll < 89) {
      SaveDesign();
    } else if (roll < 95) {
      LoadDesign();
    } else if (roll < 97) {
      const bool help = Chance(50);
      Log(help ? "help" : "about");
      dlg_->UserMenu(help ? ID_HELP : ID_APP_ABOUT);
    } else {
      ExitAndStartAgain();
    }
  }

  // Clicks; the add and delete buttons are watched as the database commands.
  void Click(int id) {
    if (id == IDC_ADD_CORE) {
      ClickAdd();
    } else if (id == IDC_DELETE_CORE) {
      ClickDelete();
    } else {
      dlg_->UserClick(id);
    }
  }

  void SelectEntry(int list) {
    const int n = dlg_->GetCount(list);
    if (n <= 0) return;
    const int i = static_cast<int>(Pick(static_cast<unsigned>(n)));
    Log("select " + std::to_string(list) + " #" + std::to_string(i) + " " + dlg_->GetLBText(list, i));
    dlg_->UserSelect(list, i);
  }

  // A whole add: mode, shape, name and values, then the button; each step may
  // be left out, so that the checks of the command meet every case.
  void AddCoreSequence() {
    const bool byDims = Chance(50);
    Log(byDims ? "add by dimensions" : "add by data");
    if (Chance(80)) dlg_->UserClick(IDC_SHAPE_E + static_cast<int>(Pick(6)));
    if (dlg_->GetCheck(byDims ? IDC_CHECK_ADD_DIMS : IDC_CHECK_ADD_DATA) == 0)
      dlg_->UserClick(byDims ? IDC_CHECK_ADD_DIMS : IDC_CHECK_ADD_DATA);
    if (Chance(90)) dlg_->UserType(IDC_COMBO_CORE, CoreName());
    auto value = [&] { return Chance(80) ? Number() : AnyText(); };
    if (Chance(90)) dlg_->UserType(IDC_DATA_MU, value());
    if (byDims) {
      for (int id : {IDC_DIM_A, IDC_DIM_B, IDC_DIM_C, IDC_DIM_D, IDC_DIM_H, IDC_DIM_h, IDC_DIM_I})
        if (Chance(90)) dlg_->UserType(id, std::to_string(1 + Pick(60)) + (Chance(30) ? ",5" : ""));
    } else {
      for (int id : {IDC_DATA_AE, IDC_DATA_AN, IDC_DATA_LE})
        if (Chance(90)) dlg_->UserType(id, value());
    }
    ClickAdd();
  }

  void ClickAdd() {
    // What the command will find on the window.
    const bool byDims = dlg_->GetCheck(IDC_CHECK_ADD_DIMS) != 0;
    const int shape = dlg_->GetRadioIndex(IDC_SHAPE_E);
    const std::string name = dlg_->GetItemText(IDC_COMBO_CORE);
    CoreRec expected{WithShapePrefix(name, shape),   dlg_->GetItemText(IDC_DATA_AE), dlg_->GetItemText(IDC_DATA_AN),
                     dlg_->GetItemText(IDC_DATA_LE), dlg_->GetItemText(IDC_DATA_MU), {}};
    if (byDims) {
      DimensionTexts dims{dlg_->GetItemText(IDC_DIM_A), dlg_->GetItemText(IDC_DIM_B), dlg_->GetItemText(IDC_DIM_C),
                          dlg_->GetItemText(IDC_DIM_D), dlg_->GetItemText(IDC_DIM_H), dlg_->GetItemText(IDC_DIM_h),
                          dlg_->GetItemText(IDC_DIM_I)};
      if (const auto g = ComputeCoreGeometry(shape, dims)) {
        expected.Ae = g->AeText;
        expected.An = g->AnText;
        expected.le = g->leText;
      }
    }
    Log("click add: " + expected.name);
    const std::string before = dlg_->Model().CoreDatabaseText();
    const std::size_t mark = Mark();
    dlg_->UserClick(IDC_ADD_CORE);
    const std::string& after = dlg_->Model().CoreDatabaseText();
    if (after == before) return;
    ASSERT_EQ(after.compare(0, before.size(), before), 0) << "adding changed the records before the new one";
    const auto added = ParseSixLineRecords(std::string_view(after).substr(before.size()));
    ASSERT_TRUE(added && added->size() == 1) << "adding did not append one six-line record";
    EXPECT_EQ(added->front(), expected);
    EXPECT_FALSE(BoxShownSince(mark) && FailureReportedSince(mark));
    model_.push_back(added->front());
    ++adds_;
  }

  void DeleteSequence() {
    if (Chance(80)) dlg_->UserClick(IDC_SHAPE_E + static_cast<int>(Pick(6)));
    if (Chance(85)) SelectEntry(IDC_COMBO_CORE);
    ClickDelete();
  }

  void ClickDelete() {
    const int sel = dlg_->GetCurSel(IDC_COMBO_CORE);
    const std::string name = sel >= 0 ? dlg_->GetLBText(IDC_COMBO_CORE, sel) : "";
    Log("click delete: " + name);
    const std::string before = dlg_->Model().CoreDatabaseText();
    dlg_->UserClick(IDC_DELETE_CORE);
    const std::string& after = dlg_->Model().CoreDatabaseText();
    if (after == before) return;
    // Exactly the selected core's record is gone.
    const auto left = ParseSixLineRecords(after);
    ASSERT_TRUE(left.has_value()) << "deleting broke the six-line layout";
    ASSERT_EQ(left->size() + 1, model_.size()) << "deleting removed more than one record";
    std::size_t i = 0;
    while (i < left->size() && (*left)[i] == model_[i]) ++i;
    // The selected entry is the record's name, or its end from the shape's
    // pattern on ("E 20" listed from "PQ E 20").
    const std::string& removed = model_[i].name;
    EXPECT_TRUE(removed.size() >= name.size() && removed.compare(removed.size() - name.size(), name.size(), name) == 0)
        << "deleting " << Cp1251ToUtf8(name) << " removed another core: " << Cp1251ToUtf8(removed);
    model_.erase(model_.begin() + static_cast<long>(i));
    EXPECT_EQ(*left, model_);
    ++deletes_;
  }

  std::string DesignName() {
    switch (Pick(8)) {
      case 0:
        return "";
      case 1:
        return "no such folder/" + Number() + ".sav";
      case 2:
        return std::string(300, 'x');  // longer than a file name may be
      case 3:
        return "\xE4\xF0\xEE\xF1\xF1\xE5\xEB\xFC " + std::to_string(Pick(5));  // Cyrillic
      case 4:
        return AnyText().substr(0, 40);
      default:
        return "design" + std::to_string(Pick(6)) + (Chance(50) ? ".sav" : "");
    }
  }

  void SaveDesign() {
    const bool proposed = Chance(25);
    const std::string typed = DesignName();
    const bool ok = Chance(85);
    Log("save as " + (proposed ? std::string("(proposed)") : typed) + (ok ? "" : " cancelled"));
    std::string chosen;
    host_->QueueDriver([&](ui::Dialog& d) {
      if (!proposed) d.UserType(1012, typed);
      if (ok) d.UserClick(ui::IDOK);
      chosen = d.GetItemText(1012);
    });
    const std::size_t mark = Mark();
    dlg_->UserClick(IDC_SAVE);
    ASSERT_EQ(host_->pendingDrivers(), 0u);
    EXPECT_EQ(dlg_->FocusItem(), IDC_CALCULATE);
    if (!ok || chosen.empty()) return;
    std::string name = chosen;
    if (name.find(".sav") == std::string::npos) name += ".sav";
    const std::string path = Cp1251ToUtf8(name);
    if (FailureReportedSince(mark) || !FileExists(path)) return;
    // Written whole: the file holds the window's design and reads back to it.
    // A design file has no language: the field stays empty on both sides.
    SettingsRecord written = dlg_->Model().SettingsForWriting();
    written.lang.clear();
    SettingsRecord back;
    back.lang.clear();
    if (ReadSettings(path, false, back)) {
      // The file may be an older one when the user declined to replace it.
      if (back == AsStored(written)) {
        saved_[name] = back;
        ++saves_;
      } else {
        EXPECT_TRUE(saved_.count(name) && saved_[name] == back)
            << "a saved design does not read back: " << path << "\n"
            << Cp1251ToUtf8(SerializeSettings(back, false)) << "instead of\n"
            << Cp1251ToUtf8(SerializeSettings(AsStored(written), false));
      }
    }
  }

  void LoadDesign() {
    const bool ok = Chance(85);
    const unsigned pick = static_cast<unsigned>(rng_());
    std::string chosen;
    host_->QueueDriver([&](ui::Dialog& d) {
      const int n = d.GetCount(1009);
      if (n > 0) {
        const int i = static_cast<int>(pick % static_cast<unsigned>(n));
        d.UserSelect(1009, i);
        chosen = d.GetLBText(1009, i);
      }
      if (ok) d.UserClick(ui::IDOK);
    });
    Log(std::string("load") + (ok ? "" : " cancelled"));
    const std::size_t mark = Mark();
    dlg_->UserClick(IDC_LOAD);
    ASSERT_EQ(host_->pendingDrivers(), 0u);
    EXPECT_EQ(dlg_->FocusItem(), IDC_CALCULATE);
    if (!ok || chosen.empty()) return;
    Log("loaded " + chosen);
    ++loads_;
    const auto it = saved_.find(chosen);
    if (it == saved_.end()) return;
    // The inputs come back as they were saved; the calculation that follows
    // the load may correct the nominal current and the wire size, and then
    // says so.
    const bool corrected = BoxShownSince(mark);
    DesignInputs expected = InputsOf(it->second, !corrected);
    // A frequency beyond the loaded material's loss table (the window may hold
    // one when the material was changed after the frequency was typed) is
    // held to its last frequency when the text on the window changes.
    const DesignInputs loaded = InputsOf(dlg_->Model().Settings(), !corrected);
    const double last = dlg_->Model().Material().LastFrequency();
    if (loaded.Fc != expected.Fc && dlg_->Model().Material().nF > 0 && ReadLeadingDouble(expected.Fc) > last)
      expected.Fc = FormatFixed(last, 0);
    EXPECT_EQ(loaded, expected) << "design " << Cp1251ToUtf8(chosen) << " did not load back to its inputs";
    ++loadChecks_;
  }

  void ExitAndStartAgain() {
    Log("exit and start again");
    const std::size_t mark = Mark();
    if (Chance(50)) dlg_->UserClick(IDC_EXIT);
    else dlg_->UserEscape();
    ASSERT_TRUE(dlg_->IsEnded());
    const SettingsRecord written = dlg_->Model().SettingsForWriting();
    ASSERT_FALSE(FailureReportedSince(mark));
    SettingsRecord back;
    ASSERT_TRUE(ReadSettings("Inductor.ini", true, back));
    EXPECT_EQ(back, AsStored(written)) << "the settings file does not read back";
    saved_["Inductor.ini"] = back;
    Start();
    ++restarts_;
    // The first calculation may correct the nominal current and the wire
    // size, and then says so.
    const bool corrected = !host_->shown().empty();
    EXPECT_EQ(InputsOf(dlg_->Model().Settings(), !corrected), InputsOf(back, !corrected))
        << "the next start lost the inputs";
    EXPECT_EQ(dlg_->Model().Settings().lang, back.lang);
  }

  // ---- invariants ----------------------------------------------------------------------------
  void Check() {
    ASSERT_FALSE(dlg_->IsEnded()) << "the window ended by itself";
    // Exactly one of the inductance and the minimum current is typed.
    EXPECT_NE(dlg_->IsItemEnabled(IDC_EDIT_L), dlg_->IsItemEnabled(IDC_EDIT_IMIN));
    EXPECT_EQ(dlg_->IsItemEnabled(IDC_EDIT_IMIN), dlg_->GetCheck(IDC_CHECK_IMIN) != 0);
    // At most one add mode.
    EXPECT_LE(dlg_->GetCheck(IDC_CHECK_ADD_DIMS) + dlg_->GetCheck(IDC_CHECK_ADD_DATA), 1);
    // The spin button stands inside the wire table.
    const int last = dlg_->Model().Wires().last();
    const int pos = dlg_->GetSpinPos(IDC_SPIN_WIRE);
    EXPECT_TRUE(pos >= 0 && pos <= std::max(last, 0)) << "spin " << pos << " outside 0.." << last;
    EXPECT_EQ(dlg_->Item(IDC_SPIN_WIRE)->rangeHi, std::max(last, 0));
    // The database on disk is the window's, in six-line records, holding
    // exactly the records added and not deleted.
    const std::string disk = dir_.read("BaseCores.txt");
    EXPECT_EQ(disk, dlg_->Model().CoreDatabaseText());
    const auto records = ParseSixLineRecords(disk);
    ASSERT_TRUE(records.has_value()) << "the core database left the six-line layout";
    EXPECT_EQ(*records, model_);
    // Every listed entry belongs to a record.
    for (const std::string& entry : dlg_->Item(IDC_COMBO_CORE)->items) {
      bool found = false;
      for (const CoreRec& r : model_) found = found || r.name.find(entry) != std::string::npos;
      EXPECT_TRUE(found) << "listed core without a record: " << Cp1251ToUtf8(entry);
    }
  }

  std::mt19937 rng_;
  const TempDir& dir_;
  std::unique_ptr<RandomHost> host_;
  std::unique_ptr<CVelmoraDlg> dlg_;
  std::vector<CoreRec> model_;
  std::map<std::string, SettingsRecord> saved_;  // design files by listed name
  std::deque<std::string> history_;
  unsigned long action_ = 0;
  long boxesBefore_ = 0;
  int restarts_ = 0, adds_ = 0, deletes_ = 0, saves_ = 0, loads_ = 0, loadChecks_ = 0;
};

// The data the window starts on: the shipped files, or the shipped files
// without the wire table and the core database (the window then starts with
// messages, and the first added core creates the database).
struct DataSet {
  const char* name;
  bool sparse;
};

class RandomDriveTest : public ::testing::TestWithParam<DataSet> {};

TEST_P(RandomDriveTest, ThousandsOfUserActionsKeepTheWindowAndItsFilesSound) {
  const unsigned long seed = EnvNumber("VELMORA_DRIVE_SEED", 5200);
  const unsigned long actions = EnvNumber("VELMORA_DRIVE_ACTIONS", 1000);
  TempDir dir;
  dir.copyShippedData();
  if (GetParam().sparse) {
    fs::remove("Wire.txt");
    fs::remove("BaseCores.txt");
  }
  RandomDrive drive(seed, dir);
  drive.Run(actions);
  std::printf(
      "random drive (%s data): seed %lu, %lu actions, %ld message boxes, %d cores added, %d deleted, "
      "%d designs saved, %d loaded (%d checked), %d restarts\n",
      GetParam().name, seed, actions, drive.Boxes(), drive.Adds(), drive.Deletes(), drive.Saves(), drive.Loads(),
      drive.LoadChecks(), drive.Restarts());
  // A drive that never reached the commands would prove little.
  if (actions >= 1000 && !::testing::Test::HasFailure()) {
    EXPECT_GT(drive.Adds(), 0);
    EXPECT_GT(drive.Deletes(), 0);
    EXPECT_GT(drive.Saves(), 0);
    EXPECT_GT(drive.LoadChecks(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Data, RandomDriveTest, ::testing::Values(DataSet{"shipped", false}, DataSet{"sparse", true}),
                         [](const ::testing::TestParamInfo<DataSet>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora
