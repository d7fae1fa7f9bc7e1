#include "png_image_win.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <vector>

#include "win_handles.h"

namespace {

using win32::ComPtr;

// Rows handed to the encoder at a time: few enough to keep the converted band small.
constexpr int kBandRows = 64;

// Writes the bitmap's rows into the frame as 24-bit blue-green-red, band by band.
bool WriteRows(IWICBitmapFrameEncode& frame, const ChartBitmap& bitmap) {
  const int width = bitmap.width();
  const UINT stride = static_cast<UINT>(width) * 3;
  std::vector<BYTE> band(static_cast<size_t>(stride) * kBandRows);
  for (int top = 0; top < bitmap.height(); top += kBandRows) {
    const int rows = std::min(kBandRows, bitmap.height() - top);
    for (int r = 0; r < rows; ++r) {
      const unsigned char* src = bitmap.Row(top + r);
      BYTE* out = band.data() + static_cast<size_t>(r) * stride;
      for (int x = 0; x < width; ++x) std::copy_n(src + x * 4, 3, out + x * 3);
    }
    if (FAILED(frame.WritePixels(static_cast<UINT>(rows), stride, stride * static_cast<UINT>(rows),
                                 band.data())))
      return false;
  }
  return true;
}

// Everything written into the stream, from its start.
std::string StreamBytes(IStream& stream) {
  STATSTG stat{};
  if (FAILED(stream.Stat(&stat, STATFLAG_NONAME))) return std::string();
  std::string bytes(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
  LARGE_INTEGER start{};
  ULONG read = 0;
  if (FAILED(stream.Seek(start, STREAM_SEEK_SET, nullptr)) ||
      FAILED(stream.Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read)) ||
      read != bytes.size())
    return std::string();
  return bytes;
}

}  // namespace

std::string EncodePng(const ChartBitmap& bitmap, double dpi) {
  if (!bitmap.ok()) return std::string();
  ComPtr<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IWICImagingFactory, factory.put())))
    return std::string();
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()))) return std::string();
  ComPtr<IWICBitmapEncoder> encoder;
  if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.out())) ||
      FAILED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)))
    return std::string();
  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  const UINT width = static_cast<UINT>(bitmap.width()), height = static_cast<UINT>(bitmap.height());
  if (FAILED(encoder->CreateNewFrame(frame.out(), options.out())) ||
      FAILED(frame->Initialize(options.get())) || FAILED(frame->SetSize(width, height)) ||
      FAILED(frame->SetResolution(dpi, dpi)))
    return std::string();
  // The encoder may answer with another format it prefers; only this one is written here.
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  if (FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR)
    return std::string();
  if (!WriteRows(*frame.get(), bitmap) || FAILED(frame->Commit()) || FAILED(encoder->Commit()))
    return std::string();
  return StreamBytes(*stream.get());
}
