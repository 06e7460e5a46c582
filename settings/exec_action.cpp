#include "settings/exec_action.h"

#include "settings/writers.h"

namespace nw {

ExecOutcome RunExecAction(SetupForm& form, ExecPaths& paths, Platform& platform) {
  paths.NwPath = Trim(form.FieldText(PathField::Nibwell));
  paths.TeXPath = Trim(form.FieldText(PathField::Latex));
  paths.TexmfPath = Trim(form.FieldText(PathField::Texmf));

  if (!form.SrcChecked() && paths.TeXPath.empty() && paths.TexmfPath.empty()) {
    form.ShowMessage(texts::kNothingToDo);
    return ExecOutcome::NothingDone;
  }

  // Every setting is made from the editor path: one naming a folder would
  // write wrong values everywhere, so nothing is written.
  if (!paths.NwPath.empty() &&
      (platform.IsFolder(paths.NwPath) || !HasFileName(paths.NwPath, [&platform](unsigned char b) {
         return platform.IsLeadByte(b);
       }))) {
    form.ShowMessage(paths.NwPath + std::string(texts::kNwPathIsFolder));
    return ExecOutcome::Failed;
  }

  ExecOutcome outcome = ExecOutcome::NothingDone;
  if (paths.NwPath.empty()) {
    form.ShowMessage(texts::kNoNwPath);
  } else {
    if (!paths.TeXPath.empty()) {
      WriteNwIni(platform, paths.NwPath, paths.TeXPath);
      outcome = ExecOutcome::Done;
    }
    if (!paths.TexmfPath.empty()) {
      outcome = UpdateTexmfCnf(platform, form, paths.TexmfPath, paths.NwPath, paths.OldExt)
                    ? ExecOutcome::Done
                    : ExecOutcome::Failed;
    }
  }

  if (form.SrcChecked()) {
    if (!WriteDvioutSrc(platform, form, paths.NwPath)) {
      outcome = ExecOutcome::Failed;
    } else if (outcome != ExecOutcome::Failed) {
      outcome = ExecOutcome::Done;
    }
  }

  if (outcome == ExecOutcome::Done) {
    form.ShowMessage(texts::kFinished);
    form.CloseForm();
  }
  return outcome;
}

}  // namespace nw
