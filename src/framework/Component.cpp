#include "framework/Component.h"

#include <algorithm>

TComponent::~TComponent() {
  // Those that refer to this one let go of it first, while its components still exist.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    std::erase(other->FFreeNotifies, this);
    other->Notification(*this);
  }
  DestroyComponents();
}

void TComponent::FreeNotification(TComponent& component) {
  if (&component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), &component) == FFreeNotifies.end()) {
    FFreeNotifies.push_back(&component);
    component.FFreeNotifies.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent& component) {
  std::erase(FFreeNotifies, &component);
  std::erase(component.FFreeNotifies, this);
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    // Take it out first, so that its destructor sees a consistent owner.
    std::unique_ptr<TComponent> last = std::move(FComponents.back());
    FComponents.pop_back();
    last.reset();
  }
}

void TComponent::DestroyComponent(TComponent& component) {
  for (auto it = FComponents.begin(); it != FComponents.end(); ++it)
    if (it->get() == &component) {
      std::unique_ptr<TComponent> doomed = std::move(*it);
      FComponents.erase(it);
      return;
    }
}
