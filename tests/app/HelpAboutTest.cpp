// SPDX-License-Identifier: GPL-3.0-or-later
// The Help and About windows.
#include <string>

#include <gtest/gtest.h>

#include "WindowFixture.h"
#include "app/HelpDlg.h"
#include "support/TempDir.h"
#include "textfile/Cp1251.h"
#include "ui/HeadlessHost.h"

namespace velmora {
namespace {

using test::TempDir;

std::string Cp(const char* utf8) { return Utf8ToCp1251(utf8).value(); }

struct HelpRun {
  int result = 0;
  std::string caption;
  std::string text;
};

HelpRun RunHelp(ui::HeadlessHost& host, const std::string& language) {
  CHelpDlg dlg(host);
  dlg.language = language;
  dlg.caption = "Help";
  dlg.messageCaption = "Velmora";
  dlg.missingText = "File not found:";
  HelpRun run;
  host.QueueDriver([&run](ui::Dialog& d) {
    run.caption = d.WindowText();
    run.text = d.GetItemText(1014);
    d.UserClick(ui::IDOK);
  });
  run.result = dlg.DoModal();
  return run;
}

TEST(HelpDlg, ShowsTheHelpTextOfTheLanguageAsItStands) {
  TempDir dir;
  const std::string text = "Line one\r\nLine \xE4\xE2\xE0\r\n";  // Windows-1251 bytes
  dir.write("ReadMe-English.txt", text);
  ui::HeadlessHost host;
  const HelpRun run = RunHelp(host, "English");
  EXPECT_EQ(run.result, ui::IDOK);
  EXPECT_EQ(run.caption, "Help");
  EXPECT_EQ(run.text, text);
  EXPECT_TRUE(host.shown().empty());
}

TEST(HelpDlg, ReadsLongTextsWholeAndStopsAtAZeroByte) {
  TempDir dir;
  std::string longText;
  for (int i = 0; i < 2000; ++i) longText += "line " + std::to_string(i) + "\r\n";
  ASSERT_GT(longText.size(), 10000u);
  dir.write("ReadMe-English.txt", longText);
  dir.write("ReadMe-Short.txt", std::string("before\0after", 12));
  ui::HeadlessHost host;
  EXPECT_EQ(RunHelp(host, "English").text, longText);
  EXPECT_EQ(RunHelp(host, "Short").text, "before");
}

TEST(HelpDlg, AMissingFileIsReportedAndTheWindowCloses) {
  TempDir dir;
  ui::HeadlessHost host;
  CHelpDlg dlg(host);
  dlg.language = "Deutsch";
  dlg.caption = "Hilfe";
  dlg.messageCaption = "Velmora";
  dlg.missingText = "File not found:";
  EXPECT_EQ(dlg.DoModal(), ui::IDCANCEL);
  ASSERT_EQ(host.shown().size(), 1u);
  EXPECT_EQ(host.shown()[0].text, "File not found: ReadMe-Deutsch.txt");
  EXPECT_EQ(host.shown()[0].caption, "Velmora");
  EXPECT_EQ(host.shown()[0].type, ui::MbType::Ok);
}

TEST(HelpDlg, ARussianLanguageNameFindsTheFileByItsUtf8Name) {
  TempDir dir;
  dir.write("ReadMe-Русский.txt", "text");
  ui::HeadlessHost host;
  EXPECT_EQ(RunHelp(host, Cp("Русский")).text, "text");
  EXPECT_TRUE(host.shown().empty());
}

// From the main window's menu bar, in the current language.
class HelpAboutCommandsTest : public test::WindowTest {
 protected:
  void SwitchTo(const std::string& language) {
    for (const ui::MenuItem& item : dlg().Menu().at(ids::kLanguageMenuPosition).popup)
      if (item.text == language) {
        dlg().UserMenu(item.id);
        return;
      }
    FAIL() << "no language item " << language;
  }
};

TEST_F(HelpAboutCommandsTest, HelpShowsTheTextOfTheCurrentLanguage) {
  dir.write("ReadMe-English.txt", "english help\r\n");
  dir.write("ReadMe-Russian.txt", "russian help\r\n");
  Start();
  std::string caption, text, ok;
  auto look = [&](ui::Dialog& d) {
    caption = d.WindowText();
    text = d.GetItemText(1014);
    ok = d.GetItemText(ui::IDOK);
    d.UserClick(ui::IDOK);
  };
  host.QueueDriver(look);
  dlg().UserMenu(ids::ID_HELP);
  EXPECT_EQ(caption, "MN2");
  EXPECT_EQ(text, "english help\r\n");
  EXPECT_EQ(ok, "OT29");  // the OK button speaks the language too

  SwitchTo("Russian");
  host.QueueDriver(look);
  dlg().UserMenu(ids::ID_HELP);
  EXPECT_EQ(caption, "ru:MN2");
  EXPECT_EQ(text, "russian help\r\n");
  EXPECT_EQ(ok, "ru:OT29");
  EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(HelpAboutCommandsTest, AMissingHelpFileOfTheCurrentLanguageIsReported) {
  Start();
  SwitchTo("Russian");
  const auto results = Results();
  ExpectBoxes(1);
  dlg().UserMenu(ids::ID_HELP);
  const auto boxes = TakeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Missing file ReadMe-Russian.txt");
  EXPECT_EQ(boxes[0].caption, "Attention");
  EXPECT_EQ(Results(), results);  // the main window is unaffected
  EXPECT_FALSE(dlg().IsEnded());
}

TEST_F(HelpAboutCommandsTest, AboutShowsTheTextsOfTheCurrentLanguage) {
  Start();
  SwitchTo("Russian");
  std::string caption, title, version, contact, ok;
  host.QueueDriver([&](ui::Dialog& d) {
    caption = d.WindowText();
    ok = d.GetItemText(ui::IDOK);
    title = d.GetItemText(1011);
    version = d.GetItemText(1091);
    contact = d.GetItemText(1052);
    d.UserEnter();
  });
  dlg().UserMenu(ids::ID_APP_ABOUT);
  EXPECT_EQ(caption, "ru:MN1");
  EXPECT_EQ(title, "ru:Velmora");
  EXPECT_EQ(version, "ru:Version");
  EXPECT_EQ(contact, "ru:AB2");
  EXPECT_EQ(ok, "ru:OT29");
}

}  // namespace
}  // namespace velmora
