// Commands: filing them in the current document's journal and handing them
// back to the extension that submitted them (services 3, 7..28).
//
// A command is filed, then delivered at once as a command record in the low
// arena (vantor/command_record.h): message 8 with the document's local data of
// a window extension, message 10 with the local data of the computed channel
// the command's index names. Delivery is re-entrant: an extension may submit
// further commands while performing one. A key that maps to no extension, an
// extension not open on the current document, a computed function not on the
// channel the index names, or no current document: nothing is filed or
// delivered. Data (17, 28) is copied before the call returns; the copy handed
// over lies in the low arena and lives for the delivery only. Data submitted
// under a key with a swap procedure is filed in storage order (the procedure
// with toStorage true) and converted back on a copy before each delivery;
// when the procedure refuses the data (a non-zero result) it is filed as it is.
#pragma once

#include <cstdint>
#include <span>

#include "host/command_journal.h"
#include "vantor/services.h"

namespace host {

class Document;

// Services 7..28 (and 3), installed by InstallCommandServices.
void SetCommandSwapProc(std::uint16_t key, vantor::CommandSwapProc proc);
vantor::CommandSwapProc CommandSwapProcFor(std::uint16_t key);

// Files and delivers one command made from a submission. The entry's
// extension names are filled from the key. False when it went nowhere.
bool SubmitCommand(std::uint16_t key, JournalEntry entry);
// Delivers the whole settings record of a computed channel as command 8192
// (in the layout of 28: channel at 4, size at 8, copy's address at 10), filed
// like a submission.
bool SubmitSettingsRecord(Document& document, int channel, std::span<const unsigned char> record);

// A command the user gives through an extension's menu item or toolbar
// button (its key), performed by the extension at once with no values. It is
// not filed: the commands the extension submits while performing it are the
// user's settings, filed as top-level entries, so reopening the document does
// not run the menu's dialog or printing again. False when the key names no
// window extension open on the document.
bool PerformUserCommand(Document& document, std::uint16_t key);

// Delivers a filed entry to the document's extensions without filing it.
bool DeliverEntry(Document& document, const JournalEntry& entry);
// Delivers every top-level entry of the document's journal again, in order
// (after reopening: the computed functions attached and the window
// extensions opened afresh). Nothing is filed meanwhile. Returns how many
// entries reached an extension.
int ReplayJournal(Document& document);

// Nesting of deliveries in progress (0 outside any delivery).
int DeliveryDepth();

}  // namespace host
