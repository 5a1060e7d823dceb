// SPDX-License-Identifier: GPL-3.0-or-later
// The language files, the help texts and the first start on the shipped data:
// every slot the program reads holds the text written for it, and the
// default design calculates completely without a warning.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "calc/Constants.h"
#include "calc/WireTable.h"
#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"
#include "lang/LanguageTable.h"
#include "present/InputTable.h"
#include "present/ShownResults.h"
#include "settings/SettingsRecord.h"
#include "share/ShippedData.h"
#include "support/TempDir.h"
#include "textfile/Cp1251.h"
#include "textfile/FileIO.h"
#include "textfile/Limits.h"

namespace velmora {
namespace {

using test::ReadShared;

const char* const kLanguages[] = {"English", "Russian"};

std::string Cp(const char* utf8) { return Utf8ToCp1251(utf8).value(); }

// The program's escape processing: backslash-n, then backslash-t.
std::string Unescape(std::string v) {
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"\\n", "\n"}, {"\\t", "\t"}})
    for (std::size_t p = 0; (p = v.find(from, p)) != std::string::npos; p += to.size()) v.replace(p, 2, to);
  return v;
}

struct SectionInfo {
  const char* name;
  LangSection section;
};
const SectionInfo kSections[] = {{"ABOUT", LangSection::About},
                                 {"MENU", LangSection::Menu},
                                 {"BASE CORES", LangSection::BaseCores},
                                 {"INITIAL DATA", LangSection::InitialData},
                                 {"MAGNETIC CORE", LangSection::MagneticCore},
                                 {"RESULTS", LangSection::Results},
                                 {"BUTTONS", LangSection::Buttons},
                                 {"OTHERS", LangSection::Others}};

// The slots that a window, a tooltip or a message shows.
const std::map<LangSection, std::vector<int>>& ShownSlots() {
  static const std::map<LangSection, std::vector<int>> slots = [] {
    std::map<LangSection, std::vector<int>> m;
    auto range = [](int from, int to) {
      std::vector<int> v;
      for (int k = from; k <= to; ++k) v.push_back(k);
      return v;
    };
    m[LangSection::About] = {2};
    m[LangSection::Menu] = range(1, 4);
    m[LangSection::BaseCores] = range(1, 29);
    m[LangSection::InitialData] = range(1, 20);
    m[LangSection::MagneticCore] = range(1, 12);
    m[LangSection::Results] = range(1, 9);
    m[LangSection::Buttons] = range(1, 6);
    m[LangSection::Others] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 12, 13, 14, 15,
                              18, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};
    return m;
  }();
  return slots;
}

TEST(ShippedLanguages, EverySlotHoldsItsOwnLineAndEveryShownSlotIsFilled) {
  test::TempDir dir;
  dir.copyShippedData();
  for (const char* language : kLanguages) {
    SCOPED_TRACE(language);
    std::vector<std::string> errors;
    const auto sections = test::ParseStrictly(ReadShared(std::string(language) + ".lng"), errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    LanguageTable table;
    ASSERT_TRUE(ReadLanguageFile(language, table));

    // The sections in the order the lookup needs, TITLE first, the word-keyed
    // sections last.
    ASSERT_EQ(sections.size(), std::size(kSections) + 4);
    ASSERT_EQ(sections[0].name, "TITLE");
    ASSERT_EQ(sections[0].entries.size(), 2u);
    EXPECT_EQ(sections[0].entries[0], std::make_pair(std::string("title"), table.title));
    EXPECT_EQ(sections[0].entries[1], std::make_pair(std::string("version"), table.version));
    for (std::size_t i = 0; i < std::size(kSections); ++i) {
      const test::StrictSection& s = sections[i + 1];
      const SectionInfo& info = kSections[i];
      ASSERT_EQ(s.name, info.name);
      int previous = -1;
      for (const auto& [key, value] : s.entries) {
        ASSERT_EQ(key[0], 's') << key;
        const int k = std::stoi(key.substr(1));
        ASSERT_EQ(key, "s" + std::to_string(k)) << "no leading zeros";
        EXPECT_GT(k, previous) << info.name << " " << key << ": keys in increasing order";
        previous = k;
        EXPECT_EQ(table.Get(info.section, k), Unescape(value)) << info.name << " " << key;
      }
    }
    // The word-keyed sections: each text read back whole by its key, and no
    // "s" and a digit that a numbered lookup running past its section could take.
    for (std::size_t i = std::size(kSections) + 1; i < sections.size(); ++i) {
      const test::StrictSection& s = sections[i];
      const WordKeyedSection* words = s.name == kReportSectionName      ? &table.report
                                      : s.name == kDesignSectionName    ? &table.design
                                      : s.name == kConverterSectionName ? &table.converter
                                                                        : nullptr;
      ASSERT_NE(words, nullptr) << s.name;
      for (const auto& [key, value] : s.entries) {
        EXPECT_EQ(words->Get(key, "(missing)"), Unescape(value)) << s.name << " " << key;
        for (const std::string* text : {&key, &value})
          for (std::size_t p = text->find('s'); p != std::string::npos; p = text->find('s', p + 1))
            EXPECT_FALSE(p + 1 < text->size() && std::isdigit(static_cast<unsigned char>((*text)[p + 1])))
                << s.name << " " << key;
      }
    }
    // Nothing the program shows is empty.
    EXPECT_FALSE(table.title.empty());
    EXPECT_FALSE(table.version.empty());
    for (const auto& [section, slots] : ShownSlots())
      for (int k : slots) EXPECT_FALSE(table.Get(section, k).empty()) << LangSectionName(section) << " s" << k;
    // The window caption as the program joins it.
    EXPECT_EQ(table.title.find("\n"), std::string::npos);
  }
}

TEST(ShippedLanguages, TextsThatOtherTextsAreBuiltFrom) {
  test::TempDir dir;
  dir.copyShippedData();
  LanguageTable en, ru;
  ASSERT_TRUE(ReadLanguageFile("English", en));
  ASSERT_TRUE(ReadLanguageFile("Russian", ru));
  EXPECT_EQ(en[kMenuCurrentLanguage], "English");
  EXPECT_EQ(ru[kMenuCurrentLanguage], Cp("Русский"));
  EXPECT_EQ(en[kUnitAwg], "AWG");
  EXPECT_EQ(ru[kUnitAwg], "AWG");
  EXPECT_EQ(en.version, "Version");
  EXPECT_EQ(ru.version, Cp("Версия"));
  EXPECT_EQ(ru.title, Cp("Velmora - Программа расчета дросселя"));
  EXPECT_EQ(en[kOkButton], "OK");
  EXPECT_EQ(ru[kOkButton], Cp("ОК"));
  EXPECT_EQ(ru[kCancelButton], Cp("Отмена"));
  // A file without a text this program added shows the English file's text.
  for (const AddedText& added : ProgramAddedTexts())
    EXPECT_EQ(en[added.slot], added.english) << LangSectionName(added.slot.section) << " s" << added.slot.key;

  // The wire-size notice: the typed size lands after the subject of the
  // sentence and the chosen size at its end.
  WireTable wires;
  ASSERT_TRUE(ReadWireTable("Wire.txt", wires));
  const WireChoice enNotice = SelectWire(wires, false, true, "1,05", 0.5, en[kWireNotice], en[kUnitMillimetre]);
  EXPECT_EQ(enNotice.noticeText,
            "The wire diameter 1.05 mm is not in the wire table.\nThe next larger size is used: 1.06 mm");
  const WireChoice ruNotice = SelectWire(wires, false, true, "1,05", 0.5, ru[kWireNotice], ru[kUnitMillimetre]);
  EXPECT_EQ(ruNotice.noticeText, Cp("Указанный диаметр провода 1.05 мм отсутствует в таблице проводов.\n"
                                    "Будет использован ближайший больший: 1.06 мм"));

  // The notice line, the warned labels' tooltips and the limits' notes on
  // the plots put their values in at %1 (the turns before at %2), and the
  // notice names the key that undoes the change.
  for (const LanguageTable* lang : {&en, &ru}) {
    for (const char* key : {"noticeAdvised", "noticeCore", "noticeMaterial", "noticeGap", "noticeAl", "noticeTurns",
                            "noticeInputs", "warnFlux", "warnFill", "fluxLimitNote", "lossLimitNote"})
      EXPECT_NE(lang->design.Get(key, "").find("%1"), std::string::npos) << key;
    EXPECT_NE(lang->design.Get("noticeTurns", "").find("%2"), std::string::npos);
    EXPECT_NE(lang->design.Get("noticeAdvised", "").find("Ctrl+Z"), std::string::npos);
  }

  // The no-data entry of the material list is no real material's name.
  const auto materials = ParseMaterialList(ReadShared("Materials.txt"));
  for (const LanguageTable* lang : {&en, &ru})
    for (const std::string& m : materials) EXPECT_FALSE(IsNoDataMaterial(m, (*lang)[kNoDataMaterialName])) << m;

  // The help texts fit the help window and describe the data files.
  for (const char* language : kLanguages) {
    const std::string help = ReadShared(std::string("ReadMe-") + language + ".txt");
    EXPECT_LE(help.size(), 9999u) << language;  // the help window's buffer
    for (const char* file : {"BaseCores.txt", "Materials.txt", "Wire.txt", ".lng"})
      EXPECT_NE(help.find(file), std::string::npos) << language << " " << file;
  }
}

TEST(ShippedLanguages, EveryLanguageFileHasItsHelpText) {
  int languages = 0;
  for (const std::string& name : test::SharedFiles()) {
    if (name.size() < 4 || name.substr(name.size() - 4) != ".lng") continue;
    ++languages;
    const std::string language = name.substr(0, name.size() - 4);
    EXPECT_FALSE(ReadShared("ReadMe-" + language + ".txt").empty()) << language;
  }
  EXPECT_EQ(languages, 2);
}

// The licence note travels with the data: it names every shipped file, so a
// file added to share/ without its sources and terms is caught, and the
// licences those files are passed on under.
TEST(ShippedLicenceNote, NamesEveryShippedFileAndItsTerms) {
  const std::string note = ReadShared("Data-Licences.txt");
  ASSERT_FALSE(note.empty());
  // The note is Windows-1251, the file names on disk UTF-8 ("Kool M\xB5 60.txt").
  for (const std::string& name : test::SharedFiles())
    EXPECT_NE(note.find(Utf8ToCp1251(name).value_or(name)), std::string::npos) << name;
  for (const char* terms : {"GPL-3.0-or-later", "Apache License 2.0", "BSD 2-Clause", "BSD 4-Clause", "AI-mag",
                            "OpenMagnetics MAS", "commit 0512b02", "commit 1408499", "commit bbbcee0"})
    EXPECT_NE(note.find(terms), std::string::npos) << terms;
}

// The first start: the defaults of a fresh settings record on the shipped data.
struct ShippedStart {
  SettingsRecord settings;
  LanguageTable lang;
  std::string db;
  MaterialRecord material;
  WireTable wires;

  explicit ShippedStart(const std::string& language) {
    settings.lang = language;
    EXPECT_TRUE(ReadLanguageFile(settings.lang, lang));
    db =
        ReadWholeFile(constants::kCoreDatabaseFile, constants::kMaxCoreDatabaseBytes, OpenMode::ReadWrite).value_or("");
    EXPECT_TRUE(LoadMaterialData(settings.mater + ".txt", material));
    EXPECT_TRUE(ReadWireTable(constants::kWireFile, wires));
  }
  ChokeInputs Inputs() const { return ChokeInputsOf(settings); }
  ShownResults Run(const std::string& coreName) {
    const CoreRecord core = CoreFromTexts(coreName, ReadCoreTexts(db, coreName));
    const ChokeContext ctx{core, material, wires, constants::kLossDensityLimit};
    return CalculateShown(Inputs(), ctx, lang);
  }
};

TEST(FirstStart, DefaultCoreAndMaterialCalculateCompletelyWithoutWarning) {
  test::TempDir dir;
  dir.copyShippedData();
  for (const char* language : kLanguages) {
    SCOPED_TRACE(language);
    ShippedStart start(language);
    ASSERT_EQ(start.settings.core, constants::kDefaultCore);
    ASSERT_EQ(start.settings.mater, constants::kFallbackMaterial);
    ASSERT_EQ(ShapeOfName(start.settings.core), kShapeE);
    const ShownResults r = start.Run(start.settings.core);
    EXPECT_TRUE(r.messages.empty()) << r.messages.front().text;
    EXPECT_FALSE(r.stoppedByRipple);
    EXPECT_FALSE(r.noData);
    EXPECT_LE(r.k, constants::kFillFactorLimit);
    EXPECT_LE(r.Bpk, r.Bm + constants::kFluxTolerance);
    EXPECT_EQ(r.fields.wireSize, "1.06");
    const ResultTexts& t = r.texts;
    for (std::size_t i = 0; i < kResultCount; ++i)
      for (const auto* text : {&t.Value(i), ResultLines()[i].extraFormat ? &t.Extra(i) : &t.Value(i)}) {
        ASSERT_TRUE(text->has_value());
        EXPECT_FALSE((*text)->empty());
        EXPECT_EQ((*text)->find("nan"), std::string::npos) << **text;
        EXPECT_EQ((*text)->find("inf"), std::string::npos) << **text;
      }
  }
}

TEST(FirstStart, EveryCoreAndEveryMaterialGiveFiniteResults) {
  test::TempDir dir;
  dir.copyShippedData();
  ShippedStart start("English");
  for (int shape = 0; shape < kShapeCount; ++shape)
    for (const std::string& name : ListCoreNames(start.db, shape)) {
      const ChokeResults r = start.Run(name);
      EXPECT_TRUE(std::isfinite(r.Pcore) && r.Pcore > 0) << name;
      EXPECT_TRUE(std::isfinite(r.greq) && std::isfinite(r.k) && r.N > 0) << name;
    }
  for (const std::string& m : ParseMaterialList(ReadShared("Materials.txt"))) {
    ASSERT_TRUE(LoadMaterialData(Cp1251ToUtf8(m) + ".txt", start.material)) << m;
    const ChokeResults r = start.Run(constants::kDefaultCore);
    EXPECT_TRUE(std::isfinite(r.B1) && r.B1 > 0) << m;
    EXPECT_TRUE(std::isfinite(r.Pcore) && r.Pcore > 0) << m;
    EXPECT_LE(r.Bm, start.material.Bmax) << m;
  }
}

}  // namespace
}  // namespace velmora
