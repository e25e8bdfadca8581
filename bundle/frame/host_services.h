// The host's services as the bundle calls them.
//
// Every entry-point call stores the table address it was given; the wrappers
// (one per service: generated from the service list in
// host_service_wrappers.h, written by hand for services that exchange a
// record, grouped by theme in the host_services_*.h headers, all included
// here) reach their entries through it. The table pointer and the host data
// object are bundle-wide, shared by the three extensions, and touched only
// inside entry-point calls (one at a time, on the main thread).
#pragma once

#include "frame/host_service_entry.h"
#include "frame/host_service_wrappers.h"
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
