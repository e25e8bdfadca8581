// vantor info: what a recording holds (channels, blocks, duration).
#pragma once

#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

namespace host {
class Document;
struct Recording;
}

namespace cli {

// Prints the summary of an opened document to `out`; with the recording it
// was opened from, also the rates signals were recorded at, block starts as
// exactly as the file gives them, and the annotations.
void PrintDocumentInfo(const host::Document& document, std::FILE* out, const host::Recording* source = nullptr);

// Opens the file and prints its summary; returns the exit code.
int RunInfo(const std::string& path);

void AddInfoCommand(CLI::App& app, int* exitCode);

}  // namespace cli
