// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The headless platform: message boxes are answered by script and recorded,
// nested dialogs are driven by scripted functions. Used by the tests and the
// command line.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/Dialog.h"

namespace velmora::ui {

class HeadlessHost : public DialogHost {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    MbType type = MbType::Ok;
    int answer = IDOK;
  };
  // A nested dialog's driver: gets the dialog after OnInitDialog and acts as
  // the user; when it returns without ending the dialog, the dialog is
  // cancelled.
  using Driver = std::function<void(Dialog&)>;

  int MessageBox(Dialog& owner, std::string_view text, std::string_view caption, MbType type) override;
  int RunModal(Dialog& dialog) override;

  // Answers for the next OK/Cancel boxes, in order (IDOK when none is
  // queued). OK-only boxes always answer IDOK and consume nothing.
  void QueueAnswer(int answer) { answers_.push_back(answer); }
  void QueueDriver(Driver driver) { drivers_.push_back(std::move(driver)); }
  // Strict mode (the UI test fixture): only as many boxes as expected may
  // show; one more calls onUnexpected (which fails the test).
  void SetStrict(bool strict) { strict_ = strict; }
  void ExpectBoxes(int count) { allowance_ += count; }
  std::function<void(const Shown&)> onUnexpected;

  const std::vector<Shown>& shown() const { return shown_; }
  void ClearShown() { shown_.clear(); }
  std::size_t pendingAnswers() const { return answers_.size(); }
  std::size_t pendingDrivers() const { return drivers_.size(); }

 private:
  std::deque<int> answers_;
  std::deque<Driver> drivers_;
  std::vector<Shown> shown_;
  bool strict_ = false;
  int allowance_ = 0;
};

}  // namespace velmora::ui
