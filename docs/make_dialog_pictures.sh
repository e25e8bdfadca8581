#!/bin/sh
# Regenerates docs/dialogs/dialog-ID.png: each settings dialog as a user
# leaves it, run from scripts by the release build (cmake --preset release &&
# cmake --build --preset release). VANTOR_DIALOG_PICTURES makes the host
# write every modal dialog it runs.
set -e
cd "$(dirname "$0")/.."
bin=build/release/bin
out=docs/dialogs
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"
"$bin/vantor" synth --out "$tmp/s.edf" --seconds 30 >/dev/null
# The custom threshold dialog is reached by a test; only its picture is kept.
VANTOR_DIALOG_PICTURES=$tmp "$bin/test_computed" --gtest_filter='VolumeSettingsDialog.ACustomThreshold*' >/dev/null
cp "$tmp/dialog-8511.png" "$out/"
# The typed-coefficient dialog opens in the host's expert mode, which a test sets.
VANTOR_DIALOG_PICTURES=$tmp "$bin/test_computed" --gtest_filter='FlowSettingsDialog.InExpertMode*' >/dev/null
cp "$tmp/dialog-8312.png" "$out/"
# So are the window extension's settings, subject and copy format dialogs.
VANTOR_DIALOG_PICTURES=$out "$bin/test_extension" --gtest_filter='SettingsDialogs.S*:SettingsDialogs.Copy*' >/dev/null
VANTOR_DIALOG_PICTURES=$tmp "$bin/test_extension" --gtest_filter='SettingsDialogs.Cancel*' >/dev/null
cp "$tmp/dialog-8115.png" "$out/"
# measure-factor also accepts the flow dialog's defaults: calibrate runs last.
VANTOR_DIALOG_PICTURES=$out "$bin/vantor" measure-factor "$tmp/s.edf" --select 3.5s:8s
VANTOR_DIALOG_PICTURES=$out "$bin/vantor" calibrate "$tmp/s.edf" --select 7.7s:9.8s --syringe-litres 3
