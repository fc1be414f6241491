// Throughput and peak heap of SplitText and BuildTable on large inputs, with
// line ends far apart (long lines of mixed ASCII and Shift_JIS) and close
// together (descriptor-like "key,value" lines), at 1 MiB and 64 MiB so that
// the two sizes show whether the work grows linearly with the input.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string_view>
#include <new>
#include <string>
#include <vector>

#include "text/split.h"

// Heap accounting: every operator new in the process comes here, so the bytes
// live at any moment and their high-water mark are known. Each block carries
// its size in a header, which keeps unsized delete exact.
namespace {

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

constexpr std::size_t kHeader = alignof(std::max_align_t);

void* Allocate(std::size_t size) noexcept {
  void* raw = std::malloc(size + kHeader);
  if (raw == nullptr) return nullptr;
  *static_cast<std::size_t*>(raw) = size;
  const std::size_t live = liveBytes.fetch_add(size, std::memory_order_relaxed) + size;
  std::size_t peak = peakBytes.load(std::memory_order_relaxed);
  while (live > peak && !peakBytes.compare_exchange_weak(peak, live, std::memory_order_relaxed)) {
  }
  return static_cast<char*>(raw) + kHeader;
}

void Release(void* block) noexcept {
  if (block == nullptr) return;
  void* raw = static_cast<char*>(block) - kHeader;
  liveBytes.fetch_sub(*static_cast<std::size_t*>(raw), std::memory_order_relaxed);
  std::free(raw);
}

void* AllocateOrThrow(std::size_t size) {
  void* block = Allocate(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }

namespace {

constexpr std::size_t kMiB = std::size_t{1024} * 1024;

struct Input {
  ByteString text;
  std::size_t lines = 0;  // each ends in CR LF and holds one comma
};

// A small deterministic generator, so every run measures the same bytes.
struct Lcg {
  std::uint64_t state;
  std::uint32_t Next() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(state >> 33);
  }
};

// Lines of 2 to 6 KiB. Double-byte characters are whole pairs, some with a
// second byte that is itself a lead byte (0x88 0xEA) or a backslash (0x95
// 0x5C); no second byte is a comma, CR or LF, so every CR LF and the one comma
// of each line are real cuts.
Input SparseInput(std::size_t size) {
  static const char* const kTokens[] = {
      "filler ", "text 0123 ", "\x82\xA0", "\x82\xA2\x82\xA4", "\x83\x41\x83\x43",
      "\x88\xEA",  // second byte in the lead range
      "\x93\xFA\x96\x7B", "\x95\x5C", "; ", "\x8A\xBF\x8E\x9A"};
  constexpr std::size_t kTokenCount = sizeof kTokens / sizeof kTokens[0];
  Input input;
  input.text.reserve(size);
  Lcg random{1};
  ByteString line;
  for (;;) {
    const std::size_t length = 2048 + random.Next() % 4096;
    line.clear();
    bool comma = false;
    while (line.size() + 2 < length) {
      if (!comma && line.size() >= length / 2) {
        line += ',';
        comma = true;
      }
      line += kTokens[random.Next() % kTokenCount];
    }
    if (!comma) line += ',';
    line += "\r\n";
    if (input.text.size() + line.size() > size) break;
    input.text += line;
    ++input.lines;
  }
  return input;
}

// 20-byte lines like a descriptor file's, with keys that do not repeat in order.
Input DenseInput(std::size_t size) {
  Input input;
  input.text.reserve(size);
  char line[32];
  for (std::uint32_t i = 0;; ++i) {
    const int length = std::snprintf(line, sizeof line, "key%07u,value%02u\r\n",
                                     (i * 7919u) % 10000000u, i % 100u);
    if (input.text.size() + static_cast<std::size_t>(length) > size) break;
    input.text.append(line, static_cast<std::size_t>(length));
    ++input.lines;
  }
  return input;
}

const Input& CachedInput(bool dense, std::size_t size) {
  static std::map<std::pair<bool, std::size_t>, Input> inputs;
  auto found = inputs.find({dense, size});
  if (found == inputs.end()) {
    found = inputs.emplace(std::pair{dense, size}, dense ? DenseInput(size) : SparseInput(size)).first;
  }
  return found->second;
}

// Heap bytes the call had live at its worst, beyond what was live before it.
// The result's own memory counts: the call built it.
struct PeakProbe {
  std::size_t before = liveBytes.load();
  PeakProbe() { peakBytes.store(before); }
  std::size_t Extra() const { return peakBytes.load() - before; }
};

void SplitBench(benchmark::State& state, bool dense, std::size_t size) {
  const Input& input = CachedInput(dense, size);
  const LeadBytes lead = ShiftJisLeadBytes();
  std::size_t worst = 0;
  bool miscounted = false;
  while (state.KeepRunning()) {
    PeakProbe probe;
    PieceList pieces = SplitText(input.text, "\r\n", lead);
    benchmark::DoNotOptimize(pieces.data());
    state.PauseTiming();
    worst = std::max(worst, probe.Extra());
    // The input is built so that every CR LF is a cut.
    miscounted = miscounted || pieces.size() != input.lines;
    PieceList().swap(pieces);  // freeing is the caller's cost, not the call's
    state.ResumeTiming();
  }
  if (miscounted) state.SkipWithError("pieces do not match the input's lines");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.text.size()));
  state.counters["peak_x_input"] = static_cast<double>(worst) / static_cast<double>(input.text.size());
}

void TableBench(benchmark::State& state, bool dense, std::size_t size) {
  const Input& input = CachedInput(dense, size);
  const LeadBytes lead = ShiftJisLeadBytes();
  std::size_t worst = 0;
  bool miscounted = false;
  while (state.KeepRunning()) {
    PeakProbe probe;
    KeyValueTable table = BuildTable(input.text, ",", lead);
    benchmark::DoNotOptimize(table.entries.data());
    state.PauseTiming();
    worst = std::max(worst, probe.Extra());
    miscounted = miscounted || table.entries.size() != input.lines;
    table = KeyValueTable();
    state.ResumeTiming();
  }
  if (miscounted) state.SkipWithError("entries do not match the input's lines");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.text.size()));
  state.counters["peak_x_input"] = static_cast<double>(worst) / static_cast<double>(input.text.size());
}

// Reference: one copy of the input into a new string, which SplitText (whose
// pieces are copies) and BuildTable (which keeps a copy) cannot beat. Where
// the input outgrows the caches, this shows what memory bandwidth alone costs.
void CopyBench(benchmark::State& state, bool dense, std::size_t size) {
  const Input& input = CachedInput(dense, size);
  std::size_t worst = 0;
  while (state.KeepRunning()) {
    PeakProbe probe;
    ByteString copy(input.text);
    benchmark::DoNotOptimize(copy.data());
    state.PauseTiming();
    worst = std::max(worst, probe.Extra());
    ByteString().swap(copy);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.text.size()));
  state.counters["peak_x_input"] = static_cast<double>(worst) / static_cast<double>(input.text.size());
}

// Prints the usual table, then one line per goal from the medians (or the
// single runs, without repetitions).
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  SummaryReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.error_occurred || !(single || median)) continue;
      Figures& figures = figures_[run.run_name.function_name];
      figures.bytesPerSecond = run.counters.at("bytes_per_second").value;
      figures.peakPerInput = run.counters.at("peak_x_input").value;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-24s %10s %10s %13s\n", "median of each", "GB/s", "ns/byte", "peak_x_input");
    for (const auto& [name, figures] : figures_) {
      std::printf("%-24s %10.2f %10.3f %13.2f\n", name.c_str(), figures.bytesPerSecond / 1e9,
                  1e9 / figures.bytesPerSecond, figures.peakPerInput);
    }
    std::printf("\n");
    for (const char* kind : {"SplitText/sparse", "SplitText/dense", "BuildTable/sparse", "BuildTable/dense"}) {
      const Figures* small = Find(std::string(kind) + "/1MiB");
      const Figures* large = Find(std::string(kind) + "/64MiB");
      if (small == nullptr || large == nullptr) continue;
      const double ratio = small->bytesPerSecond / large->bytesPerSecond;
      std::printf("linear   %-18s cost per byte 64 MiB / 1 MiB = %.2f (goal <= 1.20: %s)", kind, ratio,
                  ratio <= 1.2 ? "met" : "NOT met");
      // The same ratio for a plain copy of the same input: what the caches
      // account for, whatever the code does.
      const std::string density = std::strchr(kind, '/');
      const Figures* copySmall = Find("Copy" + density + "/1MiB");
      const Figures* copyLarge = Find("Copy" + density + "/64MiB");
      if (copySmall != nullptr && copyLarge != nullptr) {
        std::printf("; a copy: %.2f", copySmall->bytesPerSecond / copyLarge->bytesPerSecond);
      }
      std::printf("\n");
    }
    for (const char* name : {"SplitText/sparse/1MiB", "SplitText/sparse/64MiB"}) {
      if (const Figures* figures = Find(name)) {
        const double gbps = figures->bytesPerSecond / 1e9;
        std::printf("speed    %-22s %.2f GB/s (goal >= 1.00: %s)\n", name, gbps, gbps >= 1.0 ? "met" : "NOT met");
      }
    }
    for (const auto& [name, figures] : figures_) {
      if (name.rfind("BuildTable/", 0) != 0) continue;
      std::printf("memory   %-22s peak %.2f x input (goal <= 3.00: %s)\n", name.c_str(), figures.peakPerInput,
                  figures.peakPerInput <= 3.0 ? "met" : "NOT met");
    }
  }

 private:
  struct Figures {
    double bytesPerSecond = 0;
    double peakPerInput = 0;
  };
  const Figures* Find(const std::string& name) const {
    const auto found = figures_.find(name);
    return found == figures_.end() ? nullptr : &found->second;
  }
  std::map<std::string, Figures> figures_;
};

}  // namespace

int main(int argc, char** argv) {
  // Fresh pages cost a fault on first touch, about 20 us a page on some
  // virtual machines: that alone caps any copy at a few hundred MB/s. By
  // default the heap keeps what it gets, so the figures are the code's own;
  // --fresh-heap leaves malloc's defaults, where every iteration's large
  // blocks (and, after a trim, small ones) are new pages again.
  bool freshHeap = false;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--fresh-heap") {
      freshHeap = true;
      std::copy(argv + i + 1, argv + argc + 1, argv + i);  // with the closing null
      --argc;
      break;
    }
  }
  if (!freshHeap) {
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, -1);
  }
  // Times are CPU time (the default): on a shared machine, wall time also
  // counts whoever else held the processor.
  for (const std::size_t mib : {std::size_t{1}, std::size_t{64}}) {
    for (const bool dense : {false, true}) {
      const std::string suffix = std::string(dense ? "/dense/" : "/sparse/") + std::to_string(mib) + "MiB";
      benchmark::RegisterBenchmark(("Copy" + suffix).c_str(), CopyBench, dense, mib * kMiB)
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark(("SplitText" + suffix).c_str(), SplitBench, dense, mib * kMiB)
          ->Unit(benchmark::kMillisecond);
      benchmark::RegisterBenchmark(("BuildTable" + suffix).c_str(), TableBench, dense, mib * kMiB)
          ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
