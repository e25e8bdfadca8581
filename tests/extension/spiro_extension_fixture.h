// The window extension with the bundle's own resources, called in process
// as the host would: one document's record, command records in low memory.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "support/spirometry_host.h"
#include "support/extension_resources.h"
#include "extension/respiratory_extension.h"
#include "extension/spiro_records.h"
#include "frame/host_services.h"
#include "host/alerts.h"
#include "host/extension_registry.h"
#include "host/service_table.h"
#include "toolbox/memory.h"
#include "toolbox/resources.h"
#include "vantor/byte_access.h"

using namespace spiro;

class SpiroExtensionTest : public ::testing::Test {
 protected:
  static constexpr std::int16_t kHostRef = 11;
  static constexpr toolbox::MemoryOwner kOwner = 811;
  using Local = spirometry::LocalDataType**;

  void SetUp() override {
    SetHostServiceTable(host::ServicesAddress());
    extensionFile_ = OpenBundleResources();
    documentFile_ = toolbox::OpenResourceBytes(toolbox::EmptyResourceFileBytes());
    ASSERT_GT(extensionFile_, 0);
    host::RegisterExtension({kHostRef, "Spirometry", extensionFile_});
    UseResFile(documentFile_);
    gRespiratoryExtension.hostRef = kHostRef;
    host::SetAlertsQuiet(true);
    host::ClearAlerts();
  }
  void TearDown() override {
    toolbox::FailAllocationAfter(0);
    Dispose();
    for (void* p : low_) toolbox::LowFree(p);
    host::UnregisterExtension(kHostRef);
    CloseResFile(documentFile_);
    CloseResFile(extensionFile_);
    host::SetAlertsQuiet(false);
  }

  Local Open() {
    const toolbox::ScopedMemoryOwner owner(kOwner);
    local_ = gRespiratoryExtension.NewLocalData();
    return local_;
  }
  void Dispose() {
    const toolbox::ScopedMemoryOwner owner(kOwner);
    gRespiratoryExtension.DisposeLocalData(local_);
    local_ = nullptr;
  }
  spirometry::LocalDataType& Record() { return **local_; }
  // The plot window's record; the handle may move, so fetch it again after any call.
  spirometry::SpiroPlotWindowRecord& Plot() {
    return **reinterpret_cast<spirometry::SpiroPlotWindowRecord**>(Record().windowRecords[spirometry::kPlotWindow - 1]);
  }

  // Bytes in low memory, as the host passes them.
  unsigned char* LowCopy(const std::vector<unsigned char>& bytes) {
    auto* p = static_cast<unsigned char*>(toolbox::LowAlloc(bytes.size() + 1));
    std::memcpy(p, bytes.data(), bytes.size());
    low_.push_back(p);
    return p;
  }
  // A command record: format, code, first value, then the values' bytes.
  void Perform(std::uint16_t code, std::int32_t first, const std::vector<unsigned char>& values,
               std::int16_t format = 0) {
    std::vector<unsigned char> record(32, 0);
    vantor::StoreAt(record.data(), 0, format);
    vantor::StoreAt(record.data(), 2, code);
    vantor::StoreAt(record.data(), 4, first);
    std::copy(values.begin(), values.end(), record.begin() + 8);
    const toolbox::ScopedMemoryOwner owner(kOwner);
    gRespiratoryExtension.PerformCommand(LowCopy(record), local_);
  }
  void PerformShorts(std::uint16_t code, std::int32_t first, std::int16_t a, std::int16_t b = 0) {
    std::vector<unsigned char> values(4);
    vantor::StoreAt(values.data(), 0, a);
    vantor::StoreAt(values.data(), 2, b);
    Perform(code, first, values);
  }
  // Command 25: type, size, and the data at a low address.
  void PerformSettings(OSType type, const std::vector<unsigned char>& data,
                       std::int16_t statedSize) {
    std::vector<unsigned char> values(6);
    vantor::StoreAt(values.data(), 0, statedSize);
    vantor::StoreAt(values.data(), 2, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(
                                          data.empty() ? nullptr : LowCopy(data))));
    Perform(spirometry::kSettingsBlockCommand, static_cast<std::int32_t>(type), values);
  }
  void MenuRequest(std::int16_t code, std::uint32_t data) {
    const toolbox::ScopedMemoryOwner owner(kOwner);
    gRespiratoryExtension.DoMenuCommand(code, 0, data, local_);
  }

  Local local_ = nullptr;
  std::int16_t extensionFile_ = -1;
  std::int16_t documentFile_ = -1;
  std::vector<void*> low_;
};
