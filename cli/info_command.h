// vantor info: what a recording holds (channels, blocks, duration).
#pragma once

#include <CLI/CLI.hpp>
#include <cstdio>
#include <string>

namespace host {
class Document;
}

namespace cli {

// Prints the summary of an opened document to `out`.
void PrintDocumentInfo(const host::Document& document, std::FILE* out);

// Opens the file and prints its summary; returns the exit code.
int RunInfo(const std::string& path);

void AddInfoCommand(CLI::App& app, int* exitCode);

}  // namespace cli
