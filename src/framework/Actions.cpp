#include "framework/Actions.h"

#include <algorithm>

TAction::~TAction() {
  // Whatever is bound to us, a control or a menu item, lets go of the action now.
  const std::vector<IActionClient*> clients = std::move(FClients);
  FClients.clear();
  for (IActionClient* c : clients) c->ActionDestroyed(*this);
}

void TAction::SetCaption(const std::string& caption) {
  FCaption = caption;
  Changed();
}

void TAction::SetChecked(bool checked) {
  if (FChecked == checked) return;
  FChecked = checked;
  Changed();
}

void TAction::SetImageIndex(int index) {
  if (FImageIndex == index) return;
  FImageIndex = index;
  Changed();
}

bool TAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

void TAction::AddClient(IActionClient& client) {
  FClients.push_back(&client);
  client.ActionChanged(*this);
}

void TAction::RemoveClient(IActionClient& client) {
  FClients.erase(std::remove(FClients.begin(), FClients.end(), &client), FClients.end());
}

void TAction::Changed() {
  const std::vector<IActionClient*> clients = FClients;
  for (IActionClient* c : clients) c->ActionChanged(*this);
}
