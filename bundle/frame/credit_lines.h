// The credit line of each extension of the bundle: a constant text by which
// a sibling asks the host for the extension's identity (HostService638). The
// texts are the names the host lists the extensions by.
#pragma once

namespace spiro {

inline constexpr unsigned char kRespiratoryCreditLine[] = "\x0aSpirometry";
inline constexpr unsigned char kFlowCreditLine[] = "\x0fSpirometry Flow";
inline constexpr unsigned char kVolumeCreditLine[] = "\x11Spirometry Volume";

static_assert(sizeof kRespiratoryCreditLine == 1 + 10 + 1);
static_assert(sizeof kFlowCreditLine == 1 + 15 + 1);
static_assert(sizeof kVolumeCreditLine == 1 + 17 + 1);

}  // namespace spiro
