// The Execute action: from the window's entries to the settings written.
#pragma once

#include <string>

#include "platform/message_sink.h"
#include "platform/platform.h"
#include "settings/texts.h"

namespace nw {

enum class PathField { Nibwell, Latex, Texmf };

// What the action needs of the setup window.
class SetupForm : public MessageSink {
 public:
  virtual std::string FieldText(PathField field) const = 0;
  virtual bool SrcChecked() const = 0;
  virtual void CloseForm() = 0;
};

// The window's members for the action; they keep the last press's values.
struct ExecPaths {
  std::string NwPath;
  std::string TeXPath;
  std::string TexmfPath;
  std::string OldExt{texts::kBackupExt};
};

enum class ExecOutcome { NothingDone, Done, Failed };

// Runs one press of Execute. Platform errors are not caught here: they leave
// the action where they happen and are shown at the window's event boundary.
ExecOutcome RunExecAction(SetupForm& form, ExecPaths& paths, Platform& platform);

}  // namespace nw
