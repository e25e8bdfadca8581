// Output jobs (services 640, 642, 643): the host's printing. A job calls the
// extension's page procedure for each page and renders the pages to a PDF
// file; the finished jobs stay listed for the command line and for tests.
#pragma once

#include <string>
#include <vector>

#include "toolbox/display_list.h"
#include "toolbox/mac_types.h"

namespace host {

// How the next jobs are printed. A page is 600 × 800 points (800 × 600 in
// landscape) inside a sheet with a margin of 36 points on every side.
struct OutputSetup {
  std::string pdfPath;     // where jobs write their pages; none written when empty
  bool landscape = false;
};
OutputSetup& CurrentOutputSetup();

struct OutputPage {
  Rect page{};                   // the rectangle handed to the procedure
  Rect sheet{};                  // the whole sheet, margins included
  bool fromPicture = false;      // made by the picture procedure
  toolbox::DisplayList drawing;  // what the procedures drew on the sheet
};

struct FinishedOutputJob {
  std::string title;  // UTF-8
  int copies = 1;
  bool dialogShown = false;
  bool cancelled = false;  // the print dialog was cancelled: no pages
  std::string pdfPath;     // the file written, empty when none
  std::vector<OutputPage> pages;
};
const std::vector<FinishedOutputJob>& FinishedOutputJobs();

}  // namespace host
