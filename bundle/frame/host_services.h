// The host's services as the bundle calls them.
//
// Every entry-point call stores the table address it was given; the wrappers
// (one per service, grouped by theme in the host_services_*.h headers, all
// included here) reach their entries through it. The table pointer and the
// host data object are bundle-wide, shared by the three extensions, and
// touched only inside entry-point calls (one at a time, on the main thread).
#pragma once

#include <cstdint>

#include "frame/host_services_commands.h"
#include "frame/host_services_data.h"
#include "frame/host_services_dialogs.h"
#include "frame/host_services_drawing.h"
#include "frame/host_services_host.h"
#include "frame/host_services_memory.h"
#include "frame/host_services_menus.h"
#include "frame/host_services_output.h"
#include "frame/host_services_ranges.h"
#include "frame/host_services_scales.h"
#include "frame/host_services_strings.h"
#include "vantor/service_table.h"

// Replaces the stored table address (a u32 below 4 GiB).
void SetHostServiceTable(std::uint32_t address);
// The stored table; null before the first entry-point call.
const vantor::ServiceTable* HostServiceTable();

// The host data object: created with HostGetDataObject(1) at the first use
// of any data service, then kept for the life of the bundle.
void* HostDataObject();
// Forgets the data object as unloading the bundle does; for tests, which
// load the bundle's code once for many simulated hosts.
void ForgetHostDataObject();
