#include "framework/Component.h"

TComponent::~TComponent() { DestroyComponents(); }

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
