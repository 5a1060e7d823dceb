// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped powder materials and rings: the generator's output read back
// through the program's readers.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "calc/Calculate.h"
#include "calc/Constants.h"
#include "calc/CoreLoss.h"
#include "calc/Powder.h"
#include "data/CoreDatabase.h"
#include "data/MaterialRecord.h"
#include "share/ShippedData.h"
#include "support/ChokeFixture.h"
#include "textfile/Cp1251.h"

namespace velmora {
namespace {

using test::ReadShared;

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

MaterialRecord Load(const std::string& name) {
  MaterialRecord m;
  m.name = name;
  EXPECT_TRUE(LoadMaterialData(test::ShareDir() + Cp1251ToUtf8(name) + ".txt", m)) << name;
  return m;
}

TEST(ShippedPowder, EveryPowderLoadsWithItsFitAndTheListFindsItByPrefix) {
  const std::vector<std::string> names = ParseMaterialList(ReadShared("Materials.txt"));
  int powders = 0;
  for (std::size_t i = 0; i < names.size(); ++i) {
    // The list's prefix search from the top (letter case ignored) stops at
    // the name itself: no earlier entry begins with it.
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(Lower(names[j]).rfind(Lower(names[i]), 0), 0u) << names[i];
    const MaterialRecord m = Load(names[i]);
    if (!m.hasRollOff()) continue;
    ++powders;
    EXPECT_TRUE(m.temperatureTables.empty()) << names[i];
    EXPECT_EQ(m.powder.alTolerance, 0.08);
    EXPECT_EQ(m.Bmmax, m.table[0][m.nB]);  // the largest flux column
    EXPECT_EQ(m.nF, 6);
    EXPECT_EQ(m.nB, 5);
    EXPECT_LT(powder::PermeabilityRatio(m.powder.rollOff, 7958), 1.0);
  }
  EXPECT_EQ(powders, 51);
  // The reference's spot value of the loss fit: Kool Mu 60 at 100 kHz, 0.1 T.
  EXPECT_NEAR(EstimateCoreLoss(Load("Kool M\xB5 60"), 100, 0.1, 1).Pv, 550, 5);  // mW/cm3
}

TEST(ShippedPowder, RingsAreMarkedOrderedAndHaveTheMaterialsAl) {
  const std::string db = ReadShared("BaseCores.txt");
  std::vector<std::string> rings, marked;
  for (const CoreHeader& h : ListCoreHeaders(db)) {
    const CoreSold sold = ReadCoreSold(db, h.name);
    if (sold.powder) (sold.ferrite ? marked : rings).push_back(h.name);
    // No record follows one whose name contains its own.
    const std::size_t first = db.find(h.name);
    EXPECT_EQ(first, db.find("[" + h.name + "]") + 1) << h.name;
  }
  EXPECT_EQ(marked, (std::vector<std::string>{"E 42/21/15", "E 42/21/20", "E 55/28/21", "E 55/28/25", "E 65/32/27",
                                              "E 80/38/20"}));
  ASSERT_GE(rings.size(), 40u);
  // An ungapped powder ring of mu 60 has AL = mu0 60 Ae / le, whatever the
  // record's own permeability.
  const MaterialRecord m = Load("MPP 60");
  const WireTable wires = test::Metric({0.5, 1.0});
  for (const std::string& name : rings) {
    const CoreRecord core = CoreFromTexts(name, ReadCoreTexts(db, name));
    ChokeInputs in = test::WindowDefaults();
    in.gapOrAl = "0";  // ungapped: the distributed gap alone
    const ChokeResults r = CalculateFigures(in, ReadInputNumbers(in), ChokeContext{core, m, wires, 200.0});
    EXPECT_NEAR(r.AL, constants::kMu0 * 60 * core.Ae / core.le / constants::kThousand, 1e-12) << name;
  }
}

}  // namespace
}  // namespace velmora
