// SPDX-License-Identifier: GPL-3.0-or-later
// The help of velmora-cli: each command's usage lines and the options'
// paragraphs, each paragraph marked with the commands that take its option,
// so that the whole help and one command's are made from the same texts.
#include "cli/HelpText.h"

#include <vector>

#include "cli/CheckOptions.h"
#include "settings/SettingsRecord.h"

namespace velmora::cli {

namespace {

// The commands a paragraph belongs to.
enum Commands : unsigned { kCalc = 1, kAdvise = 2, kReport = 4, kLoss = 8, kDesign = kCalc | kAdvise | kReport };

struct Paragraph {
  unsigned commands;
  std::string text;
};

unsigned BitOf(Command command) {
  switch (command) {
    case Command::kCalc:
      return kCalc;
    case Command::kAdvise:
      return kAdvise;
    case Command::kReport:
      return kReport;
    case Command::kLoss:
      return kLoss;
    case Command::kNone:
      break;
  }
  return kCalc | kAdvise | kReport | kLoss;
}

const char* WordOf(Command command) {
  switch (command) {
    case Command::kCalc:
      return "calc";
    case Command::kAdvise:
      return "advise";
    case Command::kReport:
      return "report";
    case Command::kLoss:
      return "loss";
    case Command::kNone:
      break;
  }
  return "";
}

// Each command's usage lines after "Usage: ", in the order the help lists them.
std::vector<Paragraph> UsageLines() {
  return {
      {kCalc,
       "velmora-cli [--dir DIR] calc [DESIGN_FILE] [--set KEY=VALUE]... [--material NAME]\n"
       "                  [--from-mas FILE.json] [--do ACTION]... [--al-tolerance PCT] [--details]\n"
       "                  [--ambient C] [CHECK LIMITS] [--json] [--mas FILE.json]\n"},
      {kAdvise,
       "velmora-cli [--dir DIR] advise [DESIGN_FILE] [--set KEY=VALUE]... [--shape E|EI|ER|ETD|R|other]\n"
       "                  [--family F] [--material NAME] [--sort volume|total-loss|temperature|turns]\n"
       "                  [--top N] [--all] [--pareto] [--gap-step MM] [CHECK LIMITS]\n"
       "                  [--al-tolerance PCT] [--ambient C] [--json|--csv]\n"},
      {kReport,
       "velmora-cli [--dir DIR] report [DESIGN_FILE] [--set KEY=VALUE]... [--material NAME]\n"
       "                  [--from-mas FILE.json] [--do ACTION]... [--al-tolerance PCT] [--ambient C]\n"
       "                  [CHECK LIMITS] -o FILE.pdf|FILE.html\n"},
      {kLoss,
       "velmora-cli [--dir DIR] loss --material NAME --frequency KHZ --flux T\n"
       "                  [--temperature C] [--duty D] [--dc-flux T | --dc-field A_PER_M] [--json]\n"},
  };
}

std::string KeyList() {
  int count = 0;
  const char* const* keys = SettingsKeys(&count);
  std::string list;
  for (int i = 0; i < count; ++i) list += (i ? ", " : "") + std::string(keys[i]);
  return list;
}

// The options every command reads before the window starts.
std::vector<Paragraph> InputParagraphs() {
  return {
      {kDesign | kLoss,
       "  --dir DIR         the folder of the data files (default: the current folder when it\n"
       "                    holds Materials.txt, else the user's data folder when it does,\n"
       "                    else the data files installed with the program)\n"},
      {kDesign,
       "  DESIGN_FILE       settings read in place of Inductor.ini (a saved design, *.sav)\n"
       "  --set KEY=VALUE   sets one input before start-up shows the settings; keys:\n"
       "                    " +
           KeyList() + "\n"},
      {kDesign | kLoss,
       "  --material NAME   then selects that material of the list, as a user would (advise:\n"
       "                    the one material tried): the entry of that name, letter case and\n"
       "                    spaces ignored; else the one entry whose first words it is (\"3F3\"\n"
       "                    finds \"3F3 Ferroxcube\" beside \"3F36 Ferroxcube\"); else the one\n"
       "                    entry it begins (\"N8\" finds \"N87 Epcos\"); otherwise the entries it\n"
       "                    may mean are listed (a MAS document's material is found alike)\n"},
      {kDesign,
       "  --converter buck|boost|buckboost --vin MIN[:MAX] --vout V --iout A --ripple PCT%|AMPS A\n"
       "  --fsw KHZ [--iout-min A] [--efficiency PCT] [--vsw V] [--vd V]\n"
       "                    the choke of that converter in continuous conduction over the input\n"
       "                    range (Vout the magnitude for the inverting buck-boost; the ripple a\n"
       "                    share of the inductor current or peak-to-peak amperes; efficiency\n"
       "                    100 %, drops 0 V unless given): the smallest inductance that keeps the\n"
       "                    ripple within the target at every input voltage, put into the window's\n"
       "                    inputs at the end of the range with the higher peak current, then one\n"
       "                    calculation; after start-up and --material, before --do; a --set of one\n"
       "                    of those inputs wins. calc prints the converter's block (--json:\n"
       "                    \"converter\"). Voltages up to 100 kV, currents up to 100 kA, 1 Hz to\n"
       "                    100 MHz, a ripple of at most 200 % of the average inductor current; a\n"
       "                    frequency above the material's loss table is held to its last one,\n"
       "                    and said so; not together with --from-mas\n"},
      {kCalc | kReport,
       "  --do ACTION       then acts at the window as a user would, in the order given:\n"
       "                      click ID        a button, check box, radio button or menu command\n"
       "                      type ID TEXT    replaces an edit's text (as typing does)\n"
       "                      select ID TEXT  picks the entry of a list or combo box\n"
       "                      spin POS        moves the wire-size spin button to POS\n"
       "                      answer ok|cancel  the answer for the next OK/Cancel box (else OK)\n"
       "                      load NAME       Load, choosing NAME in the open dialog\n"
       "                      save [NAME]     Save, typing NAME (else the proposed name)\n"
       "                      key KEYS        a key of the window's shortcuts (\"Ctrl+Z\")\n"
       "                    an action that cannot be played is a usage error\n"},
  };
}

// The outputs of calc and the options of the other commands.
std::vector<Paragraph> OutputParagraphs() {
  return {
      {kCalc,
       "  --json            one JSON object instead of the table: \"startup\" and \"window\",\n"
       "                    \"fields\" (the settings keys), \"coreData\" and \"labels\" (the texts\n"
       "                    shown, by control ID), \"spin\",\n"
       "                    \"inputs\" and \"results\" (the last calculation's numbers at full\n"
       "                    precision, named with their units: turns, inductance_uH,\n"
       "                    peakFluxDensity_T, coreLoss_W, ...; null where a value is not finite\n"
       "                    or was not computed), \"messages\" (every message box shown) and\n"
       "                    \"notWritten\" (the files the window would have written)\n"},
      {kCalc,
       "  --details         adds the figures behind the calculation: winding resistance, copper,\n"
       "                    core and total loss and temperature rise where the choke settles\n"
       "                    (and at 100 C), skin depth, the loss table points used, the\n"
       "                    tolerance spread; with --json a \"details\" object (ambient_C,\n"
       "                    coreTemperature_C, thermalRunaway, mlt_mm, resistance_mOhm,\n"
       "                    copperLoss_W, coreLossOperating_W, totalLoss_W, temperatureRise_K,\n"
       "                    copperLoss100C_W, ..., skinDepth_mm, lossModel, lossCurve {B_T,\n"
       "                    Pv_mW_cm3}, waveform {t_us, i_A, B_T}, worstCase; null where not finite)\n"
       "                    and a \"checks\" array (below); a design from a converter is judged\n"
       "                    at each end of the input range, the largest ripple and the highest\n"
       "                    current: \"operatingPoints\" (each point's figures and the checks it\n"
       "                    decides), each check at its hardest point (\"point\")\n"},
      {kDesign,
       "  --al-tolerance PCT  the AL tolerance of the tolerance spread in percent, for the design's\n"
       "                    own kind (gapped or AL given, default 10; ungapped, default 25; both\n"
       "                    for advise), in place of the values kept in Details.cfg\n"
       "  --ambient C       calc, advise, report: the temperature of the air around the choke\n"
       "                    (-55 to 150 C, default 40 C); core and winding settle where the loss\n"
       "                    heats them\n"},
      {kDesign, CheckHelpText()},
      {kAdvise,
       "  --shape S         advise: the cores of one of the window's core lists: E (the E EFD and\n"
       "                    E EP records too), EI, ER, ETD, R (rings) or other (every other name:\n"
       "                    PQ, RM, P, U)\n"
       "  --family F        advise: the cores of one family: the words before the size in the\n"
       "                    record's \"mas\" line (e, efd, ep, er, etd, p, pq, rm, t, u; the EI\n"
       "                    records are e), else the last such word of its name (R: t); letter\n"
       "                    case ignored; a family no core has is a usage error that lists them\n"},
      {kLoss,
       "  loss              the specific core loss in mW/cm3 of the material's tables at a\n"
       "                    frequency (kHz), a sine-wave flux density amplitude (T) and a\n"
       "                    temperature (default 100 C, the table of the core-loss label); with\n"
       "                    --duty D a triangular flux rising for D of the period (composite\n"
       "                    waveform: each ramp as a symmetric triangle at its own slope's\n"
       "                    frequency, the iGSE there); on a DC bias the loss is multiplied by\n"
       "                    dcFactor = 1 + 5 (Bdc/Bsat(T))^2.25 (ferrite, fitted to measured\n"
       "                    points up to Bdc = Bsat/3; an estimate above)\n"
       "  --dc-flux T       loss: the DC flux density in the core (a choke: the mean current's\n"
       "                    share of the peak flux density)\n"
       "  --dc-field A_PER_M  loss: the DC field of an ungapped core instead, as measurements\n"
       "                    state it: Bdc = Bsat(T) tanh(mu0 mu H / Bsat(T)), mu the material's\n"},
      {kCalc | kReport,
       "  --from-mas FILE   calc, report: sets the inductance, the operating point, the core, the\n"
       "                    material and the gap from a MAS document (JSON), after --material\n"},
      {kCalc,
       "  --mas FILE        calc: writes the design, calculated, as a MAS document of conformance\n"
       "                    class A (.json added to a name without it; never over the design's\n"
       "                    inputs nor the data folder's files; exit status 1 when not written)\n"},
      {kReport,
       "  -o FILE           report: the file to write, a PDF (A4) or one self-contained HTML file,\n"
       "                    as its extension says: the design report of what calc shows, with the\n"
       "                    design details, plots and a winding instruction, in the window's language\n"},
      {kCalc | kReport,
       "Message boxes are answered OK unless told otherwise, and printed. Nothing is written to\n"
       "disk: the files the window would have written are listed. Exit status: 0 the window\n"
       "came up, 3 start-up ended the program (its message is printed), 2 a usage error.\n"},
  };
}

std::string AdviseParagraph() {
  return "advise designs the choke of the inputs (as calc reads them) on every core of the database\n"
         "with every material that has loss data. For each pair it steps up the gap grid (multiples\n"
         "of --gap-step, default 0.01 mm, from 0.001 to 0.5) from the gap the permitted flux density\n"
         "requires, rounded up and not below --min-gap (default 0.05 mm), up to 3 mm or the first\n"
         "gap whose fill factor is above 0.4, and takes the first design that passes every check\n"
         "(above) with finite figures. At each gap the inductance field is the\n"
         "required inductance (--required-inductance, default the design inductance of the inputs)\n"
         "divided by the low end of that gap's AL tolerance, rounded up to 0.001 uH, so that the\n"
         "built choke holds it. Rings (R) are designed ungapped only. A powder material is designed\n"
         "on the cores sold in powder, ungapped, its turns raised from the zero-bias ones until\n"
         "the inductance at the nominal current at the low end of the maker's AL tolerance (8 %)\n"
         "reaches the required one; it is infeasible at the first turns above the fill factor,\n"
         "or where that inductance stops rising with the turns. It lists the first N (default\n"
         "10) feasible designs, the smallest core volume first (ties by total loss), or by the\n"
         "--sort key given; --all lists every candidate, the infeasible ones at their required gap\n"
         "with their reason. A design is on the Pareto front (\"pareto\", the table's *) when no\n"
         "other feasible design is as small and as low in total loss, and smaller or lower;\n"
         "--pareto lists the front only (whole, unless --top is given). Each row shows the Pareto\n"
         "mark, core volume, total loss, the rise against its limit, the inductance at nominal AL\n"
         "and at the low end of the AL tolerance, AL, the peak flux density at the saturation\n"
         "current as a share of its limit, then the gap, turns and winding. Each listed design is\n"
         "what calc gives with the options of its \"calcArgs\" (--json): --set core=CORE --set\n"
         "mater=MATERIAL --set yes_al=0 --set zazor=GAP --set us_Imin=0 --set L=LSET\n"
         "--required-inductance L. --json and --csv name the numbers as calc --json's \"results\"\n"
         "does (inductance_uH, inductanceLow_uH, inductanceFactor_nH_per_turn2, totalLoss_W,\n"
         "temperatureRise_K, riseLimit_K, coreVolume_cm3), and saturationShare_rel.\n";
}

// The usage lines and paragraphs of the commands in `commands`.
std::string HelpOf(unsigned commands) {
  std::string text;
  for (const Paragraph& usage : UsageLines())
    if (usage.commands & commands) text += (text.empty() ? "Usage: " : "       ") + usage.text;
  if (commands == BitOf(Command::kNone)) text += "       velmora-cli --help | --version\n";
  text += "\nRuns the inductor calculator's window without a display and prints what it shows.\n";
  for (const auto& paragraphs : {InputParagraphs(), OutputParagraphs()})
    for (const Paragraph& p : paragraphs)
      if (p.commands & commands) text += p.text;
  if (commands & kAdvise) text += "\n" + AdviseParagraph();
  return text;
}

}  // namespace

std::string UsageText() { return HelpOf(BitOf(Command::kNone)); }

std::string CommandHelpText(Command command) { return HelpOf(BitOf(command)); }

std::string TryHelpLine(Command command) {
  const std::string word = WordOf(command);
  return "Try 'velmora-cli " + (word.empty() ? std::string() : word + " ") + "--help'.";
}

}  // namespace velmora::cli
