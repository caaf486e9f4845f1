#include "report.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace bench {
namespace {

std::string Fixed(double value, int decimals) {
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Ratio(double ours, double theirs) {
  return theirs > 0 ? Fixed(ours / theirs, 2) : "-";
}

void PrintMeasurement(const std::string& set, const std::string& conversion, const Measurement& m,
                      const Measurement& ours, double megapixels) {
  if (!m.ran) {
    std::printf("%-10s %-11s %-18s %s\n", set.c_str(), conversion.c_str(), m.path.c_str(),
                m.note.c_str());
    return;
  }
  const std::string quality =
      m.hasQuality ? Fixed(m.psnr, 2) + " (" + Fixed(m.worstPsnr, 2) + ")" : "";
  std::printf(
      "%-10s %-11s %-18s %8s %9s %11s %9s  %s\n", set.c_str(), conversion.c_str(), m.path.c_str(),
      Fixed(1000 * m.seconds / megapixels, 2).c_str(),
      ours.ran ? Ratio(ours.seconds, m.seconds).c_str() : "-",
      Fixed(static_cast<double>(m.outputBytes) / 1024.0, 0).c_str(),
      ours.ran
          ? Ratio(static_cast<double>(ours.outputBytes), static_cast<double>(m.outputBytes)).c_str()
          : "-",
      quality.c_str());
}

// One target line: met, not met, or not measured.
class TargetPrinter {
 public:
  void Judge(bool measured, bool met, const std::string& what, const std::string& numbers) {
    const char* verdict = !measured ? "[no data]" : met ? "[met]    " : "[NOT MET]";
    if (!measured || !met) {
      ++failures_;
    }
    std::printf("  %s %s: %s\n", verdict, what.c_str(), numbers.c_str());
  }
  int failures() const { return failures_; }

 private:
  int failures_ = 0;
};

std::string MsPerMp(const Measurement* m, double megapixels) {
  return m && m->ran ? Fixed(1000 * m->seconds / megapixels, 2) + " ms/MP" : "-";
}

std::string Kib(const Measurement* m) {
  return m && m->ran ? Fixed(static_cast<double>(m->outputBytes) / 1024.0, 0) + " KiB" : "-";
}

bool Ran(const Measurement* m) {
  return m != nullptr && m->ran;
}

void JudgeRow(const ResultRow& row, TargetPrinter& printer) {
  const std::string label = row.set->name + " " + std::string(row.conversion->label);
  const double mp = row.set->Megapixels();
  const Measurement* ours = row.Find("picbatch");
  const Measurement* limit = row.Find("libraries (limit)");
  const Measurement* magick = row.Find("convert");
  const Measurement* vips = row.Find("vips");
  const Measurement* gm = row.Find("gm");
  const std::string_view conversion = row.conversion->label;
  const auto timeWithin = [&](double factor) {
    printer.Judge(Ran(ours) && Ran(limit),
                  Ran(ours) && Ran(limit) && ours->seconds <= factor * limit->seconds,
                  label + " within " + Fixed(factor, 2) + "x the libraries called directly",
                  "ours " + MsPerMp(ours, mp) + ", limit " + MsPerMp(limit, mp) + ", ratio " +
                      (Ran(ours) && Ran(limit) ? Ratio(ours->seconds, limit->seconds) : "-"));
  };
  const auto fasterThan = [&](const Measurement* peer, const char* name) {
    printer.Judge(Ran(ours) && Ran(peer), Ran(ours) && Ran(peer) && ours->seconds < peer->seconds,
                  label + " faster than " + name,
                  "ours " + MsPerMp(ours, mp) + ", " + name + " " + MsPerMp(peer, mp));
  };
  const auto sizeWithin = [&](double factor) {
    const bool measured = Ran(ours) && Ran(magick);
    printer.Judge(measured,
                  measured && static_cast<double>(ours->outputBytes) <=
                                  factor * static_cast<double>(magick->outputBytes),
                  label + " output within " + Fixed(factor, 2) + "x ImageMagick's bytes",
                  "ours " + Kib(ours) + ", convert " + Kib(magick) + ", ratio " +
                      (measured ? Ratio(static_cast<double>(ours->outputBytes),
                                        static_cast<double>(magick->outputBytes))
                                : "-"));
  };

  if (conversion == "JPEG->PNG") {
    fasterThan(magick, "convert");
    fasterThan(vips, "vips");
    sizeWithin(1.05);
  } else if (conversion == "JPEG->JPEG") {
    timeWithin(1.15);
  } else if (conversion == "JPEG->TIFF" || conversion == "PNG->JPEG" || conversion == "JPEG->BMP") {
    timeWithin(1.25);
    fasterThan(magick, "convert");
    if (conversion == "JPEG->TIFF") {
      sizeWithin(1.10);
    }
  } else if (conversion == "JPEG->GIF") {
    if (row.set->name == "photos") {
      printer.Judge(Ran(ours), Ran(ours) && ours->psnr >= 33.0, label + " PSNR at least 33 dB",
                    Ran(ours) ? Fixed(ours->psnr, 2) + " dB over the set, worst picture " +
                                    Fixed(ours->worstPsnr, 2) + " dB"
                              : "-");
    }
    const bool measured = Ran(ours) && Ran(gm);
    printer.Judge(measured, measured && 3 * ours->seconds <= gm->seconds,
                  label + " at least 3x faster than GraphicsMagick",
                  "ours " + MsPerMp(ours, mp) + ", gm " + MsPerMp(gm, mp) + ", gm/ours " +
                      (measured ? Ratio(gm->seconds, ours->seconds) : "-"));
    sizeWithin(1.0);
  }
}

}  // namespace

const Measurement* ResultRow::Find(std::string_view path) const {
  for (const Measurement& measurement : measurements) {
    if (measurement.path == path) {
      return &measurement;
    }
  }
  return nullptr;
}

void PrintTable(const std::vector<ResultRow>& rows) {
  std::printf("%-10s %-11s %-18s %8s %9s %11s %9s  %s\n", "set", "conversion", "path", "ms/MP",
              "ours/this", "output KiB", "ours/this", "PSNR dB (worst picture)");
  std::printf("%s\n", std::string(110, '-').c_str());
  for (const ResultRow& row : rows) {
    const Measurement& ours = row.measurements.front();
    bool first = true;
    for (const Measurement& m : row.measurements) {
      PrintMeasurement(first ? row.set->name : "", first ? std::string(row.conversion->label) : "",
                       m, ours, row.set->Megapixels());
      first = false;
    }
  }
}

void PrintPeakMemory(const PeakMemory& peak) {
  std::printf("\npeak memory of one %ux%u (%.1f MP) JPEG->PNG conversion through TranscodePicture",
              peak.width, peak.height, static_cast<double>(peak.width) * peak.height / 1e6);
  if (!peak.measured) {
    std::printf(": %s\n", peak.note.c_str());
    return;
  }
  std::printf(" (%.2f s in process):\n", peak.conversionSeconds);
  std::printf("  max RSS of the converting process   %8.1f MiB\n", peak.maxRssMiB);
  std::printf(
      "  max RSS of it only reading the file %8.1f MiB (the process itself and the input)\n",
      peak.baselineMiB);
  std::printf(
      "  input %.1f MiB x2 + bitmap %.1f MiB + output %.1f MiB x2 = %.1f MiB;"
      " max RSS / that = %.2f\n",
      peak.inputMiB, peak.bitmapMiB, peak.outputMiB, peak.Budget(), peak.maxRssMiB / peak.Budget());
}

int PrintTargets(const std::vector<ResultRow>& rows, const PeakMemory& peak) {
  std::printf("\ntargets\n");
  TargetPrinter printer;
  for (const ResultRow& row : rows) {
    JudgeRow(row, printer);
  }
  printer.Judge(peak.measured, peak.measured && peak.maxRssMiB <= 1.2 * peak.Budget(),
                "peak memory of a 24 MP JPEG->PNG within 1.2x (input x2 + bitmap + output x2)",
                peak.measured
                    ? Fixed(peak.maxRssMiB, 1) + " MiB against 1.2 x " + Fixed(peak.Budget(), 1) +
                          " = " + Fixed(1.2 * peak.Budget(), 1) + " MiB"
                    : peak.note);
  return printer.failures();
}

}  // namespace bench
