// Toolbox objects whose addresses travel in the host's 32-bit fields
// (windows, dialogs, controls, menus, procedure pointers) are C++ objects
// constructed in the low arena.
#pragma once

#include <new>
#include <utility>

#include "toolbox/memory.h"

namespace toolbox::internal {

template <class T, class... Args>
T* NewLowObject(Args&&... args) {
  return new (LowAlloc(sizeof(T))) T(std::forward<Args>(args)...);
}

template <class T>
void DeleteLowObject(T* object) {
  if (object == nullptr) return;
  object->~T();
  LowFree(object);
}

}  // namespace toolbox::internal
