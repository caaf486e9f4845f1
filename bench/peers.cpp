#include "peers.h"

#include <array>

namespace bench {
namespace {

bool Always(const Conversion&) {
  return true;
}

bool GifOnly(const Conversion& conversion) {
  return conversion.encoder == rt::picture::Encoder::Gif;
}

// ImageMagick 6 (the real one, by full path): JPEG at our quality and subsampling, TIFF with
// LZW (ImageMagick adds the horizontal predictor itself); PNG, BMP and GIF at its defaults.
std::vector<std::string> ImageMagick(const Conversion& conversion, const std::string& in,
                                     const std::string& out) {
  std::vector<std::string> command{"/usr/bin/convert", in};
  if (conversion.encoder == rt::picture::Encoder::Jpeg) {
    command.insert(command.end(), {"-quality", "75", "-sampling-factor", "2x2,1x1,1x1"});
  } else if (conversion.encoder == rt::picture::Encoder::Tiff) {
    command.insert(command.end(), {"-compress", "LZW"});
  }
  command.push_back(out);
  return command;
}

// libvips: JPEG at Q 75 (it subsamples 4:2:0 below Q 90), TIFF with LZW and the horizontal
// predictor; PNG and GIF at its defaults; BMP goes through its ImageMagick saver.
std::vector<std::string> Vips(const Conversion& conversion, const std::string& in,
                              const std::string& out) {
  std::string target = out;
  if (conversion.encoder == rt::picture::Encoder::Jpeg) {
    target += "[Q=75]";
  } else if (conversion.encoder == rt::picture::Encoder::Tiff) {
    target += "[compression=lzw,predictor=horizontal]";
  }
  return {"/usr/bin/vips", "copy", in, target};
}

bool PngOnly(const Conversion& conversion) {
  return conversion.encoder == rt::picture::Encoder::Png;
}

// libvips's PNG default leaves rows unfiltered (fast, large files); this row shows it with the
// adaptive filters that we and ImageMagick use, for a comparison at a similar size.
std::vector<std::string> VipsAllFilters(const Conversion&, const std::string& in,
                                        const std::string& out) {
  return {"/usr/bin/vips", "copy", in, out + "[filter=all]"};
}

std::vector<std::string> GraphicsMagick(const Conversion&, const std::string& in,
                                        const std::string& out) {
  return {"/usr/bin/gm", "convert", in, out};
}

constexpr std::array<PeerTool, 4> kTools{{
    {"convert", Always, ImageMagick},
    {"vips", Always, Vips},
    {"vips filter=all", PngOnly, VipsAllFilters},
    {"gm", GifOnly, GraphicsMagick},
}};

}  // namespace

std::span<const PeerTool> PeerTools() {
  return kTools;
}

std::string DescribePeerSettings() {
  std::string text;
  for (const Conversion& conversion : kConversions) {
    text += "    " + std::string(conversion.label) + ":";
    for (const PeerTool& tool : kTools) {
      if (!tool.compares(conversion)) {
        continue;
      }
      std::string line;
      const std::string in = conversion.source == SourceKind::Jpeg ? "in.jpg" : "in.png";
      for (const std::string& part :
           tool.command(conversion, in, "out" + std::string(conversion.extension))) {
        if (!line.empty()) {
          line += ' ';
        }
        line += part;
      }
      text += "  " + line + ";";
    }
    text += "\n";
  }
  return text;
}

}  // namespace bench
