#include "conversions.h"

#include "direct_codecs.h"
#include "transcode/transcode_picture.h"

namespace bench {

const rt::Bytes& SourceBytes(const SourcePicture& picture, const Conversion& conversion) {
  return conversion.source == SourceKind::Jpeg ? picture.jpeg : picture.png;
}

const std::string& SourcePath(const SourcePicture& picture, const Conversion& conversion) {
  return conversion.source == SourceKind::Jpeg ? picture.jpegPath : picture.pngPath;
}

bool ConvertThroughProgram(const SourcePicture& picture, const Conversion& conversion,
                           rt::Bytes& output) {
  return TranscodePicture(SourceBytes(picture, conversion), conversion.formatCode, output);
}

bool ConvertThroughCodecs(const SourcePicture& picture, const Conversion& conversion,
                          rt::Bytes& output) {
  rt::picture::Bitmap bitmap;
  output.clear();
  return rt::picture::DecodePicture(SourceBytes(picture, conversion), bitmap) &&
         rt::picture::EncodePicture(bitmap, conversion.encoder, output);
}

bool ConvertDirectly(const SourcePicture& picture, const Conversion& conversion,
                     rt::Bytes& output) {
  if (conversion.encoder == rt::picture::Encoder::Gif) {
    return false;
  }
  RgbPicture rgb;
  const rt::Bytes& source = SourceBytes(picture, conversion);
  const bool decoded = conversion.source == SourceKind::Jpeg ? DecodeJpegDirect(source, rgb)
                                                             : DecodePngDirect(source, rgb);
  if (!decoded) {
    return false;
  }
  switch (conversion.encoder) {
    case rt::picture::Encoder::Png:
      return EncodePngDirect(rgb, output);
    case rt::picture::Encoder::Jpeg:
      return EncodeJpegDirect(rgb, 75, output);
    case rt::picture::Encoder::Tiff:
      return EncodeTiffDirect(rgb, output);
    case rt::picture::Encoder::Bmp:
      return EncodeBmpDirect(rgb, output);
    case rt::picture::Encoder::Gif:
      break;
  }
  return false;
}

}  // namespace bench
