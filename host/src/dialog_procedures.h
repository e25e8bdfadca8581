// Procedures the host hands extensions for their dialogs, as the 32-bit
// references HostQueryValue reports (selectors 200 and 205). Both live in
// the low arena for the life of the program.
#pragma once

#include <cstdint>

namespace host {

// Selector 200: a user-item procedure (UserItemUPP) that draws the host's
// standard frame around the item, the one HostStandardItemProc122 draws.
std::uint32_t StandardUserItemReference();
// Selector 205: the standard modal filter (ModalFilterUPP): return and enter
// hit the default item, escape the cancel item.
std::uint32_t StandardModalFilterReference();

}  // namespace host
