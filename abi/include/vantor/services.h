// The C++ signature of every host service an extension calls, by table index.
//
// Conventions both sides rely on:
// - Arguments are in the order the calling code lists them.
// - A service whose result is a record (a Str255 or larger) writes it into a
//   caller-supplied buffer passed first; a Str255 result or out argument is a
//   `Str255*` (256 bytes), an in-place string a plain `unsigned char*`.
// - Data services (the Data* names) take the host data object first.
// - Handles are `Handle`, host objects (dialogs, windows, menus, scales, jobs,
//   menu items) `void*`; both lie below 4 GiB.
// - Command keys are u16 in 1..32767, as HostMapExtensionId hands them out.
#pragma once

#include <cstddef>
#include <cstdint>

#include "toolbox/mac_types.h"
#include "vantor/service_table.h"

namespace vantor {

// Host records that services fill or read by address (layouts live with the
// records themselves).
struct ChannelScaling;    // 118 bytes: a channel's conversion to its units
struct ChannelScaleInfo;  // 72 bytes: base unit, raw and unit factors
struct BlockTimeFormat;   // a block's time unit and sampling interval

// The host's selection record, handed around as bytes.
inline constexpr std::size_t kRangeRecordBytes = 400;
// The record that service 45 makes for a buffered text box.
inline constexpr std::size_t kTextBufferRecordBytes = 36;
// The record that service 494 fills for a block.
inline constexpr std::size_t kBlockRecord494Bytes = 12;
// The packed {i16 block, i16 offset} that service 465 reads.
inline constexpr std::size_t kBlockOffsetBytes = 4;
inline constexpr std::size_t kBlockOffsetBlockAt = 0;
inline constexpr std::size_t kBlockOffsetOffsetAt = 2;

// Converts command data filed under a key between native and stored
// (big-endian) order in place; the value argument carries nothing. 0 = success.
using CommandSwapProc = std::int32_t (*)(void* data, std::uint32_t value, std::uint32_t size,
                                         bool toStorage);
// Draws one user item of a dialog.
using UserItemProc = void (*)(void* dialog, std::int16_t item);
// Draws one page of an output job into the page rectangle at the given scale;
// local is the handle the job was started for. Returns 0.
using OutputPageProc = std::int32_t (*)(const Rect* page, std::int32_t unused, std::int16_t scale,
                                        Handle local);
// Supplies a picture for the destination rectangle; 1 when it did, else 0.
using OutputPictureProc = std::int32_t (*)(const Rect* destination, std::int16_t scale,
                                           Handle local);
// A procedure reference as HostQueryValue reports it (selectors 200, 205) and
// as the modal loop takes its filter: 32 bits, like every host reference.
using HostProcedure = std::uint32_t;

}  // namespace vantor

// --- Commands -------------------------------------------------------------
// Each submission is filed by the host and handed straight back as a command
// record (message 8 general, 10 computed): local code at 2, values from 4.

// key, procedure: the host converts data filed under key with the procedure.
VANTOR_SERVICE(3, HostSetCommandSwapProc, void, std::uint16_t, CommandSwapProc)
// key, index (window kind or channel), value: i16 at 8.
VANTOR_SERVICE(7, HostSubmitCommandShort, void, std::uint16_t, std::int32_t, std::int16_t)
// key, index, a, b: i16 at 8 and 10 (pop-up option changes).
VANTOR_SERVICE(8, HostSubmitCommandShortPairAlt, void, std::uint16_t, std::int32_t, std::int16_t,
               std::int16_t)
// key, index, a, b: i16 at 8 and 10 (window moves and sizes).
VANTOR_SERVICE(10, HostSubmitCommandShortPair, void, std::uint16_t, std::int32_t, std::int16_t,
               std::int16_t)
// key, index, flag: u8 at 8.
VANTOR_SERVICE(16, HostSubmitCommandFlag, void, std::uint16_t, std::int32_t, bool)
// key, index, data: the bytes at data (an output rectangle) from 8.
VANTOR_SERVICE(17, HostSubmitCommandData, void, std::uint16_t, std::int32_t, const void*)
// key, index, value: f64 at 8.
VANTOR_SERVICE(18, HostSubmitCommandDouble, void, std::uint16_t, std::int32_t, double)
// key, index, a, b: f64 at 8 and 16; the record's value format is 25.
VANTOR_SERVICE(19, HostSubmitCommandDoublePair, void, std::uint16_t, std::int32_t, double, double)
// key, four-character type ("~Oth", "~Sbj", "****"), size, data: type at 4,
// i16 size at 8, data at 10. Size 0 with null data is delivered with nothing to apply.
VANTOR_SERVICE(28, HostSubmitCommandBlock, void, std::uint16_t, OSType, std::int16_t, const void*)
// local code, hostRef: the key (1..32767) under which the host files the
// extension's commands with that code; the same pair always maps to the same key.
VANTOR_SERVICE(630, HostMapExtensionId, std::int16_t, std::uint16_t, std::int16_t)

// --- Dialogs --------------------------------------------------------------
// Dialogs come from the extension's resources and are placed, shown, run one
// modal step at a time and disposed through the host.

// resource id: the dialog, null when it cannot be made.
VANTOR_SERVICE(78, HostGetNewDialog, void*, std::int16_t)
// filter (HostQueryValue(205) or the extension's own), item hit out: one modal step.
VANTOR_SERVICE(79, HostModalDialog, void, HostProcedure, std::int16_t*)
// dialog, item: the item's bounds.
VANTOR_SERVICE(102, HostGetDialogItemRect, Rect, void*, std::int16_t)
// dialog, item, text.
VANTOR_SERVICE(106, HostSetDialogItemText, void, void*, std::int16_t, ConstStr255Param)
// text out, dialog, item: the item's text.
VANTOR_SERVICE(107, HostGetDialogItemText, void, Str255*, void*, std::int16_t)
// dialog, item, enable.
VANTOR_SERVICE(109, HostEnableDialogItem, void, void*, std::int16_t, bool)
// Dialog service with no fixed use and no arguments.
VANTOR_SERVICE(110, HostService110, void, void)
// dialog, item, checked: check box or radio button state.
VANTOR_SERVICE(112, HostSetDialogItemChecked, void, void*, std::int16_t, bool)
// dialog, item, menu item: sets a pop-up's value (1-based).
VANTOR_SERVICE(113, HostService113, void, void*, std::int16_t, std::int16_t)
// dialog, item: the control's value (pop-ups: the 1-based item).
VANTOR_SERVICE(118, HostGetDialogItemValue, std::int16_t, void*, std::int16_t)
// The host's two standard user-item procedures, handed to HostSetDialogItemProc.
VANTOR_SERVICE(121, HostStandardItemProc121, void, void*, std::int16_t)
VANTOR_SERVICE(122, HostStandardItemProc122, void, void*, std::int16_t)
// dialog, item, procedure: draws the user item with the procedure.
VANTOR_SERVICE(135, HostSetDialogItemProc, void, void*, std::int16_t, UserItemProc)
// dialog: before the modal loop.
VANTOR_SERVICE(145, HostShowDialog, void, void*)
// dialog: after the modal loop.
VANTOR_SERVICE(146, HostDisposeDialog, void, void*)
// dialog, item: the pop-up's menu.
VANTOR_SERVICE(191, HostGetDialogItemMenu, void*, void*, std::int16_t)
// dialog, item, value.
VANTOR_SERVICE(192, HostSetDialogItemValue, void, void*, std::int16_t, std::int16_t)
// dialog, item, minimum, maximum: checks the integer typed into an edit item.
VANTOR_SERVICE(210, HostService210, void, void*, std::int16_t, std::int32_t, std::int32_t)
// dialog, item, minimum, maximum: the number in an edit item, held to the limits.
VANTOR_SERVICE(212, HostService212, double, void*, std::int16_t, double, double)
// dialog, item, first menu item (1), two zeros: fills the pop-up with the
// document's channels, item c naming channel c.
VANTOR_SERVICE(568, HostService568, void, void*, std::int16_t, std::int16_t, std::int16_t,
               std::int16_t)

// --- Alerts, strings and numbers ------------------------------------------

// message: shown to the user.
VANTOR_SERVICE(81, HostAlert, void, ConstStr255Param)
// message: the other way of showing one, chosen by HostQueryValue(100/101).
VANTOR_SERVICE(82, HostAlert82, void, ConstStr255Param)
// decimal text: its integer.
VANTOR_SERVICE(85, HostStringToLong, std::int32_t, ConstStr255Param)
// decimal text: its value.
VANTOR_SERVICE(87, HostStringToDouble, double, ConstStr255Param)
// text out, value, decimals, flag (1 throughout): the number with those decimals.
VANTOR_SERVICE(88, HostDoubleToString, void, Str255*, double, std::int16_t, bool)
// text, 0: folds the text to lower case in place.
VANTOR_SERVICE(94, HostService94, void, unsigned char*, std::int16_t)
// destination, source: source appended to destination in place (cut at 255).
VANTOR_SERVICE(95, HostAppendString, void, unsigned char*, ConstStr255Param)
// template, 2, window title: turns the template into an output title in place.
VANTOR_SERVICE(96, HostService96, void, unsigned char*, std::int16_t, ConstStr255Param)
// string-list handle, index (1-based), text out: the index-th string.
VANTOR_SERVICE(181, HostGetListString, void, Handle, std::int16_t, Str255*)
// sample index, time format, two flags, text out: the time of the sample.
VANTOR_SERVICE(336, HostFormatNumber336, void, std::int32_t, const BlockTimeFormat*, std::int16_t,
               std::int16_t, Str255*)
// Number-formatting service with no fixed use and no arguments.
VANTOR_SERVICE(339, HostService339, void, void)
// sample value, channel scaling, three flags, text out: the value in the
// channel's units.
VANTOR_SERVICE(340, HostFormatNumber340, void, double, const ChannelScaling*, std::int16_t,
               std::int16_t, std::int16_t, Str255*)
// unit text out, scaling: the scaling's unit text.
VANTOR_SERVICE(343, HostService343, void, Str255*, const ChannelScaling*)
// text: a line of copied report text, adjusted in place for the clipboard.
VANTOR_SERVICE(389, HostService389, void, unsigned char*)

// --- Memory ---------------------------------------------------------------
// Relocatable blocks move only while unlocked; callers save the handle state,
// lock around a use of the block's address and restore the state after.

// size: a new handle, null on failure (used for growing lists).
VANTOR_SERVICE(306, HostNewHandleAlt, Handle, std::uint32_t)
// size: a new handle, null on failure.
VANTOR_SERVICE(307, HostNewHandle, Handle, std::uint32_t)
// size: a non-relocatable block, null on failure.
VANTOR_SERVICE(309, HostNewPtr, Ptr, std::uint32_t)
VANTOR_SERVICE(311, HostLockHandle, void, Handle)
VANTOR_SERVICE(312, HostUnlockHandle, void, Handle)
// a resource handle just detached from its file, handed to the host to keep track of.
VANTOR_SERVICE(314, HostService314, void, Handle)
VANTOR_SERVICE(315, HostDisposePtr, void, Ptr)
VANTOR_SERVICE(318, HostDisposeHandle, void, Handle)
// handle: its size in bytes.
VANTOR_SERVICE(319, HostGetHandleSize, std::uint32_t, Handle)
// handle, size: resizes, keeping the contents; failure shows in MemError.
VANTOR_SERVICE(320, HostSetHandleSize, void, Handle, std::uint32_t)
// source, destination, count: copies count bytes (the ranges may overlap).
VANTOR_SERVICE(323, HostMoveBytes, void, const void*, void*, std::uint32_t)
// address of a handle: replaced by a copy of its block; 0 or the memory error.
VANTOR_SERVICE(324, HostDuplicateHandle, std::int32_t, Handle*)
// handle: its state byte, bit 7 = locked.
VANTOR_SERVICE(326, HostGetHandleState, std::int8_t, Handle)
// handle, state: restores a state that HostGetHandleState returned.
VANTOR_SERVICE(327, HostSetHandleState, void, Handle, std::int8_t)

// --- Windows and drawing --------------------------------------------------

// text, rectangle, 32: draws a phase label inside the rectangle.
VANTOR_SERVICE(31, HostService31, void, ConstStr255Param, const Rect*, std::int16_t)
// icon family id, rectangle, width, height, and three mode values (0, 1, 0):
// draws the icon into the rectangle.
VANTOR_SERVICE(37, HostService37, void, std::int16_t, const Rect*, std::int16_t, std::int16_t,
               std::int16_t, std::int16_t, std::int16_t)
// record out (36 bytes), buffer rectangle, mode (1), 0: makes an offscreen
// buffer for a text box; the u32 at byte 30 of the record refers to it.
VANTOR_SERVICE(45, HostService45, void, unsigned char*, const Rect*, std::int16_t, std::int16_t)
// text box: releases its buffer.
VANTOR_SERVICE(48, HostService48, void, void*)
// text box: drawing goes to its buffer from now on.
VANTOR_SERVICE(50, HostService50, void, void*)
// text box: drawing goes back to the window.
VANTOR_SERVICE(51, HostService51, void, void*)
// text box, buffer rectangle, box rectangle, 0: shows the buffer in the window.
VANTOR_SERVICE(54, HostService54, void, void*, const Rect*, const Rect*, std::int16_t)
// Sets the foreground to the host's dimming colour.
VANTOR_SERVICE(68, HostService68, void, void)
// window: a window the extension has just made.
VANTOR_SERVICE(73, HostService73, void, void*)
// rectangle, style (-6, -11), 1: prepares (erases, shades) the rectangle,
// which it may adjust.
VANTOR_SERVICE(74, HostService74, void, Rect*, std::int16_t, std::int16_t)
// Window service with no fixed use and no arguments.
VANTOR_SERVICE(77, HostService77, void, void)
// window: hides it.
VANTOR_SERVICE(140, HostService140, void, void*)
// window: shows it.
VANTOR_SERVICE(141, HostService141, void, void*)
// window, width, height, update: sizes the window.
VANTOR_SERVICE(143, HostService143, void, void*, std::int16_t, std::int16_t, bool)
// window, part (7 in, 8 out), front, update: zooms the window.
VANTOR_SERVICE(144, HostService144, void, void*, std::int16_t, bool, bool)
// window: shows it (a window the user asked to see).
VANTOR_SERVICE(147, HostService147, void, void*)
// text, x, y, justification (0 left, 1 centred): draws the text at the point.
VANTOR_SERVICE(169, HostService169, void, ConstStr255Param, std::int16_t, std::int16_t, std::int16_t)
// pen kind (0x4000 trace, 0x8000 dotted, 0x10000 frame, 0x20000 dot), scale.
VANTOR_SERVICE(170, HostService170, void, std::int32_t, std::int16_t)
// rectangle, scale: multiplies the rectangle by the scale in place.
VANTOR_SERVICE(171, HostService171, void, Rect*, std::int16_t)
// window, h, v, front: moves the content's top-left to global (h, v).
VANTOR_SERVICE(173, HostService173, void, void*, std::int16_t, std::int16_t, bool)
// window, active.
VANTOR_SERVICE(263, HostService263, void, void*, bool)
// window, owner name, "WIND" or "DLOG", resource id, a, b: places the window.
VANTOR_SERVICE(302, HostPositionWindow, void, void*, ConstStr255Param, OSType, std::int16_t,
               std::int16_t, std::uint32_t)
// text: its width in the current font.
VANTOR_SERVICE(344, HostService344, std::int16_t, ConstStr255Param)
// text, x, y, direction (0 left to right, -1 right to left): draws a column.
VANTOR_SERVICE(345, HostService345, void, ConstStr255Param, std::int16_t, std::int16_t, std::int16_t)
// text, rectangle, 1: draws the text wrapped into the rectangle.
VANTOR_SERVICE(346, HostService346, void, ConstStr255Param, const Rect*, std::int16_t)
// text, box, 0, 1, 1: draws a label into the box.
VANTOR_SERVICE(348, HostService348, void, ConstStr255Param, const Rect*, std::int16_t, std::int16_t,
               std::int16_t)
// colour style (100, 133, channel + 100): the foreground colour for drawing.
VANTOR_SERVICE(530, HostSetDrawStyle530, void, std::int16_t)
// colour style (202): the second drawing style.
VANTOR_SERVICE(531, HostSetDrawStyle531, void, std::int16_t)

// --- Menus and the toolbar ------------------------------------------------

// group, key, image file name, label, hostRef: adds a toolbar button. The
// image name is a NUL-terminated UTF-8 file name of the bundle's resources.
VANTOR_SERVICE(164, HostService164, void, std::int16_t, std::uint16_t, const char*, ConstStr255Param,
               std::int16_t)
// title, 0: a new toolbar group.
VANTOR_SERVICE(165, HostService165, std::int16_t, ConstStr255Param, std::int16_t)
// menu, first item, 0, 0: appends the channel names, item first + c - 1 naming channel c.
VANTOR_SERVICE(567, HostService567, void, void*, std::int16_t, std::int16_t, std::int16_t)
// "menu:item" text, 32, key: adds a menu item; the item's reference.
VANTOR_SERVICE(631, HostService631, void*, ConstStr255Param, std::int16_t, std::uint16_t)
// item, marked: sets the item's check mark.
VANTOR_SERVICE(634, HostService634, void, void*, bool)
// menu text: adds a separator to the extension's menu.
VANTOR_SERVICE(636, HostService636, void, ConstStr255Param)

// --- Output jobs ----------------------------------------------------------

// report title: for the next output job.
VANTOR_SERVICE(160, HostService160, void, ConstStr255Param)
// destination, picture frame, picture, h and v percent, flag: places the
// picture in the destination; non-zero on success.
VANTOR_SERVICE(161, HostService161, std::int32_t, const Rect*, const Rect*, Handle, std::int16_t,
               std::int16_t, bool)
// name out, 1: the document's name.
VANTOR_SERVICE(528, HostService528, void, Str255*, std::int16_t)
// document (its local data handle, passed back to the procedure), page
// procedure: a new output job, null when none was made.
VANTOR_SERVICE(640, HostService640, void*, Handle, OutputPageProc)
// job, picture procedure.
VANTOR_SERVICE(642, HostService642, void, void*, OutputPictureProc)
// job, copies, show the print dialog, title: runs the job and ends it.
VANTOR_SERVICE(643, HostService643, void, void*, std::int16_t, bool, ConstStr255Param)

// --- Scales (axes) --------------------------------------------------------
// A scale object is a host axis over a raw range, converted to units by a
// channel scaling, with its own pixel mapping.

// value, 2048: a rounded value (a nice tick step or full-scale gain).
VANTOR_SERVICE(84, HostService84, double, double, std::int16_t)
// scale, upper, lower: the raw range shown.
VANTOR_SERVICE(363, HostScaleSetRange363, void, void*, double, double)
// scale, upper out, lower out: the raw range shown.
VANTOR_SERVICE(364, HostScaleGet364, void, void*, double*, double*)
// scale, 2, upper, lower: the range the axis returns to.
VANTOR_SERVICE(365, HostScaleSet365, void, void*, std::int16_t, double, double)
// scale, 2, first out, second out: the range the user typed for the axis.
VANTOR_SERVICE(367, HostService367, void, void*, std::int16_t, double*, double*)
// scale, channel menu, 1: the menu in the axis title.
VANTOR_SERVICE(368, HostScaleSet368, void, void*, void*, std::int16_t)
// scale, 4.
VANTOR_SERVICE(371, HostScaleSet371, void, void*, std::int16_t)
// scale, bits, on: sets or clears flag bits.
VANTOR_SERVICE(373, HostSetFlagBits, void, void*, std::int32_t, bool)
// scale, rectangle, vertical, title width: places the axis.
VANTOR_SERVICE(375, HostScaleSet375, void, void*, const Rect*, std::int16_t, std::int16_t)
// scale, drawing scale.
VANTOR_SERVICE(377, HostScaleSet377, void, void*, std::int16_t)
// scale, channel scaling: labels in the channel's units.
VANTOR_SERVICE(379, HostScaleSet379, void, void*, const ChannelScaling*)
// scale, title.
VANTOR_SERVICE(380, HostScaleSet380, void, void*, ConstStr255Param)
// scale, label size, label font, title size, title font.
VANTOR_SERVICE(382, HostScaleSetFonts382, void, void*, std::int16_t, std::int16_t, std::int16_t,
               std::int16_t)
// rectangle, upper, lower, vertical, 1 or 0: a new scale object, null on failure.
VANTOR_SERVICE(383, HostNewScale, void*, const Rect*, double, double, std::int16_t, std::int16_t)
// scale: disposes of it.
VANTOR_SERVICE(384, HostDisposeObject384, void, void*)
// scale, on screen: draws the axis.
VANTOR_SERVICE(385, HostScaleDraw385, void, void*, bool)
// scale, event: a click on the axis; < 0 range dragged, 0 not on the axis,
// 1 range typed, 2 default range, >= 3 channel item + 3 chosen.
VANTOR_SERVICE(386, HostService386, std::int16_t, void*, void*)
// point, scale: the cursor part over the axis, 0 when not over it.
VANTOR_SERVICE(387, HostService387, std::int16_t, Point, void*)
// scale, four outputs: third and fourth are the pixel offset and pixel scale
// (pixel = raw value * scale + offset).
VANTOR_SERVICE(404, HostService404, void, void*, double*, double*, double*, double*)

// --- Data services --------------------------------------------------------
// Called on the host data object (service 654). Block -1 means the block
// being sampled, or the last block when nothing is.

// data, packed {i16 block, i16 offset}: the absolute sample position.
VANTOR_SERVICE(465, DataPositionOfBlockOffset, std::int32_t, void*, const void*)
// data, absolute position: the block holding it.
VANTOR_SERVICE(467, DataBlockOfPosition, std::int16_t, void*, std::uint32_t)
// data, channel, block: handle of the recorded f32 samples; paired with 469.
VANTOR_SERVICE(468, DataLockBlock468, Handle, void*, std::int16_t, std::int16_t)
VANTOR_SERVICE(469, DataUnlockBlock469, void, void*, std::int16_t, std::int16_t)
// data, channel, block: non-zero when the channel has data there.
VANTOR_SERVICE(470, DataChannelHasBlock, std::uint32_t, void*, std::int16_t, std::int16_t)
// data, channel, block: handle of the displayed (computed) samples; paired with 472.
VANTOR_SERVICE(471, DataLockBlock471, Handle, void*, std::int16_t, std::int16_t)
VANTOR_SERVICE(472, DataUnlockBlock472, void, void*, std::int16_t, std::int16_t)
// data, block: samples per channel.
VANTOR_SERVICE(473, DataBlockLength, std::int32_t, void*, std::int16_t)
// data, block, out: the block's time format.
VANTOR_SERVICE(475, DataGetBlockRecord475, void, void*, std::int16_t, BlockTimeFormat*)
// data, channel, block, out: the displayed channel's scale info.
VANTOR_SERVICE(477, DataGetChannelRecord477, void, void*, std::int16_t, std::int16_t,
               ChannelScaleInfo*)
// data, channel, block, out: the displayed channel's scaling.
VANTOR_SERVICE(483, DataGetChannelRecord483, void, void*, std::int16_t, std::int16_t, ChannelScaling*)
// data, channel, block, out: the displayed channel's scaling (the analysis's).
VANTOR_SERVICE(485, DataGetChannelRecord485, void, void*, std::int16_t, std::int16_t, ChannelScaling*)
// data, block: non-zero when the block continues the previous one.
VANTOR_SERVICE(487, DataService487, std::uint32_t, void*, std::int16_t)
// data, block: the stretch that holds the block, for 493.
VANTOR_SERVICE(489, DataService489, std::int32_t, void*, std::int16_t)
// data, position, a out, b out: absolute positions a <= b bounding the
// stretch that holds the position.
VANTOR_SERVICE(491, DataService491, void, void*, std::int32_t, std::int32_t*, std::int32_t*)
// data, stretch (from 489): its first block.
VANTOR_SERVICE(493, DataService493, std::int16_t, void*, std::int32_t)
// data, out (12 bytes), block: the block record; its first u32 is the start time.
VANTOR_SERVICE(494, DataService494, void, void*, unsigned char*, std::int16_t)
// data, channel, block: non-zero when the channel has recorded data there.
VANTOR_SERVICE(496, DataService496, std::uint32_t, void*, std::int16_t, std::int16_t)
// data, channel, block, out: the recorded channel's scale info.
VANTOR_SERVICE(497, DataGetChannelRecord497, void, void*, std::int16_t, std::int16_t,
               ChannelScaleInfo*)
// data, channel, block, out: the recorded channel's scaling.
VANTOR_SERVICE(499, DataGetChannelRecord499, void, void*, std::int16_t, std::int16_t, ChannelScaling*)
// data, channel, block, out: the recorded channel's scaling (the volume source's).
VANTOR_SERVICE(501, DataGetChannelRecord501, void, void*, std::int16_t, std::int16_t, ChannelScaling*)
// data, channel, start, end: non-zero when the samples reach full scale (clipped).
VANTOR_SERVICE(504, DataService504, std::uint32_t, void*, std::int16_t, std::int32_t, std::int32_t)
// data, channel: a number that changes whenever the samples the channel
// shows (recorded or computed) may have changed; equal answers mean equal samples.
VANTOR_SERVICE(505, DataSamplesVersion, std::uint32_t, void*, std::int16_t)

// --- Ranges (the user's selection) ----------------------------------------
// The record's i32 at 8 and at 12 are the selection's start and end
// (absolute positions, end exclusive).

// range: the record describes a usable range.
VANTOR_SERVICE(511, HostRangeIsValid, bool, const unsigned char*)
// range: properties, meaningful only once 511 holds.
VANTOR_SERVICE(516, HostRangeProperty516, bool, const unsigned char*)
VANTOR_SERVICE(518, HostRangeProperty518, bool, const unsigned char*)
VANTOR_SERVICE(519, HostRangeProperty519, bool, const unsigned char*)
// range out: the two range records the active range is chosen from.
VANTOR_SERVICE(521, HostGetRangeRecord521, void, unsigned char*)
VANTOR_SERVICE(524, HostGetRangeRecord524, void, unsigned char*)

// --- The host, the document and the extension -----------------------------

// selector (58): feature test.
VANTOR_SERVICE(98, HostHasCapability, bool, std::int16_t)
// 15: once per data block processed inside HostBeginBusy/HostEndBusy.
VANTOR_SERVICE(153, HostBusyTick, void, std::int16_t)
VANTOR_SERVICE(155, HostBeginBusy, void, void)
VANTOR_SERVICE(156, HostEndBusy, void, void)
// selector: 100 recording, 101 quiet (both flags), 200 and 205 procedures
// (205 the standard modal filter), 1539 the number of channels.
VANTOR_SERVICE(172, HostQueryValue, HostProcedure, std::int16_t)
// 5, 1, out: the host's standard scale info for a computed channel.
VANTOR_SERVICE(333, HostService333, void, std::int16_t, std::int16_t, ChannelScaleInfo*)
// input kind (from 439), a out, b out, name out: the input's name.
VANTOR_SERVICE(437, HostService437, void, std::int32_t, std::int32_t*, std::int32_t*, Str255*)
// channel - 1: the kind of the channel's input, 4113 when it has none.
VANTOR_SERVICE(439, HostService439, std::int32_t, std::int16_t)
// channel, block: a computed channel is usable as a flow source there only
// while this is false.
VANTOR_SERVICE(508, HostService508, bool, std::int16_t, std::int16_t)
// channel (1-based), title out.
VANTOR_SERVICE(540, HostGetChannelName, void, std::int16_t, Str255*)
// channel: identity of the computed function on it, equal for the same
// extension and comparable with 638's; 0 for a channel without one.
VANTOR_SERVICE(572, HostService572, std::int16_t, std::int16_t)
// suffix out, channel: text appended to a settings dialog's title.
VANTOR_SERVICE(608, HostService608, void, Str255*, std::int16_t)
// hostRef: resource loads search the extension's own file first until 629.
VANTOR_SERVICE(628, HostBeginExtensionResources, void, std::int16_t)
VANTOR_SERVICE(629, HostEndExtensionResources, void, std::int16_t)
// hostRef, name out: a name of the extension, passed on to HostPositionWindow.
VANTOR_SERVICE(637, HostGetExtensionName, void, std::int16_t, Str255*)
// credit line: identity of the extension that carries it (as 572 reports it).
VANTOR_SERVICE(638, HostService638, std::int16_t, ConstStr255Param)
// 1: the host data object, the first argument of every data service.
VANTOR_SERVICE(654, HostGetDataObject, void*, std::int16_t)
