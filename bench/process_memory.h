#pragma once
// This process's memory as the kernel and the allocator see it, for
// benchmarks that follow it over a long run.
#include <string>

namespace tamsel::bench {

struct MemorySample {
  double residentMiB = 0;   // every page in memory, the libraries' code included
  double anonymousMiB = 0;  // pages in memory that belong to no file: heap, stacks, images
  double heapMiB = 0;       // handed out by malloc and not freed
  double arenaMiB = 0;      // held by malloc from the system, free parts included
};

MemorySample sampleMemory();

// One line of a curve: "  123 s  <what>  rss 61.2 MiB  anon ... heap ... arena ...".
std::string curveLine(double seconds, const std::string& what, const MemorySample& sample);

}  // namespace tamsel::bench
