// The root of the extension class tree.
//
// Each extension is one statically allocated object that lives as long as the
// bundle is loaded; no destructor is ever run (the classes are trivially
// destructible, so none is registered). hostRef is zero from static storage
// until message 0 delivers it; every request for the extension's own
// resources or identifiers passes it to the host.
#pragma once

#include <cstdint>

#include "toolbox/dialogs.h"
#include "toolbox/mac_types.h"
#include "toolbox/windows.h"
#include "vantor/services.h"

namespace spiro {

class VantorExtensionBase {
 public:
  // Slot order is part of the class's contract; keep it.
  virtual std::int32_t SwapSettingsByteOrder(void* settings, std::uint32_t sizeBytes,
                                             bool toStorage);
  virtual bool Initialize();
  virtual void RegisterWithHost();
  virtual std::uint32_t HandleMessage5();
  virtual void Terminate();
  virtual std::uint32_t GetExtensionKind() = 0;

  // Messages 0..4, shared by both templates. Stores the service table first,
  // whatever the message.
  std::int32_t DispatchCommon(std::int16_t message, void* block, std::uint32_t serviceTable);

  void BeginResources() const;
  void EndResources() const;
  std::int16_t MapLocalId(std::uint16_t localId) const;
  void RegisterCommandSwapProc(std::uint16_t localId, vantor::CommandSwapProc proc) const;
  // Let the host place a window or dialog made from the extension's resource
  // resId (defined with the window utilities, util/window_placement.cpp).
  void PlaceWindow(WindowRef window, std::int16_t resId, std::int16_t a, std::uint32_t b) const;
  void PlaceDialog(DialogRef dialog, std::int16_t resId, std::int16_t a) const;

  std::int16_t hostRef;

 protected:
  VantorExtensionBase() = default;
  ~VantorExtensionBase() = default;
  VantorExtensionBase(const VantorExtensionBase&) = delete;
  VantorExtensionBase& operator=(const VantorExtensionBase&) = delete;
};

}  // namespace spiro
