// Actions: a command with caption, image, checked state and handler, shown alike by every
// control and menu item bound to it.
#pragma once

#include <string>
#include <vector>

#include "framework/ControlEvents.h"

class TAction : public TComponent {
public:
  using TComponent::TComponent;
  ~TAction() override;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  bool Checked() const { return FChecked; }
  void SetChecked(bool checked);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);

  TNotifyEvent OnExecute;
  // Runs the handler; false when there is none.
  bool Execute();

  void AddClient(IActionClient& client);
  void RemoveClient(IActionClient& client);

private:
  void Changed();
  std::string FCaption;
  bool FChecked = false;
  int FImageIndex = -1;
  std::vector<IActionClient*> FClients;
};

class TActionList : public TComponent {
public:
  using TComponent::TComponent;
};
