#include "ui/settings_window.h"

#include "runtime/controls.h"
#include "runtime/gui.h"
#include "state/app_state.h"
#include "state/config_file.h"
#include "transcode/output_format.h"

void OpenSettings() {
  rt::LoadWindowModal(SettingsWindow);
}

void OnSettingsWindowCreated() {
  // A code above the table shows as its last item; the code itself stays as it is.
  rt::DropDownSetSelection(组合框1, DropDownPositionOfCode(AppState.formatCode));
}

void OnFormatSelected() {
  const std::int32_t code = CodeOfDropDownPosition(rt::DropDownSelection(组合框1));
  AppState.formatCode = code;
  StoreFormatCode(code);
}
