// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HeadlessHost.h"

namespace velmora::ui {

int HeadlessHost::MessageBox(Dialog&, std::string_view text, std::string_view caption, MbType type) {
  Shown box{std::string(text), std::string(caption), type, IDOK};
  if (type == MbType::OkCancel && !answers_.empty()) {
    box.answer = answers_.front();
    answers_.pop_front();
  }
  shown_.push_back(box);
  if (strict_) {
    if (allowance_ > 0) --allowance_;
    else if (onUnexpected) onUnexpected(box);
  }
  return box.answer;
}

int HeadlessHost::RunModal(Dialog& dialog) {
  dialog.Create();
  if (dialog.IsEnded()) return dialog.Result();
  if (!drivers_.empty()) {
    Driver driver = std::move(drivers_.front());
    drivers_.pop_front();
    driver(dialog);
  }
  if (!dialog.IsEnded()) dialog.EndDialog(IDCANCEL);
  return dialog.Result();
}

}  // namespace velmora::ui
