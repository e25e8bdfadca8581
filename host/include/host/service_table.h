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
// Last: fills every declared service that no group installed with a
// placeholder that records its call and returns a neutral value.
void InstallPlaceholderServices(vantor::ServiceTable& table);

// Calls that reached placeholders, in order, by service index.
const std::vector<int>& PlaceholderCalls();
void ClearPlaceholderCalls();

}  // namespace host
