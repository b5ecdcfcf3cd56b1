#include "app/Vantrel.h"

#include "app/DblChkNF.h"
#include "framework/Application.h"
#include "ui/Form1.h"

// Start-up: the tray's unit first (it registers "TaskbarCreated", as a library's start-up
// code would), then the single-instance check, the application (its main form not shown),
// the main form made hidden, and the message loop. The menus need no start-up step: their
// drawing always underlines accelerators.
int VantrelMain(TSystem& system) {
  TTrayIconUnit trayUnit(system);
  TInstanceGuard guard = DblChkNF(system.Process);
  if (guard.AnotherRuns) return 0;  // silently: no window has been created yet

  TApplication application(system, ApplicationTitle);
  application.ShowMainForm = false;
  TForm1 form(application, system, &trayUnit);
  application.MainFormHandle = form.Handle();  // the first form made is the main form
  application.OnClose = [&form] { form.Close(); };
  return application.Run();
}
