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
