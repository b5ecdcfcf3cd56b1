// TComponent: a named object with an owner. The owner destroys what it owns, last created
// first, when it is destroyed itself.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

class TComponent {
public:
  explicit TComponent(TComponent* owner = nullptr, std::string name = {})
      : FOwner(owner), FName(std::move(name)) {}
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& Name() const { return FName; }
  TComponent* Owner() const { return FOwner; }
  std::size_t ComponentCount() const { return FComponents.size(); }
  TComponent& Component(std::size_t i) const { return *FComponents[i]; }

  // Creates a T owned by this component: new T(this, args...).
  template <class T, class... Args>
  T& Create(Args&&... args) {
    auto component = std::make_unique<T>(this, std::forward<Args>(args)...);
    T& result = *component;
    FComponents.push_back(std::move(component));
    return result;
  }

  // Destroys one owned component now.
  void DestroyComponent(TComponent& component);

  // Runs once the owner has set every stored property and the references between its
  // components.
  virtual void Loaded() {}
  // Asks for Notification(component) when component is destroyed. The link goes both ways,
  // so whichever of the two goes first, the other is told and never keeps a dead pointer.
  void FreeNotification(TComponent& component);
  void RemoveFreeNotification(TComponent& component);

protected:
  // Destroys owned components now, last first (a derived destructor that must outlive its
  // components' teardown calls this before its own members go).
  void DestroyComponents();
  // component is being destroyed: forget every reference to it.
  virtual void Notification(TComponent& component) { (void)component; }

private:
  TComponent* FOwner;
  std::string FName;
  std::vector<std::unique_ptr<TComponent>> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};
