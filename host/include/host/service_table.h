// The host's one service table, shared by every extension it loads.
#pragma once

#include <vector>

#include "vantor/service_table.h"

namespace host {

// Created on first use in the low arena, with every service installed.
vantor::ServiceTable& Services();
// The table's address as entry points receive it.
std::uint32_t ServicesAddress();

// The groups of services, each defined in its own source file as
// Install<Group>Services, in the order they are installed. This list is the
// only place a group is named: it declares them and MakeTable installs them.
#define VANTOR_HOST_SERVICE_GROUPS(X) \
  X(Memory) \
  X(Text) \
  X(Alert) \
  X(Extension) \
  X(Query) \
  X(DataObject) \
  /* The document model: data services, ranges, commands, channels. */ \
  X(DataPosition) \
  X(DataSample) \
  X(DataRecord) \
  X(Range) \
  X(Command) \
  X(Channel) \
  /* Formatting, measuring, drawing and dialog services. */ \
  X(NumberFormat) \
  X(ChannelUnit) \
  X(String) \
  X(ListString) \
  X(Busy) \
  X(OutputRequest) \
  X(PenStyle) \
  X(Shading) \
  X(TextDrawing) \
  X(Icon) \
  X(TextBuffer) \
  X(DialogItem) \
  X(DialogNumber) \
  X(DialogProcedure) \
  X(Window) \
  X(WindowPlacement) \
  X(ChannelMenu) \
  X(Menu) \
  X(ModalDialog) \
  /* Axes (scale objects) and output jobs. */ \
  X(Scale) \
  X(OutputJob)

#define VANTOR_DECLARE_SERVICE_GROUP(group) void Install##group##Services(vantor::ServiceTable& table);
VANTOR_HOST_SERVICE_GROUPS(VANTOR_DECLARE_SERVICE_GROUP)
#undef VANTOR_DECLARE_SERVICE_GROUP

// Last: fills every declared service that no group installed with a
// placeholder that records its call and returns a neutral value.
void InstallPlaceholderServices(vantor::ServiceTable& table);

// Calls that reached placeholders, in order, by service index.
const std::vector<int>& PlaceholderCalls();

}  // namespace host
