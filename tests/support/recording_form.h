// A setup window stand-in: fixed field texts, and a record of what the
// action showed and whether it closed the window.
#pragma once

#include <string>
#include <vector>

#include "settings/exec_action.h"

namespace nw::test {

class RecordingForm : public SetupForm {
 public:
  RecordingForm(std::string nw, std::string tex, std::string texmf, bool src)
      : nw_(std::move(nw)), tex_(std::move(tex)), texmf_(std::move(texmf)), src_(src) {}

  std::string FieldText(PathField field) const override {
    switch (field) {
      case PathField::Nibwell:
        return nw_;
      case PathField::Latex:
        return tex_;
      case PathField::Texmf:
        return texmf_;
    }
    return {};
  }
  bool SrcChecked() const override { return src_; }
  void CloseForm() override { closed = true; }
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }

  std::vector<std::string> messages;
  bool closed = false;

 private:
  std::string nw_, tex_, texmf_;
  bool src_;
};

// Records messages of a writer called on its own.
class RecordingSink : public MessageSink {
 public:
  void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
  std::vector<std::string> messages;
};

}  // namespace nw::test
