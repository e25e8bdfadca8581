// The context of a settings dialog (a HostNewPtr block) with its selection and
// working-copy handles, released together whatever way the dialog ends; the
// dialog's item procedures stop finding it as the active one.
#pragma once

#include "frame/host_services_memory.h"

namespace spiro {

namespace computed {

template <class Context, void (*SetActive)(Context*)>
class DialogContextOwner {
 public:
  DialogContextOwner() = default;
  ~DialogContextOwner() {
    if (context_ == nullptr) return;
    if (context_->selection != nullptr) HostDisposeHandle(context_->selection);
    if (context_->working != nullptr) HostDisposeHandle(context_->working);
    SetActive(nullptr);
    HostDisposePtr(reinterpret_cast<Ptr>(context_));
  }
  DialogContextOwner(const DialogContextOwner&) = delete;
  DialogContextOwner& operator=(const DialogContextOwner&) = delete;

  // A value-initialised context; null when memory ran out.
  Context* Allocate() {
    context_ = reinterpret_cast<Context*>(HostNewPtr(sizeof(Context)));
    if (context_ != nullptr) *context_ = Context{};
    return context_;
  }
  Context& context() { return *context_; }

 private:
  Context* context_ = nullptr;
};

}  // namespace computed

}  // namespace spiro
