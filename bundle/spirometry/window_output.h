// Printing and output of the spirometry windows through the host's output
// jobs: a window on its own, or the report page (a plot, the report rows and
// the subject block).
#pragma once

#include <cstdint>

#include "extension/spiro_records.h"
#include "frame/extension_base.h"

namespace spiro {

// Entry 10 of the command texts made into the output title of the window of
// that kind by the host. Returns out.
StringPtr MakeOutputTitle(StringPtr out, std::int16_t kind, const spirometry::LocalDataType& data);

// The procedures the host calls per page (local: the document's record handle).
std::int32_t DrawWindowOutput(const Rect* page, std::int32_t unused, std::int16_t scale, Handle local);
std::int32_t PictureWindowOutput(const Rect* destination, std::int16_t scale, Handle local);
std::int32_t DrawReportPage(const Rect* page, std::int32_t unused, std::int16_t scale, Handle local);

// Prints the window of that kind (its own page, through the print dialog
// unless the host is recording). A failed analysis is one alert, no job.
void PrintWindow(std::int16_t kind, spirometry::LocalDataType** data, const VantorExtensionBase& extension);
// Draws the window of that kind into the rectangle of a page of its own, with
// no dialog (command 14), making the window first when needed. A failed
// analysis is one alert, no job.
void OutputWindow(std::int16_t kind, const Rect& rect, spirometry::LocalDataType** data,
                  const VantorExtensionBase& extension);
// Prints the report page, opening the three windows first; refused while
// recording, and a failed analysis is one alert. A window that cannot be
// opened stops the print silently.
void PrintReport(spirometry::LocalDataType** data, const VantorExtensionBase& extension);

}  // namespace spiro
