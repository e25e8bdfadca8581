#!/usr/bin/env python3
"""Applies deliberate faults one at a time and shows the suite catches each.

Run from a clean checkout with a configured release build:
    tools/inject_faults.py [name ...]
Each fault is one textual change; the named test binary is rebuilt and run,
and the fault counts as caught when the build or a test fails. The source is
restored after every fault, so stop it only between faults.
"""
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# name, file, text, replacement, test binary
FAULTS = [
    ("wrong-offset", "abi/include/vantor/messages.h",
     "using Where = Field<std::uint32_t, 14>;  // a Point, local",
     "using Where = Field<std::uint32_t, 16>;  // a Point, local", "test_frame"),
    ("swapped-argument", "bundle/frame/host_services_strings.cpp",
     "(sample, format, a, b, &result);", "(sample, format, b, a, &result);", "test_frame"),
    ("block-loop-off-by-one", "bundle/computed/volume_integration.cpp",
     "  for (std::int32_t i = first; i < end; ++i)\n    out[i]", "  for (std::int32_t i = first; i < end - 1; ++i)\n    out[i]",
     "test_computed"),
    ("zero-level-window-off-by-one", "bundle/computed/flow_zero_level.cpp",
     "for (std::int32_t i = first; i <= last; ++i)", "for (std::int32_t i = first; i < last; ++i)", "test_computed"),
    ("missed-unlock", "bundle/computed/source_samples.cpp",
     "  if (kind_ == Kind::kRecorded) DataUnlockBlock469(channel_, block_);\n", "", "test_computed"),
    ("missed-settings-unlock", "bundle/computed/volume_notifications.cpp",
     "if (record.settings != nullptr) HostUnlockHandle(record.settings);", "break;", "test_computed"),
    ("wrong-unit-factor", "bundle/computed/unit_text.h",
     "kMillilitresPerLitre = 1000.0;", "kMillilitresPerLitre = 100.0;", "test_computed"),
    ("unchecked-unit-text-length", "bundle/computed/unit_text.cpp",
     "std::min(field[0], kMaxUnitChars);", "field[0];", "test_computed"),
    ("unchecked-edf-header-length", "host/src/edf/edf_header.cpp",
     "if (bytes.size() < need) {", "if (false) {", "test_host"),
    ("string-capacity-not-clamped", "bundle/util/pstring.cpp",
     "std::clamp(capacity, 0, 256);", "std::max(capacity, 0);", "test_util"),
    ("allocation-failure-off-by-one", "toolbox/src/memory/memory_manager.cpp",
     "s.allocations == s.failAt", "s.allocations == s.failAt + 1", "test_toolbox"),
    ("first-resource-id", "toolbox/src/resources/resource_manager.cpp",
     "kFirstApplicationId = 128;", "kFirstApplicationId = 127;", "test_toolbox"),
    ("local-handle-field", "host/include/host/param_block.h",
     "return SetAddress<vantor::LocalField>(localHandle);",
     "return SetAddress<vantor::general::WindowField>(localHandle);", "test_host"),
    ("menu-command-fields-swapped", "host/src/extension_locals.cpp",
     "Set<F::Command>(code).Set<F::Data>(data).Set<F::Value>(value);",
     "Set<F::Command>(value).Set<F::Data>(data).Set<F::Value>(code);", "test_host"),
    ("live-rings-offset", "abi/include/vantor/messages.h",
     "using OutputRings = Field<std::uint32_t, 140>;", "using OutputRings = Field<std::uint32_t, 136>;",
     "test_computed"),
    ("compute-block-end", "host/src/computed_display.cpp",
     ".Set<F::End>(static_cast<std::int16_t>(document_.BlockLength(block)))",
     ".Set<F::End>(static_cast<std::int16_t>(document_.BlockLength(block) - 1))", "test_host"),
    ("phase-scan-off-by-one", "bundle/spirometry/breath_phases.cpp",
     "record.phases, i - 1, current ? 1 : 0, dV)", "record.phases, i, current ? 1 : 0, dV)", "test_spirometry"),
    ("report-row-unit", "bundle/spirometry/report_rows.cpp",
     "CopyPString(unit, inLitres ? kLitres.data() : kMillilitres.data());",
     "CopyPString(unit, inLitres ? kMillilitres.data() : kLitres.data());", "test_spirometry"),
    ("swapped-axis-range", "bundle/spirometry/data_window_drawing.cpp",
     "HostScaleSetRange363(axis, mid + half, mid - half);", "HostScaleSetRange363(axis, mid - half, mid + half);",
     "test_spirometry"),
    ("minimum-size-frame-axes-swapped", "bundle/util/window_placement.cpp",
     "const HISize minimum{width + static_cast<float>(frameWidth),\n                       height + static_cast<float>(frameHeight)};",
     "const HISize minimum{width + static_cast<float>(frameHeight),\n                       height + static_cast<float>(frameWidth)};",
     "test_util"),
    ("host-block-size-wrapped", "host/src/memory_services.cpp",
     "kMaxBlockBytes = std::numeric_limits<Size>::max();", "kMaxBlockBytes = std::numeric_limits<std::uint32_t>::max();",
     "test_host"),
    ("landscape-plot-over-the-report", "bundle/spirometry/window_output.cpp",
     ": Rect{p.top, S16(p.left + 220 * s), p.bottom, p.right};", ": Rect{p.top, p.left, p.bottom, p.right};",
     "test_spirometry"),
    ("damaged-file-refusal-reported-as-success", "toolbox/src/resources/resource_files.cpp",
     "    SetResError(mapReadErr);\n    return kNoRefNum;", "    SetResError(noErr);\n    return kNoRefNum;", "test_toolbox"),
    # s3tbx: toolbox and resource compiler faults
    ("hand-to-hand-leaves-source-locked", "toolbox/src/memory/memory_manager.cpp",
     "  HSetState(*h, state);\n  if (copy == nullptr)", "  (void)state;\n  if (copy == nullptr)",
     "test_toolbox"),
    ("scrap-read-length-unchecked", "toolbox/src/scrap/scrap_manager.cpp",
     "*byteCount = std::min(*byteCount, GetHandleSize(flavor->data));",
     "*byteCount = GetHandleSize(flavor->data);", "test_toolbox"),
    ("point-in-rect-right-edge", "toolbox/src/quickdraw/quickdraw_geometry.cpp",
     "pt.h < rect->right;", "pt.h <= rect->right;", "test_toolbox"),
    ("string-list-index-zero", "toolbox/src/resources/string_list.cpp",
     "index < 1 || index > *count", "index < 0 || index > *count", "test_toolbox"),
    ("resource-name-list-offset", "toolbox/src/resources/resource_file_format.cpp",
     "map.PatchU16(nameListField, static_cast<std::uint16_t>(map.size()));",
     "map.PatchU16(nameListField, static_cast<std::uint16_t>(map.size() + 2));", "test_toolbox"),
    ("pict-short-line-delta-swapped", "toolbox/src/pict/pict_reader.cpp",
     "Point{static_cast<SInt16>(from.v + dv), static_cast<SInt16>(from.h + dh)}",
     "Point{static_cast<SInt16>(from.v + dh), static_cast<SInt16>(from.h + dv)}", "test_toolbox"),
    ("dialog-item-not-padded", "tools/rez/compile_dialog_items.cpp",
     "  out.Bytes(data);\n  out.PadToEven();\n}", "  out.Bytes(data);\n}", "test_tools"),
    # s3ext: the extension's helpers, the settings block, strings, the report and the analysis.
    ("channel-samples-missed-unlock", "bundle/extension/channel_samples.cpp",
     "    UnlockSamples(channel, block, recorded);", "    if (samples == nullptr) UnlockSamples(channel, block, recorded);",
     "test_extension"),
    ("settings-entry-length-unchecked", "bundle/extension/spiro_settings.cpp",
     "    if (length > size - payloadAt) return;  // runs past the block\n", "", "test_extension"),
    ("settings-block-size-one-sided", "bundle/extension/spiro_settings.cpp",
     "LoadAt<std::uint32_t>(block, 2) != length)", "LoadAt<std::uint32_t>(block, 2) > length)", "test_extension"),
    ("axis-ticks-wrong-fraction", "bundle/extension/axis_ticks.cpp",
     "kSixteenth = 0.0625;", "kSixteenth = 0.125;", "test_extension"),
    ("text-box-buffer-not-released", "bundle/extension/text_box.cpp",
     "    HostService48(&box);\n    SetBufferRef(box, 0);", "    SetBufferRef(box, 0);", "test_extension"),
    ("limited-copy-length-off-by-one", "bundle/util/pstring.cpp",
     "static_cast<unsigned char>(destinationSize - 1);", "static_cast<unsigned char>(destinationSize);", "test_util"),
    ("report-empty-row-gap", "bundle/spirometry/report_drawing.cpp",
     "kEmptyRowAdvance = 8;", "kEmptyRowAdvance = 7;", "test_spirometry"),
    ("analysis-limit-off-by-one", "bundle/extension/spiro_records.h",
     "kMaxAnalysedSamples = 16000;", "kMaxAnalysedSamples = 15999;", "test_spirometry"),
    # lead: a wrap correction that only one test asserts
    ("expiration-wrap-not-corrected", "bundle/spirometry/breath_phases.cpp",
     "if (expiration && dV < 0) return dV + kFullRange;", "if (expiration && dV < 0) return dV;",
     "test_spirometry"),
    ("changed-options-keep-stale-analysis", "bundle/extension/spiro_settings.cpp",
     "      InvalidateAnalysis(local);\n    }\n  }", "    }\n  }", "test_extension"),
    ("peak-tag-index-past-the-trace", "bundle/spirometry/trace_marks.cpp",
     "index < 0 || index >= flow.count", "index < 0 || index > flow.count", "test_spirometry"),
    ("plot-pop-up-left-in-the-menu-bar", "bundle/extension/spiro_window_clicks.cpp",
     "  DeleteMenu(GetMenuID(plot.popUpMenu));\n", "", "test_extension"),
    ("plot-pop-up-check-ignores-the-option", "bundle/extension/spiro_window_clicks.cpp",
     "CheckMenuItem(plot.popUpMenu, kPlotOptionItem, plot.plotOption != 0);",
     "CheckMenuItem(plot.popUpMenu, kPlotOptionItem, true);", "test_extension"),
    # s3cmp: the computed functions and the command line
    ("live-ring-wrap-off-by-one", "bundle/computed/live_rings.cpp",
     "add(0, lastToDo + 1);", "add(0, lastToDo);", "test_computed"),
    ("nan-correction-factor-applied", "bundle/computed/volume_commands.cpp",
     "  if (std::isnan(factor)) return;\n", "", "test_computed"),
    ("settings-record-one-byte-short", "bundle/computed/computed_command.cpp",
     "if (size < recordBytes ||", "if (size + 1 < recordBytes ||", "test_computed"),
    ("drift-line-intercept", "bundle/computed/flow_drift_line.cpp",
     "return {slope, levelB - b * slope};", "return {slope, levelA - b * slope};", "test_computed"),
    ("per-minute-volume-gain", "bundle/computed/volume_coefficients.cpp",
     "gains.gainPerSample /= kSecondsPerMinute;", "gains.gainPerSample /= 100.0;", "test_computed"),
    ("selection-past-the-end", "cli/sample_span.cpp",
     "to > static_cast<double>(length) ||", "to > static_cast<double>(length) + 1 ||", "test_cli"),
    ("report-unit-keeps-its-space", "cli/report_rows.cpp",
     "row.unit = shown.substr(length < shown.size() && shown[length] == ' ' ? length + 1 : length);",
     "row.unit = shown.substr(length);", "test_cli"),
    ("synth-quantised-down", "cli/synthetic_recording.cpp",
     "std::round(v / perDigit)", "std::floor(v / perDigit)", "test_cli"),
    ("usage-exit-code", "cli/failure.h",
     "kUsageExit = 2;", "kUsageExit = 1;", "test_cli"),
    # s3hst: host services and the bundle's range helpers
    ("list-string-index-off-by-one", "host/src/list_string_services.cpp",
     "for (std::int16_t i = 1; i < index; ++i)", "for (std::int16_t i = 0; i < index; ++i)", "test_host"),
    ("clipping-range-end-inclusive", "host/src/data_sample_services.cpp",
     "static_cast<std::int64_t>(samples.size()), to - blockStart)",
     "static_cast<std::int64_t>(samples.size()), to - blockStart + 1)", "test_host"),
    ("missed-sample-lock-release", "host/src/sample_locks.cpp",
     "if (--it->second.count > 0) return;", "if (--it->second.count >= 0) return;", "test_host"),
    ("journal-trailing-bytes-accepted", "host/src/command_journal.cpp",
     "if (at != blob.size())", "if (at > blob.size())", "test_host"),
    ("integer-limits-not-ordered", "host/src/dialog_number_services.cpp",
     "  if (handle == nullptr) return;\n  if (minimum > maximum) std::swap(minimum, maximum);\n",
     "  if (handle == nullptr) return;\n", "test_host"),
    ("scaled-rect-wraps", "host/src/pen_style_services.cpp",
     "std::clamp(value * scale, -32768, 32767)", "value * scale", "test_host"),
    ("microvolt-unit-factor", "host/src/import_scaling.cpp", '{"uV", 1e-3}', '{"uV", 1e-6}', "test_host"),
    ("range-helper-asks-the-wrong-property", "bundle/frame/host_services_ranges.cpp",
     "CurrentRangeHas(HostRangeProperty518)", "CurrentRangeHas(HostRangeProperty516)", "test_frame"),
    ("text-box-size-not-restored", "bundle/extension/text_box.cpp",
     "  TextFont(box.savedFont);\n  TextSize(box.savedSize);\n", "  TextFont(box.savedFont);\n", "test_extension"),
    ("text-box-clip-not-restored", "bundle/extension/text_box.cpp",
     "    SetClip(box.savedClip);\n  } else {", "  } else {", "test_extension"),
    ("default-forced-factor", "bundle/extension/spiro_records.h",
     "kDefaultForcedFactor = 2.0;", "kDefaultForcedFactor = 1.5;", "test_extension"),
    ("loop-drawn-without-a-volume-channel", "bundle/spirometry/loop_window_drawing.cpp",
     "(data.flowChannel == 0 || data.volumeChannel == 0)", "data.flowChannel == 0", "test_spirometry"),
    ("zoom-of-a-foreign-window-filed", "bundle/extension/spiro_window_events.cpp",
     "  if (kind < 1) return;\n  HostSubmitCommandFlag(Key(extension, kZoomWindowCommand)",
     "  HostSubmitCommandFlag(Key(extension, kZoomWindowCommand)", "test_extension"),
    ("centred-text-placed-a-whole-width-left", "host/src/text_drawing_services.cpp",
     "if (justify == kCentreOnX) return x - width / 2;", "if (justify == kCentreOnX) return x - width;", "test_host"),
    ("column-ending-at-x-starts-there", "host/src/text_drawing_services.cpp",
     "direction == kEndAtX ? kEndAtX : kStartAtX), y);", "direction == kEndAtX ? kStartAtX : kStartAtX), y);",
     "test_host"),
    # s4hst: host document model, recordings and the services the slimmed host tests guard
    ("stretch-ignores-interval", "host/src/document_stretches.cpp",
     "  if (SamplingInterval(block) != SamplingInterval(block - 1)) return false;\n", "", "test_host"),
    ("document-named-with-extension", "host/src/import_file.cpp",
     "std::filesystem::path(path).stem().string()", "std::filesystem::path(path).filename().string()", "test_host"),
    ("axis-pan-reversed", "host/src/scale_interaction.cpp",
     "ShowMapping(scale, {old.offset + (to - from), old.scale});",
     "ShowMapping(scale, {old.offset - (to - from), old.scale});", "test_host"),
    ("text-box-not-erased", "host/src/text_buffer_services.cpp",
     "  EraseRect(boxRect);\n  const std::vector", "  const std::vector", "test_host"),
    ("dialog-not-centred", "host/src/window_placement_services.cpp",
     "  const int left = desktop.left + (Width(desktop) - Width(content)) / 2;",
     "  const int left = desktop.left;", "test_host"),
    ("placed-picture-not-centred", "host/src/output_request_services.cpp",
     "destination.left + (Width(destination) - width) / 2, height, width);",
     "destination.left, height, width);", "test_host"),
    ("pop-up-value-on-any-control", "host/src/dialog_item_services.cpp",
     "if (control != nullptr && GetControlPopupMenuHandle(control) != nullptr) SetControlValue(control, value);",
     "if (control != nullptr) SetControlValue(control, value);", "test_host"),
    ("credit-line-word-end-ignored", "host/src/channel_services.cpp",
     "return credit.size() == name.size() || !std::isalnum(static_cast<unsigned char>(credit[name.size()]));",
     "return true;", "test_host"),
    ("range-property-without-validity", "bundle/frame/host_services_ranges.cpp",
     "return HostRangeIsValid(range) && property(range);", "return property(range);", "test_frame"),
    ("table-stored-only-in-range", "bundle/frame/extension_base.cpp",
     "  SetHostServiceTable(serviceTable);\n  // Sign extension",
     "  if (message >= 0 && message <= 4) SetHostServiceTable(serviceTable);\n  // Sign extension", "test_frame"),
    ("click-tail-offset", "abi/include/vantor/messages.h",
     "  using Tail = Field<std::uint8_t, 18>;  // the rest of the block, passed by address",
     "  using Tail = Field<std::uint8_t, 20>;  // the rest of the block, passed by address", "test_frame"),
    ("settings-swap-key-unmapped", "bundle/frame/extension_base.cpp",
     "HostSetCommandSwapProc(static_cast<std::uint16_t>(MapLocalId(localId)), proc);",
     "HostSetCommandSwapProc(localId, proc);", "test_bundle"),
    # s4tbx: dialogs and windows of the toolbox
    ("dialog-escape-not-cancel", "toolbox/src/dialogs/dialog_modal.cpp",
     "if (key == kEscapeCharCode) return CancelAnswer(d);", "if (key == kEscapeCharCode) return std::nullopt;",
     "test_toolbox"),
    ("dialog-typed-text-not-cut-to-255", "toolbox/src/dialogs/dialog_modal.cpp",
     "  text.resize(std::min<std::size_t>(text.size(), 255));\n", "", "test_toolbox"),
    ("dialog-event-point-left-local", "toolbox/src/dialogs/dialog_modal.cpp",
     "  LocalToGlobal(&local);\n  return EventRecord", "  return EventRecord", "test_toolbox"),
    ("find-window-sees-hidden-windows", "toolbox/src/windows/window_frame.cpp",
     "    if (!w->visible) continue;\n", "", "test_toolbox"),
    ("grow-icon-without-a-grow-box", "toolbox/src/windows/window_grow_icon.cpp",
     "if (w == nullptr || !toolbox::internal::HasGrowBox(w->procID)) return;", "if (w == nullptr) return;",
     "test_toolbox"),
    ("zoom-in-returns-to-the-standard-state", "toolbox/src/windows/window_interaction.cpp",
     "    target = w->userState;", "    target = StandardStateFor(*w);", "test_toolbox"),
    ("bounds-event-previous-is-current", "toolbox/src/windows/window_bounds.cpp",
     "SetRectParameter(event, kEventParamPreviousBounds, previous);",
     "SetRectParameter(event, kEventParamPreviousBounds, current);", "test_toolbox"),
    ("grow-box-a-pixel-large", "toolbox/src/windows/window_frame.cpp",
     "kGrowBoxSize = 15;", "kGrowBoxSize = 16;", "test_toolbox"),
    ("detached-handle-keeps-a-home-file", "toolbox/src/resources/resource_manager.cpp",
     "  return found ? found->file->refNum : -1;", "  return found ? found->file->refNum : 0;", "test_toolbox"),
    ("pop-up-menus-not-found-by-id", "toolbox/src/menus/menu_list.cpp",
     "  return FindById(List().popUp, menuID);\n}", "  return nullptr;\n}", "test_toolbox"),
    ("disposed-root-control-still-reported", "toolbox/src/controls/control_manager.cpp",
     "  return w->rootControl != nullptr ? OSErr{noErr} : OSErr{errNoRootControl};", "  return noErr;",
     "test_toolbox"),
    ("draw-text-ignores-its-first-byte", "toolbox/src/quickdraw/quickdraw_text.cpp",
     "return {static_cast<const char*>(textBuf) + firstByte,", "return {static_cast<const char*>(textBuf),",
     "test_toolbox"),
    ("text-leaves-the-pen-where-it-was", "toolbox/src/quickdraw/quickdraw_text.cpp",
     "port.pnLoc.h = toolbox::internal::ClampCoordinate(long{port.pnLoc.h} + Measure(text));",
     "port.pnLoc.h = toolbox::internal::ClampCoordinate(long{port.pnLoc.h} + 0 * Measure(text));", "test_toolbox"),
    ("png-pages-numbered-from-one-less", "toolbox/src/render/render_raster.cpp",
     "const std::string suffix = \"-\" + std::to_string(page + 1);",
     "const std::string suffix = \"-\" + std::to_string(page);", "test_toolbox"),
    # s4ext: helpers whose own tests were merged into tables and stories, and what a cut left to others
    ("round-half-toward-zero", "bundle/extension/numeric_clamps.cpp",
     "const double rounded = std::round(value);", "const double rounded = std::trunc(value);", "test_extension"),
    ("calibrated-units-without-offset", "bundle/extension/channel_scaling.cpp",
     "value * scaling.info.unitFactor * scaling.gain + scaling.offset;", "value * scaling.info.unitFactor * scaling.gain;",
     "test_extension"),
    ("dimmed-rect-pen-mode", "bundle/extension/drawing_state.cpp", "PenMode(addMax);", "PenMode(patCopy);", "test_extension"),
    ("saved-background-not-restored", "bundle/extension/drawing_state.cpp",
     "if (state.status != noErr) RGBBackColor(&state.background);", "", "test_extension"),
    ("radio-group-unchecked-reads-first", "bundle/extension/dialog_helpers.cpp",
     "  }\n  return -1;\n}", "  }\n  return 0;\n}", "test_extension"),
    ("dialog-text-colour-ignores-highlight", "bundle/extension/dialog_helpers.cpp",
     "? kThemeTextColorDialogActive\n                                   : kThemeTextColorDialogInactive",
     "? kThemeTextColorDialogInactive\n                                   : kThemeTextColorDialogActive", "test_extension"),
    ("spirometer-input-asked-one-based", "bundle/extension/resource_text_helpers.cpp",
     "HostService439(static_cast<std::int16_t>(channel - 1));", "HostService439(static_cast<std::int16_t>(channel));",
     "test_extension"),
    ("tick-decimals-boundary", "bundle/extension/axis_ticks.cpp",
     "  if (magnitude > 0.05) return 1;", "  if (magnitude >= 0.05) return 1;", "test_extension"),
    ("window-menu-marks-the-wrong-kind", "bundle/extension/spiro_window_events.cpp",
     "HostService634((*local)->windowMenuItems[i], kind == i + 1);",
     "HostService634((*local)->windowMenuItems[i], kind == i);", "test_extension"),
    ("settings-swap-runs-past-the-block", "bundle/extension/spiro_settings.cpp",
     " ||\n        size - at - kEntryHeaderBytes < length) {", ") {", "test_extension"),
    ("centred-box-rounds-up", "bundle/util/rect_layout.cpp",
     "const int left = (within.left + within.right - width) / 2;",
     "const int left = (within.left + within.right - width + 1) / 2;", "test_extension"),
    ("os-type-low-byte-first", "bundle/util/pstring.cpp",
     "static_cast<unsigned char>(code >> (24 - 8 * i));", "static_cast<unsigned char>(code >> (8 * i));", "test_util"),
    ("constrained-rect-loses-its-minimum-width", "bundle/util/rect_layout.cpp",
     "< minWidth) r.right = Narrow(r.left + minWidth);", "< minWidth) r.right = r.right;", "test_util"),
    ("found-string-position-zero-based", "bundle/util/pstring.cpp",
     "static_cast<std::int16_t>(at + 1);", "static_cast<std::int16_t>(at);", "test_util"),
    # s4cmp: what the slimmed computed-function and command-line tests still guard
    ("live-volume-accumulator-not-kept", "bundle/computed/volume_integration.cpp",
     "  settings.liveAccumulator = state.accumulator;\n", "", "test_computed"),
    ("volume-reset-needs-negative-flow", "bundle/computed/volume_integration.h",
     "state.previousFlow <= 0.0 && v > 0.0", "state.previousFlow < 0.0 && v > 0.0", "test_computed"),
    ("expiratory-reservoir-not-capped", "bundle/computed/volume_integration.h",
     "      state.reservoir = c.correctionThreshold;\n", "", "test_computed"),
    ("edit-request-of-another-channel-answered", "bundle/computed/notifications.h",
     "vantor::LoadAt<std::int16_t>(request, 0) != channel) return;",
     "vantor::LoadAt<std::int16_t>(request, 0) > channel) return;", "test_computed"),
    ("last-live-ring-refused", "bundle/computed/live_rings.cpp",
     "channel > static_cast<std::int32_t>(vantor::kLiveRingCount)",
     "channel >= static_cast<std::int32_t>(vantor::kLiveRingCount)", "test_computed"),
    ("one-sample-ring-span-wraps", "bundle/computed/live_rings.cpp",
     "if (lastToDo >= start) {", "if (lastToDo > start) {", "test_computed"),
    ("volume-source-may-be-its-own-channel", "bundle/computed/volume_commands.cpp",
     " || source == settings.ownChannel) return;", ") return;", "test_computed"),
    ("synth-seed-ignored", "cli/synthetic_recording.cpp",
     "GaussianNoise noise(p.seed);", "GaussianNoise noise(1);", "test_cli"),
    ("zero-level-tolerance-doubled", "bundle/computed/flow_zero_level.cpp",
     "<= kZeroSearchTolerance) {", "<= 2 * kZeroSearchTolerance) {", "test_computed"),
    ("zero-window-past-a-short-block", "bundle/computed/flow_zero_level.cpp",
     "std::min(count - 1, kZeroWindowSamples - 1)", "kZeroWindowSamples - 1", "test_computed"),
]


def run(args):
    return subprocess.run(args, cwd=ROOT, capture_output=True, text=True)


def first_failure(output):
    for line in output.splitlines():
        if line.startswith("[  FAILED  ]"):
            return line[len("[  FAILED  ] "):].split(" (")[0]
    return None


def inject(name, path, text, replacement, binary):
    source = ROOT / path
    original = source.read_text()
    if original.count(text) != 1:
        return f"{name}: text not found once in {path}", False
    source.write_text(original.replace(text, replacement))
    try:
        built = run(["cmake", "--build", "--preset", "release", "--target", binary])
        if built.returncode != 0:
            return f"{name}: caught by the build ({path})", True
        tested = run([f"build/release/bin/{binary}", "--gtest_brief=1"])
        if tested.returncode != 0:
            caught = first_failure(tested.stdout) or "the test process"
            return f"{name}: caught by {binary} {caught}", True
        return f"{name}: NOT caught by {binary}", False
    finally:
        source.write_text(original)


def main():
    wanted = set(sys.argv[1:])
    results = [inject(*f) for f in FAULTS if not wanted or f[0] in wanted]
    for line, _ in results:
        print(line)
    missed = sum(1 for _, caught in results if not caught)
    print(f"{len(results) - missed} of {len(results)} faults caught")
    # Leave the build matching the restored source.
    run(["cmake", "--build", "--preset", "release", "--target", *sorted({f[4] for f in FAULTS})])
    return 1 if missed else 0


if __name__ == "__main__":
    sys.exit(main())
