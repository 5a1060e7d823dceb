// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's save dialog for a file the user names as the output of a
// command ("Export report...", the plots' "Save..."), by the rules of
// textfile/OutputFile.h: the extension of the chosen filter is added to a
// name that has none of the offered ones, and the overwrite question is asked
// of the name so made, since the dialog's own question comes before that.
#include <QString>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace velmora::gui {

// One filter of the dialog: its description and its extensions (".pdf"); the
// first is the one added to a name without any.
struct OutputFilter {
  QString description;
  std::vector<std::string> extensions;
};

// The dialog's and the message boxes' words, in the window's language.
struct OutputTexts {
  QString caption;         // the dialog's title
  QString question;        // "Replace the existing file"
  QString messageCaption;  // the message boxes' caption
  QString ok;
  QString cancel;
  QString failed;  // "The report could not be written:"
};

struct ChosenOutput {
  std::string path;  // UTF-8, the extension added
  std::size_t filter = 0;
};

// The name with the chosen filter's first extension when it ends in none of
// any filter's extensions.
std::string NameToWrite(const std::string& typed, const std::vector<OutputFilter>& filters, std::size_t chosen);

// Asks for the file, starting at `proposed`; when the file to be written
// exists, asks whether to replace it, and a Cancel there returns to the
// dialog. Nothing when the dialog is cancelled.
std::optional<ChosenOutput> AskOutputFile(QWidget* parent, const OutputTexts& texts, const QString& proposed,
                                          const std::vector<OutputFilter>& filters);

// The failed write in a message box: the text, then the file and the reason
// (UTF-8).
void TellOutputFailed(QWidget* parent, const OutputTexts& texts, const std::string& detail);

}  // namespace velmora::gui
