#include "app/Vantrel.h"

#include "app/DblChkNF.h"
#include "framework/Application.h"
#include "ui/Form1.h"

int VantrelMain(TSystem& system) {
  TInstanceGuard guard = DblChkNF(system.Process);
  if (guard.AnotherRuns) return 0;  // silently: nothing has been created yet

  TApplication application(system, ApplicationTitle);
  TForm1 form(application, system);
  application.MainFormHandle = form.Handle();  // the first form made is the main form
  application.OnClose = [&form] { form.Close(); };
  return application.Run();
}
