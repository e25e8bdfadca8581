// The host's one service table, shared by every extension it loads.
#pragma once

#include <vector>

#include "vantor/service_table.h"

namespace host {

// Created on first use in the low arena, with every service installed.
vantor::ServiceTable& Services();
// The table's address as entry points receive it.
std::uint32_t ServicesAddress();

// Groups of services, each defined in its own source file.
void InstallMemoryServices(vantor::ServiceTable& table);
void InstallTextServices(vantor::ServiceTable& table);
void InstallAlertServices(vantor::ServiceTable& table);
void InstallExtensionServices(vantor::ServiceTable& table);
void InstallQueryServices(vantor::ServiceTable& table);
void InstallDataObjectServices(vantor::ServiceTable& table);
// The document model: data services, ranges, commands, channels.
void InstallDataPositionServices(vantor::ServiceTable& table);
void InstallDataSampleServices(vantor::ServiceTable& table);
void InstallDataRecordServices(vantor::ServiceTable& table);
void InstallRangeServices(vantor::ServiceTable& table);
void InstallCommandServices(vantor::ServiceTable& table);
void InstallChannelServices(vantor::ServiceTable& table);
// Formatting, measuring, drawing and dialog services.
void InstallNumberFormatServices(vantor::ServiceTable& table);
void InstallChannelUnitServices(vantor::ServiceTable& table);
void InstallStringServices(vantor::ServiceTable& table);
void InstallListStringServices(vantor::ServiceTable& table);
void InstallBusyServices(vantor::ServiceTable& table);
void InstallOutputRequestServices(vantor::ServiceTable& table);
void InstallPenStyleServices(vantor::ServiceTable& table);
void InstallShadingServices(vantor::ServiceTable& table);
void InstallTextDrawingServices(vantor::ServiceTable& table);
void InstallIconServices(vantor::ServiceTable& table);
void InstallTextBufferServices(vantor::ServiceTable& table);
void InstallDialogItemServices(vantor::ServiceTable& table);
void InstallDialogNumberServices(vantor::ServiceTable& table);
void InstallDialogProcedureServices(vantor::ServiceTable& table);
void InstallWindowServices(vantor::ServiceTable& table);
void InstallWindowPlacementServices(vantor::ServiceTable& table);
void InstallChannelMenuServices(vantor::ServiceTable& table);
void InstallModalDialogServices(vantor::ServiceTable& table);
// Axes (scale objects) and output jobs.
void InstallScaleServices(vantor::ServiceTable& table);
void InstallOutputJobServices(vantor::ServiceTable& table);
// Last: fills every declared service that no group installed with a
// placeholder that records its call and returns a neutral value.
void InstallPlaceholderServices(vantor::ServiceTable& table);

// Calls that reached placeholders, in order, by service index.
const std::vector<int>& PlaceholderCalls();
void ClearPlaceholderCalls();

}  // namespace host
