// Output jobs (640, 642, 643) and the document's name for their titles (528).
//
//   640 (document, page procedure)  a new job, null without a procedure or
//       memory (out of memory is the one alert below). The document
//       handle is passed back to the procedures.
//   642 (job, picture procedure)  the procedure that gives a picture of the
//       window being printed.
//   643 (job, copies, dialog, title)  runs the job and ends it. With dialog
//       set, the print dialog answers from the script: item 1 prints, any
//       other answer (an exhausted script included) cancels. An empty title
//       takes the one set with 160. Each page: the picture procedure, when
//       the job has one, places the window's picture on the page (result 1);
//       otherwise, or when it gives 0, the page procedure draws the page. The
//       page procedure's non-zero result asks for another page (at most 64).
//       Procedures draw at scale 1: a page is in points, and PDF is vector.
//       Running out of memory or a file that cannot be written is one alert
//       and no file; the job still ends.
//   528 (name out, 1)  the document's name, "Untitled" when it has none.
#include <memory>
#include <new>
#include <string>
#include <unordered_set>

#include "host/document.h"
#include "host/host_context.h"
#include "host/output_jobs.h"
#include "host/output_requests.h"
#include "host/service_table.h"
#include "toolbox/pascal_string.h"
#include "toolbox/memory.h"
#include "toolbox/quickdraw.h"
#include "toolbox/render.h"
#include "toolbox/script.h"
#include "vantor/services.h"

namespace host {
namespace {

constexpr std::int16_t kPageWidth = 600;
constexpr std::int16_t kPageHeight = 800;
constexpr std::int16_t kMargin = 36;
constexpr int kMaxPages = 64;
constexpr std::int16_t kDrawScale = 1;
constexpr SInt16 kPrintItem = 1;

struct OutputJob {
  Handle document = nullptr;
  vantor::OutputPageProc page = nullptr;
  vantor::OutputPictureProc picture = nullptr;
};

struct LiveOutputJobs {
  std::unordered_set<void*> jobs;
};

struct FinishedJobs {
  std::vector<FinishedOutputJob> jobs;
};

std::unordered_set<void*>& LiveJobs() { return ProcessState<LiveOutputJobs>().jobs; }

std::vector<FinishedOutputJob>& Finished() { return SessionState<FinishedJobs>().jobs; }

OutputJob* LiveJob(void* job) { return job != nullptr && LiveJobs().contains(job) ? static_cast<OutputJob*>(job) : nullptr; }

void EndJob(OutputJob* job) {
  LiveJobs().erase(job);
  DisposePtr(reinterpret_cast<Ptr>(job));
}

bool PrintDialogConfirms() {
  const auto hit = toolbox::TakeScriptAction({toolbox::ScriptActionKind::kItemHit});
  return hit && hit->item == kPrintItem;
}

void AlertOutputProblem(const std::string& problem) {
  unsigned char text[256];
  toolbox::StorePascalText(text, sizeof text, "The output could not be made: " + problem);
  vantor::ServiceAt<vantor::service::HostAlert>(Services())(text);
}

enum class PageResult { kLast, kMore, kNoMemory };

// Draws one page into a port of its own, current while the procedures draw.
PageResult MakePage(const OutputJob& job, const Rect& sheet, const Rect& page, OutputPage* made) {
  CGrafPtr port = CreateNewPort();
  if (port == nullptr) return PageResult::kNoMemory;
  SetPortBounds(port, &sheet);
  GrafPtr saved = nullptr;
  GetPort(&saved);
  SetPort(port);
  bool more = false;
  made->fromPicture = job.picture != nullptr && job.picture(&page, kDrawScale, job.document) != 0;
  if (!made->fromPicture) more = job.page(&page, 0, kDrawScale, job.document) != 0;
  SetPort(saved);
  made->drawing = port->displayList;
  DisposePort(port);
  return more ? PageResult::kMore : PageResult::kLast;
}

void* NewJobService(Handle document, vantor::OutputPageProc page) {
  if (page == nullptr) return nullptr;
  void* memory = NewPtrClear(sizeof(OutputJob));
  if (memory == nullptr) {
    // The caller only learns that no job was made; the user is told why.
    AlertOutputProblem("out of memory");
    return nullptr;
  }
  auto* job = new (memory) OutputJob{document, page, nullptr};
  LiveJobs().insert(job);
  return job;
}

void SetPictureProcService(void* job, vantor::OutputPictureProc picture) {
  if (OutputJob* live = LiveJob(job)) live->picture = picture;
}

void RunJobService(void* jobAddress, std::int16_t copies, bool dialog, ConstStr255Param title) {
  OutputJob* job = LiveJob(jobAddress);
  if (job == nullptr) return;
  FinishedOutputJob finished;
  finished.title = title != nullptr && title[0] > 0 ? toolbox::PascalTextToUtf8(title) : TakeNextOutputTitle();
  finished.copies = copies > 0 ? copies : 1;
  finished.dialogShown = dialog;
  finished.cancelled = dialog && !PrintDialogConfirms();
  if (!finished.cancelled) {
    const OutputSetup setup = CurrentOutputSetup();
    const std::int16_t width = setup.landscape ? kPageHeight : kPageWidth;
    const std::int16_t height = setup.landscape ? kPageWidth : kPageHeight;
    const Rect sheet{0, 0, static_cast<std::int16_t>(height + 2 * kMargin), static_cast<std::int16_t>(width + 2 * kMargin)};
    const Rect page{kMargin, kMargin, static_cast<std::int16_t>(kMargin + height), static_cast<std::int16_t>(kMargin + width)};
    PageResult result = PageResult::kMore;
    while (result == PageResult::kMore && static_cast<int>(finished.pages.size()) < kMaxPages) {
      OutputPage made{page, sheet, false, {}};
      result = MakePage(*job, sheet, page, &made);
      if (result != PageResult::kNoMemory) finished.pages.push_back(std::move(made));
    }
    if (result == PageResult::kNoMemory) {
      finished.pages.clear();
      AlertOutputProblem("out of memory");
    } else if (!setup.pdfPath.empty()) {
      std::unique_ptr<toolbox::Renderer> pdf = toolbox::NewPdfRenderer(setup.pdfPath);
      for (const OutputPage& made : finished.pages) {
        pdf->BeginPage(made.sheet);
        pdf->RenderDisplayList(made.drawing);
        pdf->EndPage();
      }
      std::string problem;
      if (pdf->Finish(&problem)) {
        finished.pdfPath = setup.pdfPath;
      } else {
        AlertOutputProblem(problem);
      }
    }
  }
  EndJob(job);
  Finished().push_back(std::move(finished));
}

void DocumentNameService(Str255* out, std::int16_t) {
  if (out == nullptr) return;
  const Document* document = CurrentDocument();
  const std::string name = document != nullptr && !document->name().empty() ? document->name() : "Untitled";
  toolbox::StorePascalText(*out, sizeof *out, name);
}

}  // namespace

OutputSetup& CurrentOutputSetup() { return SessionState<OutputSetup>(); }

const std::vector<FinishedOutputJob>& FinishedOutputJobs() { return Finished(); }
void InstallOutputJobServices(vantor::ServiceTable& table) {
  using namespace vantor::service;
  vantor::SetService<HostService640>(table, &NewJobService);
  vantor::SetService<HostService642>(table, &SetPictureProcService);
  vantor::SetService<HostService643>(table, &RunJobService);
  vantor::SetService<HostService528>(table, &DocumentNameService);
}

}  // namespace host
