// Runs an action at the end of a scope, also when the scope is left by an exception.
#pragma once

template <class F>
struct TFinally {
  F Action;
  ~TFinally() { Action(); }
};
template <class F>
TFinally(F) -> TFinally<F>;
