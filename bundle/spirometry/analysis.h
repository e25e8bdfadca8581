// The breath-by-breath analysis of the selection, kept in the document's
// record and computed lazily: only while analysisStatus says it is due.
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "frame/extension_base.h"
#include "toolbox/windows.h"

namespace spiro {

namespace spirometry {

// Analyses the selection when the results are due; reports through
// analysisStatus, messageCode and the result fields.
void AnalyseSelection(const VantorExtensionBase& extension, LocalDataType** data);
// Frees the results and makes them due again, in the record and every window.
void InvalidateAnalysis(LocalDataType** data);
// Frees the sample buffers and the phase list.
void FreeAnalysisResults(LocalDataType& record);
void FreeAnalysisResults(LocalDataType** data);
// 1..3 for the document's window of that kind; -1 for any other window.
std::int16_t WindowIndexOf(WindowRef window, LocalDataType** data);

}  // namespace spirometry

}  // namespace spiro
