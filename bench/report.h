// The benchmark's printed results: one table of every measurement, then the targets.
#pragma once

#include <vector>

#include "conversions.h"
#include "measure.h"
#include "peak_memory.h"
#include "pictures.h"

namespace bench {

// Every way one conversion was done on one set; the program's own path comes first.
struct ResultRow {
  const PictureSet* set = nullptr;
  const Conversion* conversion = nullptr;
  std::vector<Measurement> measurements;

  const Measurement* Find(std::string_view path) const;
};

void PrintTable(const std::vector<ResultRow>& rows);
void PrintPeakMemory(const PeakMemory& peak);
// Each target with the numbers it was judged on; returns how many were not met.
int PrintTargets(const std::vector<ResultRow>& rows, const PeakMemory& peak);

}  // namespace bench
