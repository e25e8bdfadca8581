#include "host/document_file.h"

#include <sqlite3.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <unistd.h>

#include "host/command_delivery.h"
#include "host/command_journal.h"
#include "host/computed_channels.h"
#include "host/document_resources.h"
#include "host/extension_locals.h"
#include "host/problem.h"

namespace host {
namespace {

constexpr const char* kEnding = ".vantor";
constexpr int kFormat = 1;
constexpr std::int16_t kFunctionsKnown = 3;

constexpr const char* kSchema = R"(
CREATE TABLE document(format INTEGER NOT NULL, name TEXT NOT NULL);
CREATE TABLE channels(number INTEGER PRIMARY KEY, title TEXT NOT NULL, input TEXT NOT NULL,
                      clip_low REAL, clip_high REAL);
CREATE TABLE blocks(number INTEGER PRIMARY KEY, sampling_interval REAL NOT NULL,
                    start_time REAL NOT NULL, length INTEGER NOT NULL);
CREATE TABLE samples(channel INTEGER NOT NULL, block INTEGER NOT NULL, scaling BLOB NOT NULL,
                     samples BLOB, PRIMARY KEY(channel, block));
CREATE TABLE computed(channel INTEGER PRIMARY KEY, entry TEXT NOT NULL, extension TEXT NOT NULL);
CREATE TABLE extensions(position INTEGER PRIMARY KEY, entry TEXT NOT NULL, extension TEXT NOT NULL);
CREATE TABLE journal(entries BLOB NOT NULL);
CREATE TABLE resources(file BLOB NOT NULL);
)";

struct CloseDatabase {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Database = std::unique_ptr<sqlite3, CloseDatabase>;

// One prepared statement; columns and parameters are numbered as in SQL.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr); }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return statement_ != nullptr; }
  Statement& Bind(int i, std::int64_t v) { return Checked(sqlite3_bind_int64(statement_, i, v)); }
  Statement& Bind(int i, double v) { return Checked(sqlite3_bind_double(statement_, i, v)); }
  Statement& Bind(int i, const std::string& v) {
    return Checked(sqlite3_bind_text(statement_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT));
  }
  Statement& BindBlob(int i, const void* data, std::size_t size) {
    // A zero-length blob is still a value, not NULL.
    static const unsigned char kNothing = 0;
    return Checked(sqlite3_bind_blob64(statement_, i, size > 0 ? data : &kNothing, size, SQLITE_TRANSIENT));
  }
  Statement& BindNull(int i) { return Checked(sqlite3_bind_null(statement_, i)); }
  // Runs an insert; false when it failed.
  bool Run() {
    const bool done = ok_ && ok() && sqlite3_step(statement_) == SQLITE_DONE;
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    return done;
  }
  // Steps a query: true while it yields a row.
  bool Next() {
    const int rc = ok() ? sqlite3_step(statement_) : SQLITE_ERROR;
    finished_ = rc == SQLITE_DONE;
    return rc == SQLITE_ROW;
  }
  // The query ran to its end (not stopped by an error in the file).
  bool finished() const { return finished_; }
  std::int64_t Int(int c) const { return sqlite3_column_int64(statement_, c); }
  double Real(int c) const { return sqlite3_column_double(statement_, c); }
  bool IsNull(int c) const { return sqlite3_column_type(statement_, c) == SQLITE_NULL; }
  std::string Text(int c) const {
    const auto* text = sqlite3_column_text(statement_, c);
    return text != nullptr ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(sqlite3_column_bytes(statement_, c))) : std::string();
  }
  std::vector<unsigned char> Blob(int c) const {
    const auto* data = static_cast<const unsigned char*>(sqlite3_column_blob(statement_, c));
    return data != nullptr ? std::vector<unsigned char>(data, data + sqlite3_column_bytes(statement_, c))
                           : std::vector<unsigned char>();
  }

 private:
  Statement& Checked(int rc) {
    ok_ = ok_ && rc == SQLITE_OK;
    return *this;
  }
  sqlite3_stmt* statement_ = nullptr;
  bool ok_ = true;
  bool finished_ = false;
};

bool Exec(sqlite3* db, const char* sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

// --- Writing ---------------------------------------------------------------

bool WriteRecording(sqlite3* db, const Document& d) {
  Statement doc(db, "INSERT INTO document VALUES(?, ?)");
  if (!doc.Bind(1, std::int64_t{kFormat}).Bind(2, d.name()).Run()) return false;
  Statement channel(db, "INSERT INTO channels VALUES(?, ?, ?, ?, ?)");
  for (int c = 1; c <= d.channelCount(); ++c) {
    const ClipLevels clip = d.Clip(c);
    if (!channel.Bind(1, std::int64_t{c}).Bind(2, d.Title(c)).Bind(3, d.InputName(c))
             .Bind(4, static_cast<double>(clip.low)).Bind(5, static_cast<double>(clip.high)).Run()) {
      return false;
    }
  }
  Statement block(db, "INSERT INTO blocks VALUES(?, ?, ?, ?)");
  Statement samples(db, "INSERT INTO samples VALUES(?, ?, ?, ?)");
  for (int b = 1; b <= d.blockCount(); ++b) {
    if (!block.Bind(1, std::int64_t{b}).Bind(2, d.SamplingInterval(b)).Bind(3, d.StartTime(b))
             .Bind(4, std::int64_t{d.BlockLength(b)}).Run()) {
      return false;
    }
    for (int c = 1; c <= d.channelCount(); ++c) {
      const vantor::ChannelScaling& scaling = d.RecordedScaling(c, b);
      samples.Bind(1, std::int64_t{c}).Bind(2, std::int64_t{b}).BindBlob(3, &scaling, sizeof scaling);
      if (d.HasRecordedData(c, b)) {
        const std::vector<float>& values = d.RecordedSamples(c, b);
        samples.BindBlob(4, values.data(), values.size() * sizeof(float));
      } else {
        samples.BindNull(4);
      }
      if (!samples.Run()) return false;
    }
  }
  return true;
}

bool WriteExtensions(sqlite3* db, Document& d) {
  Statement computed(db, "INSERT INTO computed VALUES(?, ?, ?)");
  for (int c = 1; c <= d.channelCount(); ++c) {
    const Extension* function = d.computed().FunctionOf(c);
    if (function != nullptr && !computed.Bind(1, std::int64_t{c}).Bind(2, function->entryName).Bind(3, function->name).Run()) {
      return false;
    }
  }
  Statement open(db, "INSERT INTO extensions VALUES(?, ?, ?)");
  std::int64_t position = 0;
  for (const std::int16_t hostRef : d.extensions().OpenHostRefs()) {
    const Extension* extension = d.extensions().Find(hostRef);
    if (!open.Bind(1, ++position).Bind(2, extension->entryName).Bind(3, extension->name).Run()) return false;
  }
  const std::vector<unsigned char> journal = d.journal().Serialise();
  const std::vector<unsigned char> resources = d.resources().Bytes();
  return Statement(db, "INSERT INTO journal VALUES(?)").BindBlob(1, journal.data(), journal.size()).Run() &&
         Statement(db, "INSERT INTO resources VALUES(?)").BindBlob(1, resources.data(), resources.size()).Run();
}

// --- Reading ---------------------------------------------------------------

bool Damaged(std::string* problem, const std::string& what) { return Fail(problem, "damaged document: " + what); }

bool ReadRecording(sqlite3* db, Document& d, std::string* problem) {
  Statement doc(db, "SELECT format, name FROM document");
  if (!doc.Next()) return Fail(problem, "not a saved document");
  if (doc.Int(0) != kFormat) return Fail(problem, "a document of format " + std::to_string(doc.Int(0)) + ", not " + std::to_string(kFormat));
  d.SetName(doc.Text(1));
  Statement channels(db, "SELECT number, title, input, clip_low, clip_high FROM channels ORDER BY number");
  while (channels.Next()) {
    if (channels.Int(0) != d.channelCount() + 1 || d.channelCount() >= kMaxBlocks) return Damaged(problem, "channel numbers");
    const int c = d.AddChannel(channels.Text(1), channels.Text(2));
    if (!channels.IsNull(3) && !channels.IsNull(4)) {
      d.SetClipLevels(c, ClipLevels{static_cast<float>(channels.Real(3)), static_cast<float>(channels.Real(4))});
    }
  }
  if (!channels.finished()) return Damaged(problem, "its channels");
  Statement blocks(db, "SELECT number, sampling_interval, start_time, length FROM blocks ORDER BY number");
  while (blocks.Next()) {
    const double interval = blocks.Real(1);
    const double start = blocks.Real(2);
    const std::int64_t length = blocks.Int(3);
    if (blocks.Int(0) != d.blockCount() + 1 || d.blockCount() >= kMaxBlocks || !(interval > 0) || !std::isfinite(interval) ||
        !std::isfinite(start) || length < 0 || length > kMaxBlockLength) {
      return Damaged(problem, "block " + std::to_string(d.blockCount() + 1));
    }
    d.AddBlock(interval, start, static_cast<std::int32_t>(length));
  }
  if (!blocks.finished()) return Damaged(problem, "its blocks");
  Statement samples(db, "SELECT channel, block, scaling, samples FROM samples");
  while (samples.Next()) {
    const auto c = samples.Int(0);
    const auto b = samples.Int(1);
    const std::vector<unsigned char> scaling = samples.Blob(2);
    if (c < 1 || c > d.channelCount() || b < 1 || b > d.blockCount() || scaling.size() != sizeof(vantor::ChannelScaling)) {
      return Damaged(problem, "samples of channel " + std::to_string(c) + ", block " + std::to_string(b));
    }
    vantor::ChannelScaling s{};
    std::memcpy(&s, scaling.data(), sizeof s);
    d.SetScaling(static_cast<int>(c), static_cast<int>(b), s);
    if (samples.IsNull(3)) continue;
    const std::vector<unsigned char> bytes = samples.Blob(3);
    const auto length = static_cast<std::size_t>(d.BlockLength(static_cast<int>(b)));
    if (bytes.size() != length * sizeof(float)) {
      return Damaged(problem, "channel " + std::to_string(c) + " holds " + std::to_string(bytes.size() / sizeof(float)) +
                                  " samples in block " + std::to_string(b) + " of " + std::to_string(length));
    }
    std::vector<float> values(length);
    if (length > 0) std::memcpy(values.data(), bytes.data(), bytes.size());
    d.SetSamples(static_cast<int>(c), static_cast<int>(b), std::move(values));
  }
  return samples.finished() || Damaged(problem, "its samples");
}

const Extension* FindNamed(const Bundle& bundle, const std::string& entry, const std::string& name) {
  const Extension* extension = bundle.Find(entry);
  return extension != nullptr && extension->name == name ? extension : nullptr;
}

bool ReadExtensions(sqlite3* db, const Bundle& bundle, Document& d, std::string* problem) {
  Statement resources(db, "SELECT file FROM resources");
  if (!resources.Next() || !d.resources().Replace(resources.Blob(0))) return Damaged(problem, "its resource file");
  Statement journal(db, "SELECT entries FROM journal");
  std::string why;
  const auto entries = journal.Next() ? CommandJournal::Deserialise(journal.Blob(0), &why) : std::nullopt;
  if (!entries) return Damaged(problem, "its journal" + (why.empty() ? std::string() : ": " + why));
  Statement computed(db, "SELECT channel, entry, extension FROM computed ORDER BY channel");
  while (computed.Next()) {
    const Extension* function = FindNamed(bundle, computed.Text(1), computed.Text(2));
    const auto channel = computed.Int(0);
    if (function == nullptr) return Fail(problem, "channel " + std::to_string(channel) + " is computed by \"" + computed.Text(2) + "\", which the bundle does not have");
    if (channel < 1 || channel > d.channelCount() || !d.computed().Attach(static_cast<int>(channel), *function)) {
      return Damaged(problem, "\"" + function->name + "\" cannot be attached to channel " + std::to_string(channel));
    }
  }
  if (!computed.finished()) return Damaged(problem, "its computed channels");
  Statement open(db, "SELECT entry, extension FROM extensions ORDER BY position");
  while (open.Next()) {
    const Extension* extension = FindNamed(bundle, open.Text(0), open.Text(1));
    if (extension == nullptr) return Fail(problem, "the document was open in \"" + open.Text(1) + "\", which the bundle does not have");
    d.extensions().Open(*extension);
  }
  if (!open.finished()) return Damaged(problem, "its open extensions");
  for (const JournalEntry& entry : entries->entries()) d.journal().Append(entry);
  d.extensions().SendMenuCommand(kFunctionsKnown, 0, 0);
  ReplayJournal(d);
  SendSettingsRequest(d, kLoadSettingsRequest);
  return true;
}

std::string TemporaryBeside(const std::string& path) {
  return path + ".saving-" + std::to_string(::getpid());
}

}  // namespace

bool IsDocumentPath(const std::string& path) { return std::filesystem::path(path).extension() == kEnding; }

bool SaveDocument(Document& document, const std::string& path, std::string* problem) {
  ScopedCurrentDocument current(document);
  SendSettingsRequest(document, kSaveSettingsRequest);
  const std::string temporary = TemporaryBeside(path);
  std::filesystem::remove(temporary);
  sqlite3* opened = nullptr;
  const int rc = sqlite3_open_v2(temporary.c_str(), &opened, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  Database db(opened);
  bool written = rc == SQLITE_OK && Exec(db.get(), "PRAGMA journal_mode=OFF; BEGIN") && Exec(db.get(), kSchema) &&
                 WriteRecording(db.get(), document) && WriteExtensions(db.get(), document) && Exec(db.get(), "COMMIT");
  const std::string error = db ? sqlite3_errmsg(db.get()) : "cannot be opened";
  db.reset();
  std::error_code ec;
  if (written) std::filesystem::rename(temporary, path, ec);
  if (!written || ec) {
    std::filesystem::remove(temporary);
    return Fail(problem, path + ": cannot be written (" + (ec ? ec.message() : error) + ")");
  }
  return true;
}

bool OpenDocument(const std::string& path, const Bundle& bundle, Document& document, std::string* problem) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return Fail(problem, "not a regular file");
  sqlite3* opened = nullptr;
  const int rc = sqlite3_open_v2(path.c_str(), &opened, SQLITE_OPEN_READONLY, nullptr);
  Database db(opened);
  if (rc != SQLITE_OK) return Fail(problem, "cannot be read");
  SetCurrentDocument(&document);
  if (!ReadRecording(db.get(), document, problem)) return false;
  return ReadExtensions(db.get(), bundle, document, problem);
}

}  // namespace host
