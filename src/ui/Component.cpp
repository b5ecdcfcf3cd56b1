#include "ui/Component.h"

TComponent::~TComponent() { DestroyComponents(); }

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    // Take it out first, so that its destructor sees a consistent owner.
    std::unique_ptr<TComponent> last = std::move(FComponents.back());
    FComponents.pop_back();
    last.reset();
  }
}
